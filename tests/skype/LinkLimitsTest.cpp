// The link on a bus daemon with its built-in limits, which turns down a connection's calls
// beyond 128 waiting for replies.
#include "NotificationLog.h"
#include "OstDBusSkypeTransport.h"
#include "OstSkypeController.h"
#include "PrivateBus.h"
#include "SkypePeerProcess.h"

#include <QDBusConnection>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {

constexpr int kFriends = 3000;
// Only guards against a hang; a loaded machine under a sanitizer is slow.
constexpr int kLoadTimeoutMs = 240000;

QString FriendHandle(int i) {
    return QStringLiteral("friend.%1").arg(i, 4, 10, QLatin1Char('0'));
}

QString ManyFriends() {
    QJsonArray users;
    QJsonArray friends;
    for (int i = 0; i < kFriends; ++i) {
        friends.append(FriendHandle(i));
        users.append(QJsonObject{{u"handle"_qs, FriendHandle(i)},
                                 {u"fullName"_qs, QStringLiteral("Friend %1").arg(i)},
                                 {u"status"_qs, i % 2 ? u"ONLINE"_qs : u"AWAY"_qs}});
    }
    users.prepend(QJsonObject{{u"handle"_qs, u"me"_qs}, {u"friends"_qs, friends}});
    return QString::fromUtf8(
        QJsonDocument(QJsonObject{{u"users"_qs, users}}).toJson(QJsonDocument::Compact));
}

int connectionNumber = 0;

class LinkLimitsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(bus.IsValid());
        ASSERT_TRUE(peer.Start(ManyFriends(), {{u"me"_qs, bus.Address()}}, 60000))
            << peer.LastError().toStdString();
        connectionName = u"link-limits-test-"_qs + QString::number(++connectionNumber);
    }
    void TearDown() override { QDBusConnection::disconnectFromBus(connectionName); }

    QDBusConnection Connection() const {
        return QDBusConnection::connectToBus(bus.Address(), connectionName);
    }

    PrivateBus bus{PrivateBus::Limits::DaemonDefaults};
    SkypePeerProcess peer;
    QString connectionName;
};

} // namespace

// 9,000 queries on a bus that lets 128 wait: every contact loads, the link never drops, and
// the commands reach Skype in the order they were sent.
TEST_F(LinkLimitsTest, ThousandsOfContactsLoadWithoutLosingTheLink) {
    NotificationLog log;
    OstSkypeController controller(std::make_unique<OstDBusSkypeTransport>(Connection()), 100);
    controller.Discover();
    ASSERT_TRUE(SkypePeerProcess::WaitUntil([&] { return controller.IsAttached(); }, 10000));
    controller.SendCommand(u"SEARCH FRIENDS"_qs);

    const auto loaded = [&] {
        const OstUser* last = controller.GetUserMonitor().FindUser(FriendHandle(kFriends - 1));
        return !controller.IsAttached() ||
               (last && last->GetOnlineStatus() == SKYPE_STATUS_ONLINE &&
                controller.GetUserMonitor().GetUserCount() == std::size_t(kFriends));
    };
    ASSERT_TRUE(SkypePeerProcess::WaitUntil(loaded, kLoadTimeoutMs));
    EXPECT_TRUE(controller.IsAttached());
    EXPECT_EQ(log.lines.count(u"SKYPE_DISCONNECTED"_qs), 0);
    EXPECT_EQ(log.lines.count(u"SKYPE_CONNECTED"_qs), 1);
    ASSERT_EQ(controller.GetUserMonitor().GetUserCount(), std::size_t(kFriends));
    for (int i = 0; i < kFriends; ++i) {
        const OstUser* contact = controller.GetUserMonitor().FindUser(FriendHandle(i));
        ASSERT_NE(contact, nullptr) << i;
        EXPECT_EQ(contact->GetFullName(), QStringLiteral("Friend %1").arg(i));
        EXPECT_EQ(contact->GetOnlineStatus(), i % 2 ? SKYPE_STATUS_ONLINE : SKYPE_STATUS_AWAY);
    }

    QStringList expected = {u"NAME Orbit"_qs, u"GET SKYPEVERSION"_qs, u"PING"_qs,
                            u"SEARCH FRIENDS"_qs};
    for (int i = 0; i < kFriends; ++i) {
        for (const char16_t* property : {u"FULLNAME", u"DISPLAYNAME", u"ONLINESTATUS"})
            expected.append(u"GET USER "_qs + FriendHandle(i) + u' ' +
                            QString::fromUtf16(property));
    }
    QStringList received;
    for (const auto& entry : peer.CommandLog(u"me"_qs))
        received.append(entry.text);
    EXPECT_EQ(received, expected);
}

// What the bus turns down is no lost Skype: the transport reports it as refused, to be sent
// again, and every other command is answered.
TEST_F(LinkLimitsTest, BusRefusalIsNotALostLink) {
    OstDBusSkypeTransport transport(Connection());
    int answered = 0;
    int settled = 0;
    int refused = 0;
    int lost = 0;
    bool attached = false;
    QObject::connect(&transport, &OstSkypeTransport::attachAnswered,
                     [&](int status) { attached = status == 0; });
    QObject::connect(&transport, &OstSkypeTransport::textReceived,
                     [&](const QString& text) { answered += text == u"PONG" ? 1 : 0; });
    QObject::connect(&transport, &OstSkypeTransport::commandSettled, [&] { ++settled; });
    QObject::connect(&transport, &OstSkypeTransport::commandRefused, [&](const QString& text) {
        EXPECT_EQ(text, u"PING"_qs);
        ++refused;
    });
    QObject::connect(&transport, &OstSkypeTransport::linkLost, [&] { ++lost; });
    transport.RequestAttach(u"Orbit"_qs);
    ASSERT_TRUE(SkypePeerProcess::WaitUntil([&] { return attached; }, 10000));

    // Skype holds its answers back, so the calls pile up on the bus however slow this side is.
    ASSERT_TRUE(peer.SetReplyDelay(u"me"_qs, 2000));
    constexpr int kPings = 400;
    for (int i = 0; i < kPings; ++i)
        ASSERT_TRUE(transport.Send(u"PING"_qs));
    ASSERT_TRUE(
        SkypePeerProcess::WaitUntil([&] { return settled + refused >= kPings; }, kLoadTimeoutMs));
    EXPECT_GT(refused, 0) << "the bus took every call: its limits are not the daemon's own";
    EXPECT_EQ(lost, 0);
    EXPECT_EQ(answered, settled);
    EXPECT_EQ(settled + refused, kPings);
}
