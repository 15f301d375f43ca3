#include "OstCall.h"
#include "OstDBusSkypeTransport.h"
#include "OstLanguageSelector.h"
#include "OstOrbitRemote.h"
#include "OstSkypeController.h"
#include "PrivateBus.h"
#include "RemoteTestSupport.h"
#include "SkypePeerProcess.h"

#include <QDBusConnection>
#include <gtest/gtest.h>

#include <memory>

namespace {

const QString kMe = u"orbit.user"_qs;
const QString kPassword = u"sésame 密碼"_qs;

// carol and eve are scripted users without a program; dave only joins conferences.
const QString kScenario = uR"({
  "skypeVersion": "2.1.0.81",
  "users": [
    {"handle": "orbit.user", "fullName": "Orbit Camera", "friends": ["carol", "eve"]},
    {"handle": "carol", "fullName": "Carol Smith", "friends": ["orbit.user"]},
    {"handle": "eve", "fullName": "Eve Other", "friends": ["orbit.user"]},
    {"handle": "dave", "fullName": "Dave Jones"}
  ]})"_qs;

QString Text(int number) {
    QString text;
    OstLanguageSelector::LoadStringInLanguage(OstLanguageSelector::English, number, text);
    return text;
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 10000) {
    return SkypePeerProcess::WaitUntil(condition, timeoutMs);
}

int connectionNumber = 0;

} // namespace

// The monitor with a controller on a private bus, against the Skype stand-in.
class RemotePeerTest : public ::testing::Test {
protected:
    void SetUp() override {
        RemoteSettings::Clear();
        OstLanguageSelector::GetInstance().SetLanguage(OstLanguageSelector::English);
        ASSERT_TRUE(bus.IsValid());
        ASSERT_TRUE(peer.Start(kScenario, {{kMe, bus.Address()}}))
            << peer.LastError().toStdString();
        connectionName = u"remote-peer-test-"_qs + QString::number(++connectionNumber);
        auto transport = std::make_unique<OstDBusSkypeTransport>(
            QDBusConnection::connectToBus(bus.Address(), connectionName));
        ASSERT_TRUE(transport->IsRegistered());
        controller = std::make_unique<OstSkypeController>(std::move(transport), 100);
        controller->Discover();
        ASSERT_TRUE(WaitUntil([&] { return controller->IsAttached(); }));
        remote = std::make_unique<OstOrbitRemote>(*controller);
        ASSERT_TRUE(remote->SetPassword(kPassword));
        remote->Start();
        ASSERT_TRUE(remote->IsRunning());
    }

    void TearDown() override {
        remote.reset();
        controller.reset();
        QDBusConnection::disconnectFromBus(connectionName);
        RemoteSettings::Clear();
    }

    // What the program sent, from the start of the test.
    QStringList Commands() {
        QStringList texts;
        for (const auto& entry : peer.CommandLog(kMe))
            texts.append(entry.text);
        return texts;
    }

    // The chat lines the program sent to user, in order.
    QStringList ChatTo(const QString& user) {
        QStringList bodies;
        for (const auto& line : peer.ChatLog(user)) {
            if (line.from == kMe)
                bodies.append(line.body);
        }
        return bodies;
    }

    bool WaitForChat(const QString& user, const QStringList& bodies) {
        return WaitUntil([&] { return ChatTo(user) == bodies; });
    }

    // The program's own record of the call, once it has seen what matters.
    const OstCall* Record(const QString& id) { return controller->GetCallMonitor().GetCall(id); }

    // Waits until the caller has been asked for the password.
    QString RingToPrompt(const QString& caller, const QStringList& chatBefore = {}) {
        const QString id = peer.IncomingCall(kMe, caller);
        EXPECT_FALSE(id.isEmpty()) << peer.LastError().toStdString();
        EXPECT_TRUE(WaitForChat(caller, chatBefore + QStringList{Text(458)}))
            << ChatTo(caller).join(u" | "_qs).toStdString();
        EXPECT_EQ(remote->GetState(), REMOTE_STATE_PASSWORD_ASKED);
        return id;
    }

    PrivateBus bus;
    SkypePeerProcess peer;
    QString connectionName;
    std::unique_ptr<OstSkypeController> controller;
    std::unique_ptr<OstOrbitRemote> remote;
};

TEST_F(RemotePeerTest, RightPasswordAnswersAndStartsVideo) {
    const QString id = RingToPrompt(u"carol"_qs);
    EXPECT_EQ(peer.CallProperty(id, u"STATUS"_qs), u"RINGING"_qs);
    EXPECT_EQ(remote->GetPartner(), u"carol"_qs);

    ASSERT_FALSE(peer.TypeMessage(u"carol"_qs, kMe, kPassword).isEmpty())
        << peer.LastError().toStdString();
    ASSERT_TRUE(WaitUntil([&] {
        return peer.CallProperty(id, u"VIDEO_SEND_STATUS"_qs) == u"RUNNING" &&
               Record(id)->GetVideoSendStatus() == VIDEO_RUNNING;
    }));
    EXPECT_EQ(peer.CallProperty(id, u"STATUS"_qs), u"INPROGRESS"_qs);
    EXPECT_EQ(ChatTo(u"carol"_qs), (QStringList{Text(458), Text(459)}));
    EXPECT_EQ(remote->GetState(), REMOTE_STATE_VIDEO_REQUESTED);

    // The caller's side takes the video away: the call is ended.
    ASSERT_TRUE(peer.SetCallStatus(id, u"VIDEO_SEND_STATUS=VIDEO_NONE"_qs));
    ASSERT_TRUE(WaitUntil([&] { return remote->GetState() == REMOTE_STATE_IDLE; }));
    EXPECT_EQ(peer.CallProperty(id, u"STATUS"_qs), u"FINISHED"_qs);
    EXPECT_EQ(remote->GetCallId(), QString());
}

TEST_F(RemotePeerTest, ThreeWrongPasswordsEndTheCallAndTheNextCallStartsAtZero) {
    const QString id = RingToPrompt(u"carol"_qs);
    QStringList chat{Text(458)};
    for (const QString& guess : {u"sesame"_qs, u"sésame  密碼"_qs}) {
        ASSERT_FALSE(peer.TypeMessage(u"carol"_qs, kMe, guess).isEmpty());
        chat.append(Text(460));
        ASSERT_TRUE(WaitForChat(u"carol"_qs, chat))
            << ChatTo(u"carol"_qs).join(u" | "_qs).toStdString();
    }
    EXPECT_EQ(peer.CallProperty(id, u"STATUS"_qs), u"RINGING"_qs);
    ASSERT_FALSE(peer.TypeMessage(u"carol"_qs, kMe, kPassword + u' ').isEmpty());
    chat.append(Text(461));
    ASSERT_TRUE(WaitForChat(u"carol"_qs, chat));
    ASSERT_TRUE(WaitUntil([&] { return remote->GetState() == REMOTE_STATE_IDLE; }));
    EXPECT_EQ(peer.CallProperty(id, u"STATUS"_qs), u"FINISHED"_qs);
    EXPECT_EQ(remote->GetFailedAttempts(), 0);
    EXPECT_FALSE(Commands().contains(u"SET CALL "_qs + id + u" STATUS INPROGRESS"_qs));

    // Calling again at once gives three new attempts.
    const QString next = RingToPrompt(u"carol"_qs, chat);
    chat.append(Text(458));
    for (const QString& guess : {u"one"_qs, u"two"_qs}) {
        ASSERT_FALSE(peer.TypeMessage(u"carol"_qs, kMe, guess).isEmpty());
        chat.append(Text(460));
        ASSERT_TRUE(WaitForChat(u"carol"_qs, chat));
    }
    ASSERT_FALSE(peer.TypeMessage(u"carol"_qs, kMe, kPassword).isEmpty());
    ASSERT_TRUE(WaitUntil([&] { return peer.CallProperty(next, u"STATUS"_qs) == u"INPROGRESS"; }));
    chat.append(Text(459));
    EXPECT_TRUE(WaitForChat(u"carol"_qs, chat));
}

TEST_F(RemotePeerTest, ConferenceAndPhoneCallsAreLeftRinging) {
    const QString conference = peer.IncomingConference(kMe, u"carol"_qs, {u"dave"_qs});
    ASSERT_FALSE(conference.isEmpty()) << peer.LastError().toStdString();
    ASSERT_TRUE(WaitUntil([&] { return Record(conference)->GetParticipantCount() == 2; }));
    const QString phone = peer.IncomingPstnCall(kMe, u"+4930123456"_qs);
    ASSERT_FALSE(phone.isEmpty()) << peer.LastError().toStdString();
    ASSERT_TRUE(WaitUntil([&] { return Record(phone)->GetType() == CALL_TYPE_INCOMING_PSTN; }));
    EXPECT_EQ(remote->GetState(), REMOTE_STATE_IDLE);

    // Both were let go: the next caller is taken up while they still ring.
    const QString id = RingToPrompt(u"eve"_qs);
    EXPECT_EQ(remote->GetCallId(), id);
    EXPECT_EQ(peer.CallProperty(conference, u"STATUS"_qs), u"RINGING"_qs);
    EXPECT_EQ(peer.CallProperty(phone, u"STATUS"_qs), u"RINGING"_qs);
    const QStringList sent = Commands();
    EXPECT_FALSE(sent.contains(u"GET CALL "_qs + conference + u" PARTNER_HANDLE"_qs));
    EXPECT_FALSE(sent.contains(u"GET CALL "_qs + phone + u" CONF_PARTICIPANTS_COUNT"_qs));
    EXPECT_FALSE(sent.contains(u"CHAT CREATE carol"_qs));
    EXPECT_FALSE(sent.contains(u"CHAT CREATE +4930123456"_qs));
    EXPECT_TRUE(ChatTo(u"carol"_qs).isEmpty());
}

TEST_F(RemotePeerTest, ChatTextsFromAnyoneButTheCallerAreIgnored) {
    const QString id = RingToPrompt(u"carol"_qs);
    const QString other = peer.TypeMessage(u"eve"_qs, kMe, kPassword);
    ASSERT_FALSE(other.isEmpty());
    ASSERT_GE(peer.WaitForCommand(kMe, u"GET MESSAGE "_qs + other + u" PARTNER_HANDLE"_qs), 0);
    // The caller's own wrong guess is answered, which also shows eve's reply was handled.
    ASSERT_FALSE(peer.TypeMessage(u"carol"_qs, kMe, u"guess"_qs).isEmpty());
    ASSERT_TRUE(WaitForChat(u"carol"_qs, {Text(458), Text(460)}));
    EXPECT_FALSE(Commands().contains(u"GET MESSAGE "_qs + other + u" BODY"_qs));
    EXPECT_EQ(remote->GetFailedAttempts(), 1);
    EXPECT_EQ(peer.CallProperty(id, u"STATUS"_qs), u"RINGING"_qs);
    EXPECT_TRUE(ChatTo(u"eve"_qs).isEmpty());

    // The caller hangs up: the monitor lets the call go and is free again.
    ASSERT_TRUE(peer.EndCall(id));
    ASSERT_TRUE(WaitUntil([&] { return remote->GetCallId().isEmpty(); }));
    EXPECT_EQ(remote->GetFailedAttempts(), 0);
    RingToPrompt(u"eve"_qs);
}
