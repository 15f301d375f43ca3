// Two copies of the whole program, each with its own bus, home and folders, talk through the
// Skype stand-in and are driven only through their windows.

#include "TwoCopies.h"

TEST_F(OrbitEndToEndTest, PhotosTakenInBothModesReachTheOtherCopyWhole) {
    StartAlice();
    StartBob();

    // Direct: the row comes at once, with the photo's own name and size.
    const QStringList direct = TakePhoto(alice_);
    ASSERT_TRUE(direct.value(2).endsWith(u".jpg"_qs)) << direct.join(u'|').toStdString();
    const QString directPath = alice_.PicturesFolder() + direct.value(2);
    ASSERT_TRUE(QFileInfo::exists(directPath)) << directPath.toStdString();
    EXPECT_TRUE(Read(directPath).startsWith("\xff\xd8")) << "a JPEG file";
    EXPECT_EQ(direct.value(4), u"640x480"_qs);
    EXPECT_TRUE(alice_.Enabled(kTakePhoto)) << "Take Photo works again";

    // "After 5 Second", chosen on the settings sheet: no row before the countdown has run.
    ASSERT_NO_FATAL_FAILURE(ChooseCountdown(alice_));
    QElapsedTimer countdown;
    countdown.start();
    ASSERT_TRUE(alice_.Do({u"click"_qs, kTakePhoto}));
    EXPECT_FALSE(alice_.Enabled(kTakePhoto)) << "one photo at a time";
    // The digits are in the preview while the countdown runs...
    alice_.WaitUntil([] { return false; }, 1500);
    const QString preview = dir_.path() + u"/countdown.png"_qs;
    ASSERT_TRUE(alice_.Do({u"grab"_qs, u"1004"_qs, preview}));
    EXPECT_LT(DigitAreaGreen(QImage(directPath)), 0.01);
    EXPECT_GT(DigitAreaGreen(QImage(preview)), 0.03) << "no digit over the preview";
    ASSERT_TRUE(alice_.WaitUntil([&] { return alice_.Rows().size() == 2; }, kWaitMs));
    EXPECT_GE(countdown.elapsed(), 4500);
    const QString timedName = alice_.Rows().value(0).value(2);
    EXPECT_NE(timedName, direct.value(2));
    // ...and never in the photo.
    EXPECT_LT(DigitAreaGreen(QImage(alice_.PicturesFolder() + timedName)), 0.01);

    // Both photos to bob: two rows on top, each finishing, and bob's copies byte for byte.
    ASSERT_TRUE(alice_.Do({u"pick"_qs, kFriends, u"Bob"_qs}));
    ASSERT_TRUE(alice_.Do({u"key"_qs, kEventList, u"Ctrl+A"_qs}));
    ASSERT_TRUE(alice_.Do({u"click"_qs, kSendPhoto}));
    ASSERT_TRUE(alice_.WaitUntil([&] { return alice_.Rows().size() == 4; }, 10000));
    EXPECT_TRUE(alice_.Rows().value(0).value(3).endsWith(u"Bob"_qs));
    ASSERT_TRUE(WaitForRow(alice_, 0, 1, u"Finish"_qs)) << alice_.Rows().value(0).join(u'|').toStdString();
    ASSERT_TRUE(WaitForRow(alice_, 1, 1, u"Finish"_qs)) << alice_.Rows().value(1).join(u'|').toStdString();
    ASSERT_TRUE(bob_.WaitUntil(
        [&] {
            const auto rows = bob_.Rows();
            return rows.size() == 2 && rows[0].value(1) == u"Finish" && rows[1].value(1) == u"Finish";
        },
        kWaitMs));
    for (const QStringList& row : bob_.Rows()) {
        EXPECT_TRUE(row.value(3).endsWith(u"Alice"_qs)) << row.join(u'|').toStdString();
        const QString received = bob_.PicturesFolder() + u"Receive/"_qs + row.value(2);
        EXPECT_EQ(Read(received), Read(alice_.PicturesFolder() + row.value(2))) << received.toStdString();
    }
}

TEST_F(OrbitEndToEndTest, ARefusedPhotoAndAContactWithoutTheProgramAreReported) {
    StartAlice();
    StartBob();
    TakePhoto(alice_);

    // carol has no copy of the program: the user is told to send the software.
    ASSERT_TRUE(alice_.Do({u"pick"_qs, kFriends, u"Carol"_qs}));
    int from = alice_.LineCount();
    ASSERT_TRUE(alice_.Do({u"click"_qs, kSendPhoto}));
    const QString failure = alice_.WaitForMessage(u"Fail to send"_qs, kWaitMs, from);
    EXPECT_TRUE(failure.contains(u"files to \"Carol\""_qs)) << failure.toStdString();
    EXPECT_TRUE(failure.contains(u"Sending Software"_qs));
    ASSERT_TRUE(alice_.Do({u"box"_qs, u"Ok"_qs}));
    EXPECT_EQ(alice_.Rows().value(0).value(1), u"Connect fail"_qs);

    // "Send Software" asks Skype to offer the folder beside the program to the chosen friend.
    ASSERT_TRUE(alice_.Do({u"pick"_qs, kFriends, u"Bob"_qs}));
    ASSERT_TRUE(alice_.Do({u"click"_qs, u"1021"_qs}));
    const int offer = peer_.WaitForCommand(u"alice"_qs, u"OPEN FILETRANSFER bob IN "_qs, 10000);
    ASSERT_GE(offer, 1);
    const auto commands = peer_.CommandLog(u"alice"_qs);
    EXPECT_EQ(commands.value(offer - 1).text, u"FOCUS"_qs);
    EXPECT_TRUE(commands.value(offer).text.endsWith(u"/Orbit/"_qs)) << commands.value(offer).text.toStdString();

    // bob cancels while the photo travels; alice sees it refused.
    peer_.SetLatency(150);
    ASSERT_TRUE(alice_.Do({u"pick"_qs, kFriends, u"Bob"_qs}));
    ASSERT_TRUE(alice_.Do({u"click-cell"_qs, kEventList, u"1"_qs, u"2"_qs}));
    ASSERT_TRUE(alice_.Do({u"click"_qs, kSendPhoto}));
    ASSERT_TRUE(bob_.WaitUntil([&] { return bob_.Rows().value(0).value(0) == u"Cancel"; }, kWaitMs));
    ASSERT_TRUE(bob_.Do({u"click-cell"_qs, kEventList, u"0"_qs, u"0"_qs}));
    EXPECT_TRUE(WaitForRow(bob_, 0, 1, u"Canceled"_qs));
    EXPECT_TRUE(WaitForRow(alice_, 0, 1, u"Rejected"_qs)) << alice_.Rows().value(0).join(u'|').toStdString();
    // Packets still on their way when bob pressed Cancel never bring his bar back.
    bob_.WaitUntil([] { return false; }, 1500);
    EXPECT_EQ(bob_.Rows().value(0).value(1), u"Canceled"_qs);
}

TEST_F(OrbitEndToEndTest, ARemoteCallerWithThePasswordGetsTheCameraBack) {
    StartAlice();
    // The remote monitor's own sheet, from the tray: the password twice, saved, monitor on.
    ASSERT_TRUE(alice_.Do({u"tray"_qs, u"32795"_qs}));
    ASSERT_TRUE(alice_.Do({u"type"_qs, u"6006"_qs, u"secret"_qs}));
    ASSERT_TRUE(alice_.Do({u"type"_qs, u"6007"_qs, u"secret"_qs}));
    ASSERT_TRUE(alice_.Do({u"click"_qs, u"6005"_qs}));
    ASSERT_TRUE(alice_.Do({u"click"_qs, u"6000"_qs}));
    ASSERT_TRUE(alice_.Do({u"click"_qs, u"1"_qs}));
    EXPECT_FALSE(alice_.Visible(kCameraError));

    const QString call = peer_.IncomingCall(u"alice"_qs, u"dave"_qs);
    ASSERT_FALSE(call.isEmpty()) << peer_.LastError().toStdString();
    ASSERT_TRUE(SkypePeerProcess::WaitUntil(
        [&] {
            for (const auto& line : peer_.ChatLog(u"dave"_qs))
                if (line.body.contains(u"password"_qs))
                    return true;
            return false;
        },
        kWaitMs)) << [&] {
        std::string log;
        for (const auto& e : peer_.CommandLog(u"alice"_qs))
            log += e.text.toStdString() + "\n";
        return log;
    }();
    peer_.TypeMessage(u"dave"_qs, u"alice"_qs, u"secret"_qs);
    // Skype takes the camera for the call: the preview gives way with its message.
    ASSERT_TRUE(alice_.WaitUntil([&] { return alice_.Visible(kCameraError); }, kWaitMs));
    EXPECT_TRUE(alice_.Text(kCameraError).startsWith(kCameraBusy)) << alice_.Text(kCameraError).toStdString();
    // This Skype is older than 4.0: the call is put on hold and resumed once video runs.
    const int hold = peer_.WaitForCommand(u"alice"_qs, u"SET CALL "_qs + call + u" STATUS ONHOLD"_qs, 10000);
    EXPECT_GE(hold, 0);
    EXPECT_GE(peer_.WaitForCommand(u"alice"_qs, u"SET CALL "_qs + call + u" STATUS INPROGRESS"_qs, 10000, hold), 0);
    peer_.EndCall(call);
    EXPECT_TRUE(alice_.WaitUntil([&] { return !alice_.Visible(kCameraError); }, kWaitMs))
        << "the preview comes back after the call";

    // Skype logging out stops the monitor, but the user still wants it: the stored switch
    // stays on, so the next start of the program monitors again.
    const QString config = Home(u"alice"_qs) + u"/.config/Ostrel/Orbit.conf"_qs;
    ASSERT_EQ(QSettings(config, QSettings::IniFormat).value(u"RMON"_qs).toInt(), 1);
    ASSERT_TRUE(peer_.LogOut(u"alice"_qs));
    alice_.WaitUntil([] { return false; }, 1000);
    EXPECT_EQ(QSettings(config, QSettings::IniFormat).value(u"RMON"_qs).toInt(), 1);
    // The user's own Close from the tray is stored.
    ASSERT_TRUE(alice_.Do({u"tray"_qs, u"32794"_qs}));
    EXPECT_TRUE(alice_.WaitUntil(
        [&] { return QSettings(config, QSettings::IniFormat).value(u"RMON"_qs).toInt() == 0; }, 10000));
}

TEST_F(OrbitEndToEndTest, UnpluggingTheCameraShowsWhyAndPluggingItInRestartsThePreview) {
    StartAlice();
    ASSERT_FALSE(alice_.Visible(kCameraError));
    ASSERT_TRUE(alice_.Do({u"camera"_qs, u"unplug"_qs}));
    ASSERT_TRUE(alice_.WaitUntil([&] { return alice_.Visible(kCameraError); }, kWaitMs));
    EXPECT_TRUE(alice_.Text(kCameraError).startsWith(kNoCamera)) << alice_.Text(kCameraError).toStdString();
    EXPECT_FALSE(alice_.Enabled(kTakePhoto));
    ASSERT_TRUE(alice_.Do({u"camera"_qs, u"plug"_qs}));
    EXPECT_TRUE(alice_.WaitUntil([&] { return !alice_.Visible(kCameraError); }, kWaitMs));
    EXPECT_TRUE(alice_.Enabled(kTakePhoto));
}

TEST_F(OrbitEndToEndTest, TheTrayLanguageReachesOpenWindowsAndEverythingSurvivesARestart) {
    StartAlice();
    TakePhoto(alice_);
    const QString english = alice_.Text(kOpenFolder);

    // With the settings sheet open, the tray switches to Traditional Chinese; the photo mode
    // chosen there is kept.
    ASSERT_TRUE(alice_.Do({u"click"_qs, kSetting}));
    ASSERT_TRUE(alice_.Do({u"click"_qs, u"2004"_qs}));
    ASSERT_NE(WaitForModal(alice_, u"COstUI_Orbit_SettingPropSheet"_qs), u"-"_qs);
    ASSERT_TRUE(alice_.Do({u"tray"_qs, u"32801"_qs}));
    EXPECT_EQ(WaitForModal(alice_, u"COstUI_Orbit_SettingPropSheet"_qs), QString::fromUtf8("設定"))
        << "the sheet's caption";
    ASSERT_TRUE(alice_.Do({u"click"_qs, u"1"_qs}));
    EXPECT_NE(alice_.Text(kOpenFolder), english);

    // Close asked and answered No: nothing ends and nothing is saved.
    const QString events = Home(u"alice"_qs) + u"/.local/share/Ostrel/Orbit/EventList.xml"_qs;
    // The photo's row is stored within a second of the photo; from then on nothing changes.
    ASSERT_TRUE(alice_.WaitUntil([&] { return Read(events).contains("<Event>"); }, 10000));
    alice_.WaitUntil([] { return false; }, 1200);
    const QDateTime saved = QFileInfo(events).lastModified();
    ASSERT_TRUE(alice_.Do({u"tray"_qs, u"32798"_qs}));
    ASSERT_NE(WaitForModal(alice_, u"QMessageBox"_qs), u"-"_qs);
    ASSERT_TRUE(alice_.Do({u"box"_qs, u"No"_qs}));
    EXPECT_TRUE(alice_.Enabled(kTakePhoto));
    EXPECT_EQ(QFileInfo(events).lastModified(), saved);

    // Yes ends the program, which saves; the next start has the photo and the language.
    ASSERT_TRUE(alice_.Do({u"tray"_qs, u"32798"_qs}));
    ASSERT_NE(WaitForModal(alice_, u"QMessageBox"_qs), u"-"_qs);
    alice_.Command({u"box"_qs, u"Yes"_qs});
    alice_.WaitUntil([] { return false; }, kWaitMs);
    ASSERT_FALSE(alice_.IsRunning());
    StartAlice();
    EXPECT_EQ(alice_.Rows().size(), 1);
    EXPECT_NE(alice_.Text(kOpenFolder), english);
    ASSERT_TRUE(alice_.Do({u"click"_qs, kSetting}));
    EXPECT_TRUE(alice_.Checked(u"2004"_qs)) << "the photo mode survived the restart";
    ASSERT_TRUE(alice_.Do({u"click"_qs, u"2"_qs}));
}
