// Contacts, calls and saving without windows: a recording chooser, contact window and camera,
// Skype without a bus, settings in a temporary folder.

#include "EventRecord.h"
#include "FakeSkypeTransport.h"
#include "CallMessage.h"
#include "FriendInfoUpdate.h"
#include "IOstCallCamera.h"
#include "IOstFriendChooser.h"
#include "OstCalls.h"
#include "OstContacts.h"
#include "OstEventListModel.h"
#include "OstNotificationCenter.h"
#include "OstSaving.h"
#include "OstSettings.h"
#include "OstSkypeController.h"
#include "OstUser.h"
#include "OstUserMonitor.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

class RecordingChooser : public IOstFriendChooser {
public:
    void FillFriendList(const std::vector<OstUser*>& contacts, const QString& preferred) override {
        shown.clear();
        for (const OstUser* contact : contacts)
            shown << contact->GetHandle();
        chosen = shown.contains(preferred) ? preferred : QString();
        ++fills;
    }
    QString SelectedFriendHandle() const override { return chosen; }

    QStringList shown;
    QString chosen;
    int fills = 0;
};

class RecordingProgress : public IOstContactProgress {
public:
    void Begin(int count) override {
        steps = count;
        counting = true;
        done.clear();
    }
    void Step(int step) override { done << step; }
    void End() override { counting = false; }
    bool Counting() const override { return counting; }

    int steps = 0;
    bool counting = false;
    QList<int> done;
};

class BorrowedCamera : public IOstCallCamera {
public:
    void CallTakesCamera() override {
        inCall = true;
        events << u"taken"_qs;
    }
    void CallReleasesCamera() override {
        inCall = false;
        events << u"back"_qs;
    }
    bool InCall() const override { return inCall; }

    bool inCall = false;
    QStringList events;
};

} // namespace

class CallsTest : public ::testing::Test {
protected:
    CallsTest() {
        transport->Accept();
        OstNotificationCenter::GetInstance().AddObserver(
            this,
            [](void* self, void* payload, const QString&) {
                static_cast<CallsTest*>(self)->calls.OnCallMessage(
                    *static_cast<const CallMessage*>(payload));
            },
            u"SKYPE_CALL_MESSAGE"_qs);
    }
    ~CallsTest() override { OstNotificationCenter::GetInstance().RemoveObserver(this, QString()); }

    QStringList Nudges() const {
        QStringList nudges;
        for (const QString& text : transport->Sent())
            if (text.startsWith(u"SET CALL"_qs))
                nudges << text;
        return nudges;
    }

    FakeSkypeTransport* transport = new FakeSkypeTransport;
    OstSkypeController skype{std::unique_ptr<OstSkypeTransport>(transport)};
    BorrowedCamera camera;
    bool cameraPresent = true;
    OstCalls calls{skype, camera, [this] { return cameraPresent; }};
};

TEST_F(CallsTest, AVideoCallBorrowsTheCameraAndAnOldSkypeIsNudgedOncePerCall) {
    transport->Deliver(u"SKYPEVERSION 3.8.0.115"_qs);
    transport->Deliver(u"CALL 5 STATUS INPROGRESS"_qs);
    EXPECT_TRUE(camera.events.isEmpty()) << "a call without video leaves the preview alone";
    transport->Deliver(u"CALL 5 VIDEO_SEND_STATUS STARTING"_qs);
    EXPECT_EQ(camera.events, QStringList{u"taken"_qs});
    transport->Deliver(u"CALL 5 VIDEO_SEND_STATUS RUNNING"_qs);
    transport->Deliver(u"CALL 5 VIDEO_SEND_STATUS RUNNING"_qs);
    EXPECT_EQ(Nudges(), (QStringList{u"SET CALL 5 STATUS ONHOLD"_qs, u"SET CALL 5 STATUS INPROGRESS"_qs}));
    transport->Deliver(u"CALL 5 STATUS FINISHED"_qs);
    EXPECT_EQ(camera.events, (QStringList{u"taken"_qs, u"back"_qs}));
    // The call's end is reported more than once: the camera comes back once.
    transport->Deliver(u"CALL 5 STATUS FINISHED"_qs);
    EXPECT_EQ(camera.events.size(), 2);

    // The next call is nudged again; video stopping gives the camera back at once.
    transport->Deliver(u"CALL 6 VIDEO_SEND_STATUS STARTING"_qs);
    transport->Deliver(u"CALL 6 VIDEO_SEND_STATUS RUNNING"_qs);
    EXPECT_EQ(Nudges().size(), 4);
    transport->Deliver(u"CALL 6 VIDEO_SEND_STATUS AVAILABLE"_qs);
    EXPECT_FALSE(camera.inCall);
}

TEST_F(CallsTest, ANewSkypeIsNotNudgedAndNothingHappensWithoutACamera) {
    transport->Deliver(u"SKYPEVERSION 4.1.0.20"_qs);
    transport->Deliver(u"CALL 7 VIDEO_SEND_STATUS STARTING"_qs);
    transport->Deliver(u"CALL 7 VIDEO_SEND_STATUS RUNNING"_qs);
    EXPECT_TRUE(camera.inCall);
    EXPECT_TRUE(Nudges().isEmpty());
    transport->Deliver(u"CALL 7 STATUS FAILED"_qs);
    EXPECT_FALSE(camera.inCall);

    cameraPresent = false;
    transport->Deliver(u"CALL 8 VIDEO_SEND_STATUS STARTING"_qs);
    EXPECT_FALSE(camera.inCall);
}

class ContactsTest : public ::testing::Test {
protected:
    ContactsTest() {
        transport->Accept();
        transport->Deliver(u"USERSTATUS ONLINE"_qs);
        // Skype's reports reach the contacts as they reach the program: through the centre.
        OstNotificationCenter::GetInstance().AddObserver(
            this,
            [](void* self, void* payload, const QString&) {
                static_cast<ContactsTest*>(self)->contacts.OnFriendInfoUpdate(
                    *static_cast<const FriendInfoUpdate*>(payload));
            },
            u"SKYPE_FRIEND_INFO_UPDATE"_qs);
    }
    ~ContactsTest() override { OstNotificationCenter::GetInstance().RemoveObserver(this, QString()); }

    void Status(const char* handle, const char* status) {
        transport->Deliver(u"USER %1 ONLINESTATUS %2"_qs.arg(QLatin1String(handle), QLatin1String(status)));
    }

    FakeSkypeTransport* transport = new FakeSkypeTransport;
    OstSkypeController skype{std::unique_ptr<OstSkypeTransport>(transport)};
    RecordingChooser chooser;
    RecordingProgress progress;
    QString lastFriend = u"carol"_qs;
    int completed = 0;
    QList<int> told;
    OstContacts contacts{skype, chooser, progress, lastFriend,
                         OstContacts::Hooks{[this] { ++completed; },
                                            [this](int id) { told << id; }}};
};

TEST_F(ContactsTest, EachContactIsOneStepAndTheLastFillsTheChooserWithTheLastChoice) {
    contacts.Connected();
    EXPECT_TRUE(transport->Sent().contains(u"SEARCH FRIENDS"_qs));
    transport->Deliver(u"USERS bob, carol"_qs);
    ASSERT_TRUE(progress.counting);
    EXPECT_EQ(progress.steps, 2);

    Status("bob", "ONLINE");
    // A name is no step; only each contact's state is.
    transport->Deliver(u"USER bob FULLNAME Bob Builder"_qs);
    EXPECT_EQ(progress.done, QList<int>{0});
    EXPECT_EQ(chooser.fills, 0) << "the chooser waits for the whole list";
    Status("carol", "AWAY");
    EXPECT_EQ(progress.done, (QList<int>{0, 1}));
    EXPECT_FALSE(progress.counting);
    EXPECT_EQ(completed, 1);
    EXPECT_EQ(chooser.shown, (QStringList{u"bob"_qs, u"carol"_qs}));
    EXPECT_EQ(chooser.chosen, u"carol"_qs);

    // Later changes leave the chooser behind until the user opens it, and then refill it once.
    Status("bob", "DND");
    EXPECT_EQ(chooser.fills, 1);
    chooser.chosen = u"bob"_qs;
    contacts.Refresh();
    EXPECT_EQ(chooser.fills, 2);
    EXPECT_EQ(lastFriend, u"bob"_qs) << "the user's current choice is kept through the refill";
    EXPECT_EQ(chooser.chosen, u"bob"_qs);
    contacts.Refresh();
    EXPECT_EQ(chooser.fills, 2);
}

TEST_F(ContactsTest, OneContactIsOneStepAndNoContactsShowNoWindow) {
    transport->Deliver(u"USERS "_qs);
    EXPECT_FALSE(progress.counting) << "an empty list has nothing to count";
    transport->Deliver(u"USERS bob"_qs);
    ASSERT_TRUE(progress.counting);
    EXPECT_EQ(progress.steps, 1);
    Status("bob", "ONLINE");
    EXPECT_EQ(completed, 1);
    EXPECT_EQ(chooser.shown, QStringList{u"bob"_qs});
}

TEST_F(ContactsTest, SkypeLeavingEmptiesTheChooserAndKeepsTheChoice) {
    transport->Deliver(u"USERS bob"_qs);
    Status("bob", "ONLINE");
    chooser.chosen = u"bob"_qs;
    contacts.Disconnected();
    EXPECT_TRUE(chooser.shown.isEmpty());
    EXPECT_EQ(lastFriend, u"bob"_qs);
}

TEST_F(ContactsTest, APhotoGoesOnlyToAChosenContactWhenBothAreOnline) {
    transport->Deliver(u"USERS bob, dave"_qs);
    Status("bob", "ONLINE");
    Status("dave", "OFFLINE");
    EXPECT_FALSE(contacts.CheckFriend(QString()));
    EXPECT_FALSE(contacts.CheckFriend(u"dave"_qs));
    EXPECT_FALSE(contacts.CheckFriend(u"nobody"_qs));
    EXPECT_EQ(told, (QList<int>{462, 463, 463}));
    EXPECT_TRUE(contacts.CheckFriend(u"bob"_qs));
    transport->Deliver(u"USERSTATUS OFFLINE"_qs);
    EXPECT_FALSE(contacts.CheckFriend(u"bob"_qs)) << "the user went offline";
    EXPECT_EQ(told.size(), 4);
}

class SavingTest : public ::testing::Test {
protected:
    SavingTest() {
        working = settings->GetSettings();
        ResetSaving();
    }

    void ResetSaving() {
        saving = std::make_unique<OstSaving>(
            OstSaving::Parts{*settings, working, events, [this] { return sheetOpen; },
                             [this] { ++writes; }, [this] { ++told; }},
            50);
    }
    QString Folder() const { return data.path() + u"/Ostrel/Orbit"_qs; }
    // The folder becomes a file: every write in it fails, even for root.
    void BreakFolder() {
        ASSERT_TRUE(QDir(Folder()).removeRecursively());
        QFile blocker(Folder());
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    }
    void MendFolder() {
        ASSERT_TRUE(QFile::remove(Folder()));
        ASSERT_TRUE(QDir().mkpath(Folder()));
    }
    void WaitForWrite() { ASSERT_TRUE(QTest::qWaitFor([&] { return !saving->Pending(); }, 5000)); }
    OstSettings Reread() const { return OstSettings(Locations()); }
    OstSettings::Locations Locations() const {
        OstSettings::Locations locations;
        locations.DataLocation = data.path();
        locations.PicturesLocation = data.path() + u"/Pictures"_qs;
        return locations;
    }

    QTemporaryDir data;
    std::unique_ptr<OstSettings> settings = std::make_unique<OstSettings>(Locations());
    SettingsRecord working;
    OstEventListModel events;
    bool sheetOpen = false;
    int writes = 0;
    int told = 0;
    std::unique_ptr<OstSaving> saving;
};

TEST_F(SavingTest, ManyChangesAreOneWriteAndTheEndEndsTheTransfersInTheRowsToo) {
    events.AddEvent(EventRecord::TakenPhoto(data.filePath(u"a.jpg"_qs), u"640x480"_qs));
    EventRecord sent = EventRecord::TakenPhoto(data.filePath(u"a.jpg"_qs), u"640x480"_qs);
    sent.EventType = EventRecord::Sent;
    sent.Status = EventRecord::Transferring;
    events.AddEvent(sent, 7);
    for (int i = 0; i < 5; ++i)
        saving->Schedule();
    WaitForWrite();
    EXPECT_EQ(writes, 1);
    // Stored as ended, still running in the rows.
    ASSERT_EQ(Reread().GetEvents().size(), 2);
    EXPECT_EQ(Reread().GetEvents().first().Status, EventRecord::Ended);
    EXPECT_EQ(events.Row(0)->Record.Status, EventRecord::Transferring);

    saving->Schedule();
    EXPECT_TRUE(saving->Pending()) << "the next write waits for its interval";
    saving->Final();
    EXPECT_FALSE(saving->Pending()) << "the end leaves nothing for later";
    EXPECT_EQ(writes, 2);
    EXPECT_EQ(events.Row(0)->Record.Status, EventRecord::Ended);
    EXPECT_EQ(told, 0);
}

TEST_F(SavingTest, AnOpenSheetKeepsItsChoicesUntilTheEnd) {
    working.LastFriendHandle = u"bob"_qs;
    sheetOpen = true;
    saving->Schedule();
    WaitForWrite();
    EXPECT_EQ(Reread().GetSettings().LastFriendHandle, QString());
    saving->Final();
    EXPECT_EQ(Reread().GetSettings().LastFriendHandle, u"bob"_qs);
}

TEST_F(SavingTest, AFailingWriteIsToldOnceUntilOneSucceeds) {
    events.AddEvent(EventRecord::TakenPhoto(data.filePath(u"a.jpg"_qs), u"640x480"_qs));
    BreakFolder();
    for (int round = 0; round < 3; ++round) {
        saving->Schedule();
        WaitForWrite();
    }
    EXPECT_EQ(writes, 3);
    EXPECT_EQ(told, 1);

    MendFolder();
    saving->Schedule();
    WaitForWrite();
    EXPECT_EQ(told, 1);
    EXPECT_EQ(Reread().GetEvents().size(), 1);

    BreakFolder();
    saving->Schedule();
    WaitForWrite();
    EXPECT_EQ(told, 2) << "a new failure after a success is told again";
    // The end never asks: a box could hold up a session that is ending.
    saving->Final();
    EXPECT_EQ(told, 2);
}
