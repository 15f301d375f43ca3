// What a person meets when the world moves under the program: photos arriving while a question
// is open, a session killed, a password revoked, a camera unplugged, no tray to end it from.
// Two copies of the whole program, driven only through their windows.

#include "TwoCopies.h"

namespace {

const QString kClose = QStringLiteral("1015");
const QString kRemoteSetting = QStringLiteral("32795");
const QString kRemoteOpen = QStringLiteral("32793");
const QString kRemoteClose = QStringLiteral("32794");
const QString kOpenOrbit = QStringLiteral("32791");

QString EventListFile(const QString& home) {
    return home + u"/.local/share/Ostrel/Orbit/EventList.xml"_qs;
}
QString ConfigFile(const QString& home) {
    return home + u"/.config/Ostrel/Orbit.conf"_qs;
}

// Names of the rows, top first.
QStringList Names(const QList<QStringList>& rows) {
    QStringList names;
    for (const QStringList& row : rows)
        names.append(row.value(2));
    return names;
}

} // namespace

class NothingLostTest : public OrbitEndToEndTest {
protected:
    // Whether the copy's camera streams (its light would be on).
    static int CameraRunning(OrbitUiProcess& orbit) {
        const int from = orbit.LineCount();
        orbit.Command({u"camera"_qs, u"running"_qs});
        const int at = orbit.WaitForLine(
            [](const QStringList& f) { return f.value(0) == u"camera"; }, 5000, from);
        return at < 0 ? -1 : orbit.Lines()[at].value(1).toInt();
    }

    // bob sends his newest photo to alice and both wait until it has arrived whole.
    void BobSendsAPhoto() {
        const int before = int(alice_.Rows().size());
        TakePhoto(bob_);
        ASSERT_TRUE(bob_.Do({u"pick"_qs, kFriends, u"Alice"_qs}));
        ASSERT_TRUE(bob_.Do({u"click-cell"_qs, kEventList, u"0"_qs, u"2"_qs}));
        ASSERT_TRUE(bob_.Do({u"click"_qs, kSendPhoto}));
        ASSERT_TRUE(alice_.WaitUntil(
            [&] {
                return alice_.Rows().size() == before + 1 &&
                       alice_.Rows().value(0).value(1) == u"Finish";
            },
            kWaitMs))
            << "the photo never arrived";
        const QString name = alice_.Rows().value(0).value(2);
        // The row finishes with the last packet; the file gets its name a moment later.
        alice_.WaitUntil(
            [&] { return QFileInfo::exists(alice_.PicturesFolder() + u"Receive/"_qs + name); },
            10000);
        EXPECT_EQ(Read(alice_.PicturesFolder() + u"Receive/"_qs + name),
                  Read(bob_.PicturesFolder() + bob_.Rows().value(1).value(2)))
            << "not whole: " << name.toStdString();
    }

    // Sets the remote monitor's password through its own sheet and switches the monitor on.
    void SetPasswordAndSwitchOn(const QString& password) {
        ASSERT_TRUE(alice_.Do({u"tray"_qs, kRemoteSetting}));
        ASSERT_TRUE(alice_.Do({u"type"_qs, u"6006"_qs, password}));
        ASSERT_TRUE(alice_.Do({u"type"_qs, u"6007"_qs, password}));
        ASSERT_TRUE(alice_.Do({u"click"_qs, u"6005"_qs}));
        ASSERT_TRUE(alice_.Do({u"click"_qs, u"6000"_qs}));
        ASSERT_TRUE(alice_.Do({u"click"_qs, u"1"_qs}));
    }

    int StoredSwitch() const {
        return QSettings(ConfigFile(Home(u"alice"_qs)), QSettings::IniFormat)
            .value(u"RMON"_qs, -1)
            .toInt();
    }
};

TEST_F(NothingLostTest, RowsChosenBeforeAQuestionAreTheRowsActedOnWhilePhotosArrive) {
    StartAlice();
    StartBob();
    const QString older = TakePhoto(alice_).value(2);
    const QString newer = TakePhoto(alice_).value(2);
    ASSERT_NE(older, newer);

    // The older photo is chosen and Delete asks; meanwhile bob's photo arrives on top and is
    // selected.
    ASSERT_TRUE(alice_.Do({u"click-cell"_qs, kEventList, u"1"_qs, u"2"_qs}));
    ASSERT_TRUE(alice_.Do({u"key"_qs, kEventList, u"Delete"_qs}));
    ASSERT_EQ(WaitForModal(alice_, u"QMessageBox"_qs), u"Orbit"_qs);
    BobSendsAPhoto();
    const QString received = alice_.Rows().value(0).value(2);
    ASSERT_TRUE(alice_.Do({u"box"_qs, u"Yes"_qs}));

    // Exactly the chosen photo went, row and file.
    ASSERT_TRUE(alice_.WaitUntil([&] { return alice_.Rows().size() == 2; }, 10000));
    EXPECT_EQ(Names(alice_.Rows()), (QStringList{received, newer}));
    EXPECT_FALSE(QFileInfo::exists(alice_.PicturesFolder() + older));
    EXPECT_TRUE(QFileInfo::exists(alice_.PicturesFolder() + newer));
    EXPECT_TRUE(QFileInfo::exists(alice_.PicturesFolder() + u"Receive/"_qs + received));
}

TEST_F(NothingLostTest, RowsTakenAndReceivedSurviveAKilledSession) {
    StartAlice();
    StartBob();
    const QString taken = TakePhoto(alice_).value(2);
    BobSendsAPhoto();
    const QString received = alice_.Rows().value(0).value(2);

    // The list is written soon after each change, without waiting for the end of the program.
    const QString events = EventListFile(Home(u"alice"_qs));
    EXPECT_TRUE(alice_.WaitUntil(
        [&] {
            const QByteArray xml = Read(events);
            return xml.contains(taken.toUtf8()) && xml.contains(received.toUtf8());
        },
        10000))
        << Read(events).toStdString();
    alice_.Kill();
    StartAlice();
    const QStringList names = Names(alice_.Rows());
    EXPECT_TRUE(names.contains(taken)) << names.join(u',').toStdString();
    EXPECT_TRUE(names.contains(received)) << names.join(u',').toStdString();
}

TEST_F(NothingLostTest, ASaveThatFailsIsReportedOnceAndTheNextOneCatchesUp) {
    StartAlice();
    // The list cannot be replaced while a folder stands under its name (root may write anywhere
    // else).
    const QString events = EventListFile(Home(u"alice"_qs));
    ASSERT_TRUE(QFile::remove(events) || !QFileInfo::exists(events));
    ASSERT_TRUE(QDir().mkpath(events));
    const QString failed = u"Orbit could not save its photo list"_qs;
    const int from = alice_.LineCount();
    TakePhoto(alice_);
    ASSERT_FALSE(alice_.WaitForMessage(failed, 10000, from).isEmpty())
        << "a failed save said nothing";
    ASSERT_TRUE(alice_.Do({u"box"_qs, u"Ok"_qs}));
    const int afterFirst = alice_.LineCount();
    TakePhoto(alice_);
    EXPECT_TRUE(alice_.WaitForMessage(failed, 3000, afterFirst).isEmpty()) << "told twice";

    // Once the list can be written again, the next change stores every row.
    ASSERT_TRUE(QDir(events).removeRecursively());
    const QString third = TakePhoto(alice_).value(2);
    EXPECT_TRUE(alice_.WaitUntil([&] { return Read(events).contains(third.toUtf8()); }, 10000));
    EXPECT_EQ(Read(events).count("<Event>"), 3);
}

TEST_F(NothingLostTest, ARevokedPasswordIsRevoked) {
    StartAlice();
    SetPasswordAndSwitchOn(u"secret"_qs);

    // Change, the fields left empty, OK: the password is gone, and the monitor with it.
    ASSERT_TRUE(alice_.Do({u"tray"_qs, kRemoteSetting}));
    ASSERT_TRUE(alice_.Do({u"click"_qs, u"6008"_qs}));
    ASSERT_TRUE(alice_.Do({u"click"_qs, u"1"_qs}));
    EXPECT_TRUE(alice_.WaitUntil(
        [&] {
            return QSettings(ConfigFile(Home(u"alice"_qs)), QSettings::IniFormat)
                       .value(u"RMPM"_qs)
                       .toString() == u"AA=="_qs;
        },
        10000))
        << "the emptied password is stored";

    // Open from the tray asks for a password instead of starting the monitor with the old one.
    ASSERT_TRUE(alice_.Do({u"tray"_qs, kRemoteOpen}));
    EXPECT_EQ(WaitForModal(alice_, u"COstUI_PropertySheet"_qs), u"Remote Monitor"_qs);
    ASSERT_TRUE(alice_.Do({u"click"_qs, u"2"_qs}));
    EXPECT_TRUE(alice_.WaitUntil([&] { return StoredSwitch() == 0; }, 10000));

    // Whoever knew the old password gets nothing: no prompt, no answer.
    const QString call = peer_.IncomingCall(u"alice"_qs, u"dave"_qs);
    ASSERT_FALSE(call.isEmpty()) << peer_.LastError().toStdString();
    peer_.TypeMessage(u"dave"_qs, u"alice"_qs, u"secret"_qs);
    alice_.WaitUntil([] { return false; }, 3000);
    for (const auto& entry : peer_.CommandLog(u"alice"_qs)) {
        EXPECT_FALSE(entry.text.contains(u"STATUS INPROGRESS"_qs)) << entry.text.toStdString();
        EXPECT_FALSE(entry.text.startsWith(u"CHATMESSAGE"_qs)) << entry.text.toStdString();
    }
    EXPECT_FALSE(alice_.Visible(kCameraError)) << "the camera stays with the preview";
}

TEST_F(NothingLostTest, TheUsersOffIsKeptWhileNoCameraIsThere) {
    StartAlice();
    SetPasswordAndSwitchOn(u"secret"_qs);
    ASSERT_TRUE(alice_.WaitUntil([&] { return StoredSwitch() == 1; }, 10000));
    ASSERT_TRUE(alice_.Do({u"camera"_qs, u"unplug"_qs}));
    ASSERT_TRUE(alice_.WaitUntil([&] { return alice_.Visible(kCameraError); }, kWaitMs));
    EXPECT_EQ(StoredSwitch(), 1) << "no camera is no wish to stop";
    ASSERT_TRUE(alice_.Do({u"tray"_qs, kRemoteClose}));
    EXPECT_TRUE(alice_.WaitUntil([&] { return StoredSwitch() == 0; }, 10000))
        << "the user's off is stored";
    // Plugged in again, the monitor stays off.
    ASSERT_TRUE(alice_.Do({u"camera"_qs, u"plug"_qs}));
    ASSERT_TRUE(alice_.WaitUntil([&] { return !alice_.Visible(kCameraError); }, kWaitMs));
    EXPECT_EQ(StoredSwitch(), 0);
}

TEST_F(NothingLostTest, AReceivedPhotoDoesNotSwitchTheCameraOn) {
    // At log-on, hidden (minimised where there is no tray): the camera stays off.
    ASSERT_TRUE(alice_.Start(aliceBus_.Address(), Home(u"alice"_qs), {u"-startup"_qs}))
        << alice_.ErrorOutput().toStdString();
    StartBob();
    ASSERT_TRUE(WaitForFriend(alice_, u"Bob"_qs));
    EXPECT_EQ(CameraRunning(alice_), 0);
    BobSendsAPhoto();
    EXPECT_EQ(CameraRunning(alice_), 0) << "someone else's photo turned the camera on";
    // The user opens Orbit: now the preview runs.
    ASSERT_TRUE(alice_.Do({u"tray"_qs, kOpenOrbit}));
    EXPECT_TRUE(alice_.WaitUntil([&] { return CameraRunning(alice_) == 1; }, kWaitMs));
    EXPECT_TRUE(alice_.Enabled(kTakePhoto));
}

TEST_F(NothingLostTest, WithoutATrayCloseAsksAndEndsTheProgram) {
    // The offscreen platform has no tray, as GNOME without its tray extension.
    StartAlice();
    const QString taken = TakePhoto(alice_).value(2);
    ASSERT_TRUE(alice_.Do({u"click"_qs, kClose}));
    ASSERT_EQ(WaitForModal(alice_, u"QMessageBox"_qs), u"Orbit"_qs);
    ASSERT_TRUE(alice_.Do({u"box"_qs, u"No"_qs}));
    EXPECT_TRUE(alice_.Visible(kTakePhoto)) << "No keeps the dialog";
    EXPECT_TRUE(alice_.IsRunning());

    ASSERT_TRUE(alice_.Do({u"click"_qs, kClose}));
    ASSERT_EQ(WaitForModal(alice_, u"QMessageBox"_qs), u"Orbit"_qs);
    alice_.Command({u"box"_qs, u"Yes"_qs});
    EXPECT_TRUE(alice_.WaitUntil([&] { return !alice_.IsRunning(); }, kWaitMs))
        << "Yes ends the program";
    EXPECT_TRUE(Read(EventListFile(Home(u"alice"_qs))).contains(taken.toUtf8()));
}

TEST_F(NothingLostTest, ATimedPhotoThatCannotBeWrittenLeavesNoRowAndTakePhotoWorksAgain) {
    StartAlice();
    ASSERT_NO_FATAL_FAILURE(ChooseCountdown(alice_));
    const int from = alice_.LineCount();
    ASSERT_TRUE(alice_.Do({u"click"_qs, kTakePhoto}));
    // The folder goes while the digits run down.
    ASSERT_TRUE(alice_.WaitUntil([&] { return !alice_.Enabled(kTakePhoto); }, 10000));
    ASSERT_TRUE(QDir(alice_.PicturesFolder()).removeRecursively());
    const QString failure = alice_.WaitForMessage(u"GrabImage"_qs, kWaitMs, from);
    EXPECT_FALSE(failure.isEmpty());
    ASSERT_TRUE(alice_.Do({u"box"_qs, u"Ok"_qs}));
    EXPECT_TRUE(alice_.WaitUntil([&] { return alice_.Enabled(kTakePhoto); }, 10000))
        << "Take Photo stays dead";
    EXPECT_TRUE(alice_.Rows().isEmpty());
}

TEST_F(NothingLostTest, ACameraPulledInTheCountdownLeavesNoRowAndPluggedBackTakesTimedPhotosAgain) {
    StartAlice();
    ASSERT_NO_FATAL_FAILURE(ChooseCountdown(alice_));
    const int from = alice_.LineCount();
    ASSERT_TRUE(alice_.Do({u"click"_qs, kTakePhoto}));
    ASSERT_TRUE(alice_.WaitUntil([&] { return !alice_.Enabled(kTakePhoto); }, 10000));
    ASSERT_TRUE(alice_.Do({u"camera"_qs, u"unplug"_qs}));
    ASSERT_TRUE(alice_.WaitUntil([&] { return alice_.Visible(kCameraError); }, kWaitMs));
    // Past the end of the digits: the photo the camera never took has no row and no file.
    alice_.WaitUntil([] { return false; }, 6000);
    if (!alice_.WaitForMessage(u"GrabImage"_qs, 1, from).isEmpty()) {
        ASSERT_TRUE(alice_.Do({u"box"_qs, u"Ok"_qs}));
    }
    EXPECT_TRUE(alice_.Rows().isEmpty());
    EXPECT_TRUE(QDir(alice_.PicturesFolder()).entryList({u"*.jpg"_qs}, QDir::Files | QDir::Hidden).isEmpty());

    ASSERT_TRUE(alice_.Do({u"camera"_qs, u"plug"_qs}));
    ASSERT_TRUE(alice_.WaitUntil([&] { return alice_.Enabled(kTakePhoto); }, kWaitMs))
        << "Take Photo stays dead";
    ASSERT_TRUE(alice_.Do({u"click"_qs, kTakePhoto}));
    EXPECT_TRUE(alice_.WaitUntil([&] { return alice_.Rows().size() == 1; }, kWaitMs));
}

// bob's Skype names him only three seconds after the attach, when his contacts are long
// complete: his photo application must still carry his name.
class LateHandleTest : public NothingLostTest {
protected:
    QString Scenario() const override {
        QString scenario = kScenario;
        scenario.replace(
            u"{\"handle\": \"bob\", \"fullName\": \"Bob\","_qs,
            u"{\"handle\": \"bob\", \"fullName\": \"Bob\", \"handleDelayMs\": 3000,"_qs);
        return scenario;
    }
};

TEST_F(LateHandleTest, ThePhotoApplicationWaitsForTheOwnHandle) {
    StartAlice();
    StartBob();
    BobSendsAPhoto();
    for (const auto& entry : peer_.CommandLog(u"bob"_qs)) {
        if (entry.text.startsWith(u"CREATE APPLICATION"_qs)) {
            EXPECT_GT(entry.text.trimmed().size(), QStringLiteral("CREATE APPLICATION").size())
                << "a nameless application";
        }
    }
}
