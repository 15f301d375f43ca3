#include "NotificationLog.h"
#include "OstDBusSkypeTransport.h"
#include "OstSkypeController.h"
#include "PrivateBus.h"
#include "SkypePeerProcess.h"

#include <QDBusConnection>
#include <gtest/gtest.h>

#include <thread>

namespace {

const QString kMe = u"me"_qs;

// bob is AWAY when asked; the test makes Skype report him ONLINE right after that answer.
const QString kScenario = uR"({
  "users": [
    {"handle": "me", "friends": ["bob"]},
    {"handle": "bob", "fullName": "Bob Builder", "status": "AWAY", "friends": ["me"]}
  ]})"_qs;

int connectionNumber = 0;

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 10000) {
    return SkypePeerProcess::WaitUntil(condition, timeoutMs);
}

} // namespace

// The controller on the D-Bus transport against the Skype stand-in.
class LinkOrderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(bus.IsValid());
        ASSERT_TRUE(peer.Start(kScenario, {{kMe, bus.Address()}}))
            << peer.LastError().toStdString();
        connectionName = u"link-order-test-"_qs + QString::number(++connectionNumber);
        controller = std::make_unique<OstSkypeController>(
            std::make_unique<OstDBusSkypeTransport>(
                QDBusConnection::connectToBus(bus.Address(), connectionName)),
            100);
        controller->Discover();
        ASSERT_TRUE(WaitUntil([&] { return controller->IsAttached(); }));
        ASSERT_TRUE(WaitUntil([&] { return controller->GetSkypeVersion() != 0; }));
    }
    void TearDown() override {
        controller.reset();
        QDBusConnection::disconnectFromBus(connectionName);
    }

    int StatusPosts() const {
        return int(log.lines.count(u"SKYPE_FRIEND_INFO_UPDATE "_qs +
                                   QString::number(FRIEND_ONLINESTATUS) + u" bob"_qs));
    }
    std::int32_t BobStatus() const {
        const OstUser* bob = controller->GetUserMonitor().FindUser(u"bob"_qs);
        return bob ? bob->GetOnlineStatus() : -1;
    }

    PrivateBus bus;
    SkypePeerProcess peer;
    QString connectionName;
    std::unique_ptr<OstSkypeController> controller;
    NotificationLog log;
};

// An answer and the text Skype sent right after it are classified in that order, whether the
// command left from the UI thread or from a worker thread: the newer status wins.
TEST_F(LinkOrderTest, ReplyThenNotificationKeepTheirOrder) {
    const QString online = u"USER bob ONLINESTATUS ONLINE"_qs;
    ASSERT_TRUE(peer.NotifyAfterReply(kMe, u"GET USER bob ONLINESTATUS"_qs, online))
        << peer.LastError().toStdString();
    controller->SendCommand(u"SEARCH FRIENDS"_qs);
    ASSERT_TRUE(WaitUntil([&] { return StatusPosts() == 2; }));
    EXPECT_EQ(BobStatus(), SKYPE_STATUS_ONLINE);

    ASSERT_TRUE(peer.SendRaw(kMe, u"USER bob ONLINESTATUS AWAY"_qs));
    ASSERT_TRUE(WaitUntil([&] { return BobStatus() == SKYPE_STATUS_AWAY; }));
    const int before = StatusPosts();
    ASSERT_TRUE(peer.NotifyAfterReply(kMe, u"GET USER bob ONLINESTATUS"_qs, online))
        << peer.LastError().toStdString();
    std::thread worker([&] { controller->SendCommand(u"GET USER bob ONLINESTATUS"_qs); });
    worker.join();
    ASSERT_TRUE(WaitUntil([&] { return StatusPosts() == before + 2; }));
    EXPECT_EQ(BobStatus(), SKYPE_STATUS_ONLINE);

    // Skype sent the answer first, then the notification.
    QStringList tail;
    for (const auto& entry : peer.TrafficLog(kMe))
        tail.append(entry.kind + u' ' + entry.text);
    ASSERT_GE(tail.size(), 2);
    EXPECT_EQ(tail.mid(tail.size() - 2),
              (QStringList{u"< USER bob ONLINESTATUS AWAY"_qs, u"! "_qs + online}));
}

// The UI thread hands a command over and goes on while Skype takes its time to answer; the
// answer is classified when it comes.
TEST_F(LinkOrderTest, UiThreadNeverWaitsForTheAnswer) {
    ASSERT_TRUE(peer.SetReplyDelay(kMe, 3000));
    controller->SendCommand(u"GET USER bob FULLNAME"_qs);
    ASSERT_GE(peer.WaitForCommand(kMe, u"GET USER bob FULLNAME"_qs), 0);
    bool answered = false;
    for (const auto& entry : peer.TrafficLog(kMe))
        answered = answered || (entry.kind == u"<" && entry.text.startsWith(u"USER bob FULLNAME"));
    EXPECT_FALSE(answered) << "the send returned only after Skype had answered";
    ASSERT_TRUE(WaitUntil([&] {
        const OstUser* bob = controller->GetUserMonitor().FindUser(u"bob"_qs);
        return bob && bob->GetFullName() == u"Bob Builder";
    }));
}

// A command the bus refuses (Skype gave its name up) is the lost link, found after the send
// returned; discovery starts again.
TEST_F(LinkOrderTest, BusErrorIsTheLostLink) {
    ASSERT_TRUE(peer.DropBusName(kMe));
    controller->SendCommand(u"PING"_qs);
    ASSERT_TRUE(WaitUntil([&] { return !controller->IsAttached(); }));
    EXPECT_EQ(log.lines.count(u"SKYPE_DISCONNECTED"_qs), 1);
    EXPECT_TRUE(controller->IsDiscovering());
    ASSERT_TRUE(peer.RestoreBusName(kMe));
    EXPECT_TRUE(WaitUntil([&] { return controller->IsAttached(); }));
}

// Skype says who the user is and the user's status right after accepting the attach; Qt D-Bus
// may hand those texts over before the answer itself, and they must not be lost then.
TEST(LinkAttachTest, TextsRightAfterTheAttachAreNeverLost) {
    PrivateBus bus;
    ASSERT_TRUE(bus.IsValid());
    SkypePeerProcess peer;
    ASSERT_TRUE(peer.Start(kScenario, {{kMe, bus.Address()}})) << peer.LastError().toStdString();
    for (int attach = 0; attach < 40; ++attach) {
        const QString name = u"link-attach-test-"_qs + QString::number(++connectionNumber);
        {
            OstSkypeController controller(std::make_unique<OstDBusSkypeTransport>(
                                              QDBusConnection::connectToBus(bus.Address(), name)),
                                          100);
            controller.Discover();
            ASSERT_TRUE(WaitUntil([&] { return controller.IsAttached(); }));
            // A command's answer comes after the texts that followed the attach.
            controller.SendCommand(u"PING"_qs);
            ASSERT_TRUE(
                WaitUntil([&] { return controller.GetUserStatus() == SKYPE_STATUS_ONLINE; }, 3000))
                << "attach " << attach;
            EXPECT_EQ(controller.GetCurrentUserHandle(), kMe) << "attach " << attach;
        }
        QDBusConnection::disconnectFromBus(name);
    }
}
