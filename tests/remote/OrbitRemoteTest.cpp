#include "CallMessage.h"
#include "OstLanguageSelector.h"
#include "OstOrbitRemote.h"
#include "OstSkypeController.h"
#include "RemoteTestSupport.h"

#include "FakeSkypeTransport.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString kPassword = u"open sesame"_qs;
const QString kChat = u"#carol/$orbit.user;7f3a9c"_qs;

QString Text(int number, std::uint16_t language = OstLanguageSelector::English) {
    QString text;
    OstLanguageSelector::LoadStringInLanguage(language, number, text);
    return text;
}

QString Say(const QString& chat, int number) {
    return u"CHATMESSAGE "_qs + chat + u' ' + Text(number);
}

} // namespace

// A controller on the bus-less transport feeds the monitor exactly the texts a Skype would.
class OrbitRemoteTest : public ::testing::Test {
protected:
    void SetUp() override {
        OstLanguageSelector::GetInstance().SetLanguage(OstLanguageSelector::English);
        ASSERT_FALSE(Text(458).isEmpty()) << "string tables not linked";
        transport->Accept();
        ASSERT_TRUE(remote.SetPassword(kPassword));
        remote.Start();
        ASSERT_TRUE(remote.IsRunning());
        transport->ClearSent();
    }
    void TearDown() override { RemoteSettings::Clear(); }

    void Deliver(const QString& text) { transport->Deliver(text); }
    QStringList Take() {
        const QStringList sent = transport->Sent();
        transport->ClearSent();
        return sent;
    }

    // Rings call id from the partner up to the password prompt.
    void RingToPrompt(const QString& id, const QString& partner = u"carol"_qs,
                      const QString& chat = kChat) {
        Deliver(u"CALL "_qs + id + u" STATUS RINGING"_qs);
        Deliver(u"CALL "_qs + id + u" TYPE INCOMING_P2P"_qs);
        Deliver(u"CALL "_qs + id + u" CONF_PARTICIPANTS_COUNT 1"_qs);
        Deliver(u"CALL "_qs + id + u" PARTNER_HANDLE "_qs + partner);
        Deliver(u"CHAT "_qs + chat + u" STATUS DIALOG"_qs);
        ASSERT_EQ(remote.GetState(), REMOTE_STATE_PASSWORD_ASKED);
        transport->ClearSent();
    }

    // The partner types body as message id.
    void Type(const QString& id, const QString& body, const QString& from = u"carol"_qs) {
        Deliver(u"MESSAGE "_qs + id + u" STATUS RECEIVED"_qs);
        Deliver(u"MESSAGE "_qs + id + u" PARTNER_HANDLE "_qs + from);
        Deliver(u"MESSAGE "_qs + id + u" BODY "_qs + body);
    }

    void ExpectIdle() {
        EXPECT_EQ(remote.GetState(), REMOTE_STATE_IDLE);
        EXPECT_EQ(remote.GetCallId(), QString());
        EXPECT_EQ(remote.GetPartner(), QString());
        EXPECT_EQ(remote.GetChatName(), QString());
    }

    FakeSkypeTransport* transport = new FakeSkypeTransport;
    OstSkypeController controller{std::unique_ptr<OstSkypeTransport>(transport)};
    OstOrbitRemote remote{controller};
};

TEST_F(OrbitRemoteTest, RightPasswordWalksEveryStateAnswersAndStartsVideo) {
    Deliver(u"CALL 71 STATUS RINGING"_qs);
    EXPECT_EQ(Take(),
              (QStringList{u"GET CALL 71 CONF_ID"_qs, u"GET MUTE"_qs, u"GET CALL 71 TYPE"_qs}));
    EXPECT_EQ(remote.GetState(), REMOTE_STATE_IDLE);
    EXPECT_EQ(remote.GetCallId(), QString());

    Deliver(u"CALL 71 TYPE INCOMING_P2P"_qs);
    EXPECT_EQ(Take(), QStringList{u"GET CALL 71 CONF_PARTICIPANTS_COUNT"_qs});
    EXPECT_EQ(remote.GetState(), REMOTE_STATE_COUNT_ASKED);
    EXPECT_EQ(remote.GetCallId(), u"71"_qs);

    Deliver(u"CALL 71 CONF_PARTICIPANTS_COUNT 1"_qs);
    EXPECT_EQ(Take(), (QStringList{u"GET CALL 71 CONF_PARTICIPANT 0"_qs,
                                   u"GET CALL 71 PARTNER_HANDLE"_qs}));
    EXPECT_EQ(remote.GetState(), REMOTE_STATE_PARTNER_ASKED);
    // A second count report (the call monitor asks too) changes nothing now.
    Deliver(u"CALL 71 CONF_PARTICIPANTS_COUNT 1"_qs);
    EXPECT_EQ(Take(), QStringList{u"GET CALL 71 CONF_PARTICIPANT 0"_qs});

    Deliver(u"CALL 71 PARTNER_HANDLE carol"_qs);
    EXPECT_EQ(Take(), QStringList{u"CHAT CREATE carol"_qs});
    EXPECT_EQ(remote.GetState(), REMOTE_STATE_CHAT_REQUESTED);
    EXPECT_EQ(remote.GetPartner(), u"carol"_qs);

    Deliver(u"CHAT "_qs + kChat + u" STATUS DIALOG"_qs);
    EXPECT_EQ(Take(), QStringList{Say(kChat, 458)});
    EXPECT_EQ(remote.GetState(), REMOTE_STATE_PASSWORD_ASKED);
    EXPECT_EQ(remote.GetChatName(), kChat);
    EXPECT_EQ(Say(kChat, 458), u"CHATMESSAGE #carol/$orbit.user;7f3a9c Please enter password."_qs);

    Deliver(u"MESSAGE 500 STATUS RECEIVED"_qs);
    EXPECT_EQ(Take(), QStringList{u"GET MESSAGE 500 PARTNER_HANDLE"_qs});
    Deliver(u"MESSAGE 500 PARTNER_HANDLE carol"_qs);
    EXPECT_EQ(Take(), QStringList{u"GET MESSAGE 500 BODY"_qs});
    Deliver(u"MESSAGE 500 BODY open sesame"_qs);
    EXPECT_EQ(Take(), (QStringList{Say(kChat, 459), u"SET CALL 71 STATUS INPROGRESS"_qs,
                                   u"ALTER CALL 71 START_VIDEO_SEND"_qs}));
    EXPECT_EQ(remote.GetState(), REMOTE_STATE_VIDEO_REQUESTED);

    // Chat traffic no longer matters once the call is answered.
    Type(u"501"_qs, kPassword);
    EXPECT_EQ(Take(), QStringList());

    Deliver(u"CALL 71 STATUS INPROGRESS"_qs);
    Deliver(u"CALL 71 VIDEO_SEND_STATUS STARTING"_qs);
    EXPECT_EQ(Take(), QStringList());
    // No video can be sent: the call is ended, and its end report lets it go.
    Deliver(u"CALL 71 VIDEO_SEND_STATUS VIDEO_NONE"_qs);
    EXPECT_EQ(Take(), QStringList{u"SET CALL 71 STATUS FINISHED"_qs});
    Deliver(u"CALL 71 STATUS FINISHED"_qs);
    ExpectIdle();
}

TEST_F(OrbitRemoteTest, OnlyRingingIncomingPersonToPersonCallsAreTakenUp) {
    Deliver(u"CALL 1 TYPE INCOMING_P2P"_qs); // not ringing: its status is unknown, yet taken
    EXPECT_EQ(remote.GetCallId(), u"1"_qs);
    Deliver(u"CALL 1 STATUS REFUSED"_qs);
    Take();

    for (const QString& type :
         {u"INCOMING_PSTN"_qs, u"OUTGOING_PSTN"_qs, u"OUTGOING_P2P"_qs, u"SOMETHING_NEW"_qs}) {
        Deliver(u"CALL 2 STATUS RINGING"_qs);
        Deliver(u"CALL 2 TYPE "_qs + type);
        EXPECT_EQ(Take(),
                  (QStringList{u"GET CALL 2 CONF_ID"_qs, u"GET MUTE"_qs, u"GET CALL 2 TYPE"_qs}))
            << type.toStdString();
        ExpectIdle();
    }
    // A PSTN call stays untouched through its whole life.
    Deliver(u"CALL 2 CONF_PARTICIPANTS_COUNT 1"_qs);
    Deliver(u"CALL 2 PARTNER_HANDLE +4930123456"_qs);
    Deliver(u"CHAT #+4930123456/$orbit.user;1 STATUS DIALOG"_qs);
    EXPECT_EQ(Take(), QStringList{u"GET CALL 2 CONF_PARTICIPANT 0"_qs});
    ExpectIdle();
}

TEST_F(OrbitRemoteTest, CallThatEndedBeforeItsTypeArrivedIsNotTakenUp) {
    Deliver(u"CALL 3 STATUS RINGING"_qs);
    Deliver(u"CALL 3 STATUS MISSED"_qs);
    Take();
    Deliver(u"CALL 3 TYPE INCOMING_P2P"_qs);
    EXPECT_EQ(Take(), QStringList());
    ExpectIdle();
    RingToPrompt(u"4"_qs); // the monitor is still free for the next caller
}

TEST_F(OrbitRemoteTest, ConferenceIsDroppedAndLeftRinging) {
    Deliver(u"CALL 5 STATUS RINGING"_qs);
    Deliver(u"CALL 5 TYPE INCOMING_P2P"_qs);
    Take();
    Deliver(u"CALL 5 CONF_PARTICIPANTS_COUNT 2"_qs);
    EXPECT_EQ(Take(), (QStringList{u"GET CALL 5 CONF_PARTICIPANT 0"_qs,
                                   u"GET CALL 5 CONF_PARTICIPANT 1"_qs}));
    ExpectIdle();
    Deliver(u"CALL 5 PARTNER_HANDLE carol"_qs);
    EXPECT_EQ(Take(), QStringList());
    RingToPrompt(u"6"_qs);
}

TEST_F(OrbitRemoteTest, EveryEndOfTheHandledCallReturnsToIdle) {
    for (const QString& end :
         {u"FINISHED"_qs, u"MISSED"_qs, u"REFUSED"_qs, u"FAILED"_qs, u"CANCELLED"_qs, u"BUSY"_qs}) {
        RingToPrompt(u"20"_qs);
        // Another call meanwhile is not taken up, and its end changes nothing.
        Deliver(u"CALL 21 STATUS RINGING"_qs);
        Deliver(u"CALL 21 TYPE INCOMING_P2P"_qs);
        Deliver(u"CALL 21 STATUS "_qs + end);
        EXPECT_EQ(Take(), (QStringList{u"GET CALL 21 CONF_ID"_qs, u"GET MUTE"_qs}));
        Deliver(u"CALL 20 VIDEO_SEND_STATUS VIDEO_NONE"_qs); // not answered yet: nothing ends
        Deliver(u"CALL 20 STATUS ONHOLD"_qs);
        Deliver(u"CALL 20 STATUS INPROGRESS"_qs);
        EXPECT_EQ(remote.GetState(), REMOTE_STATE_PASSWORD_ASKED);
        Deliver(u"CALL 20 STATUS "_qs + end);
        ExpectIdle();
        // Its later reports no longer concern the monitor.
        Deliver(u"CALL 20 VIDEO_SEND_STATUS VIDEO_NONE"_qs);
        EXPECT_EQ(Take(), QStringList()) << end.toStdString();
    }
}

TEST_F(OrbitRemoteTest, ChatIsAcceptedWhenEitherNameIsThePartner) {
    const std::pair<QString, bool> cases[] = {
        {u"#carol/$orbit.user;1a"_qs, true},    // the caller created it
        {u"#orbit.user/$carol;1a"_qs, true},    // the program created it
        {u"#c/$carol;"_qs, true},               // shortest creator
        {u"#bob/$eve;1a"_qs, false},            // two other users
        {u"#carolyn/$orbit.user;1a"_qs, false}, // exact names only
        {u"#Carol/$orbit.user;1a"_qs, false},   // and case-sensitive
        {u"#/$carol;1a"_qs, false},             // "#" must lie more than two before "$"
        {u"#x$carol;1a"_qs, false},             // likewise
        {u"#orbit.user/$carol"_qs, false},      // no ";": no other name
        {u"carol/$carol;1a"_qs, false},         // no "#"
        {u"#carol/carol;1a"_qs, false},         // no "$"
        {u"$carol;#carol/"_qs, false},          // "$" only before "#"
        {u"x#carol/$orbit.user;1a"_qs, true},   // the first "#" counts, wherever it is
        {u"#carolX$orbit.user;1a"_qs, true},    // the character before "$" belongs to no name
    };
    for (const auto& [chat, accepted] : cases) {
        Deliver(u"CALL 31 STATUS RINGING"_qs);
        Deliver(u"CALL 31 TYPE INCOMING_P2P"_qs);
        Deliver(u"CALL 31 CONF_PARTICIPANTS_COUNT 1"_qs);
        Deliver(u"CALL 31 PARTNER_HANDLE carol"_qs);
        Take();
        Deliver(u"CHAT "_qs + chat + u" STATUS DIALOG"_qs);
        if (accepted) {
            EXPECT_EQ(Take(), QStringList{Say(chat, 458)}) << chat.toStdString();
            EXPECT_EQ(remote.GetChatName(), chat);
            EXPECT_EQ(remote.GetState(), REMOTE_STATE_PASSWORD_ASKED);
        } else {
            EXPECT_EQ(Take(), QStringList()) << chat.toStdString();
            EXPECT_EQ(remote.GetState(), REMOTE_STATE_CHAT_REQUESTED) << chat.toStdString();
        }
        Deliver(u"CALL 31 STATUS FINISHED"_qs);
    }
}

TEST_F(OrbitRemoteTest, ChatAndMessageTextsCountOnlyInTheirState) {
    Deliver(u"CHAT "_qs + kChat + u" STATUS DIALOG"_qs);
    Type(u"1"_qs, kPassword);
    EXPECT_EQ(Take(), QStringList());
    ExpectIdle();

    Deliver(u"CALL 40 STATUS RINGING"_qs);
    Deliver(u"CALL 40 TYPE INCOMING_P2P"_qs);
    Take();
    Deliver(u"CHAT "_qs + kChat + u" STATUS DIALOG"_qs); // partner not known yet
    Type(u"1"_qs, kPassword);
    EXPECT_EQ(Take(), QStringList());
    Deliver(u"CALL 40 CONF_PARTICIPANTS_COUNT 1"_qs);
    Deliver(u"CALL 40 PARTNER_HANDLE carol"_qs);
    Take();
    Type(u"2"_qs, kPassword); // no chat yet
    EXPECT_EQ(Take(), QStringList());
    EXPECT_EQ(remote.GetState(), REMOTE_STATE_CHAT_REQUESTED);
    Deliver(u"CHAT "_qs + kChat + u" STATUS DIALOG"_qs);
    Deliver(u"CHAT "_qs + kChat + u" MEMBERS carol orbit.user"_qs); // prompt only once
    EXPECT_EQ(Take(), QStringList{Say(kChat, 458)});
}

TEST_F(OrbitRemoteTest, MessagesFromAnyoneButThePartnerAreIgnored) {
    RingToPrompt(u"50"_qs);
    // Their bodies are never asked for.
    for (const QString& other : {u"eve"_qs, u"carolyn"_qs, u"Carol"_qs}) {
        Deliver(u"MESSAGE 900 STATUS RECEIVED"_qs);
        Deliver(u"MESSAGE 900 PARTNER_HANDLE "_qs + other);
        EXPECT_EQ(Take(), QStringList{u"GET MESSAGE 900 PARTNER_HANDLE"_qs}) << other.toStdString();
    }
    for (const QString& status : {u"SENDING"_qs, u"SENT"_qs, u"recieved"_qs})
        Deliver(u"MESSAGE 902 STATUS "_qs + status);
    Deliver(u"MESSAGE 902 STATUS"_qs);
    Deliver(u"MESSAGE 902 PARTNER_HANDLE"_qs);
    Deliver(u"MESSAGE 902 FROM_HANDLE carol"_qs);
    EXPECT_EQ(Take(), QStringList());
    EXPECT_EQ(remote.GetFailedAttempts(), 0);
    EXPECT_EQ(remote.GetState(), REMOTE_STATE_PASSWORD_ASKED);
}

TEST_F(OrbitRemoteTest, BodyMustEqualThePasswordExactly) {
    RingToPrompt(u"60"_qs);
    for (const QString& wrong :
         {u"open sesame "_qs, u" open sesame"_qs, u"Open sesame"_qs, u"open  sesame"_qs}) {
        Deliver(u"MESSAGE 7 BODY "_qs + wrong);
        EXPECT_EQ(Take(), QStringList{Say(kChat, 460)}) << wrong.toStdString();
        EXPECT_EQ(remote.GetFailedAttempts(), 1);
        Deliver(u"CALL 60 STATUS FINISHED"_qs);
        RingToPrompt(u"60"_qs);
    }
    Deliver(u"MESSAGE 7 BODY open sesame"_qs);
    EXPECT_EQ(remote.GetState(), REMOTE_STATE_VIDEO_REQUESTED);
}

TEST_F(OrbitRemoteTest, ThreeFailuresEndTheCallAndTheNextCallStartsAtZero) {
    RingToPrompt(u"70"_qs);
    Type(u"1"_qs, u"guess"_qs);
    EXPECT_EQ(Take().last(), Say(kChat, 460));
    // The same message read again is compared again.
    Deliver(u"MESSAGE 1 STATUS READ"_qs);
    Deliver(u"MESSAGE 1 PARTNER_HANDLE carol"_qs);
    Deliver(u"MESSAGE 1 BODY guess"_qs);
    EXPECT_EQ(Take().last(), Say(kChat, 460));
    EXPECT_EQ(remote.GetFailedAttempts(), 2);
    Type(u"2"_qs, u"guess again"_qs);
    EXPECT_EQ(Take(), (QStringList{u"GET MESSAGE 2 PARTNER_HANDLE"_qs, u"GET MESSAGE 2 BODY"_qs,
                                   Say(kChat, 461), u"SET CALL 70 STATUS FINISHED"_qs}));
    EXPECT_EQ(remote.GetFailedAttempts(), 0);
    EXPECT_EQ(Say(kChat, 461),
              u"CHATMESSAGE "_qs + kChat + u" Too many failed attempts, wait later to retry."_qs);
    Deliver(u"CALL 70 STATUS FINISHED"_qs);
    ExpectIdle();

    // A caller who hangs up after two failures has three new attempts on the next call.
    RingToPrompt(u"71"_qs);
    Type(u"3"_qs, u"a"_qs);
    Type(u"4"_qs, u"b"_qs);
    Deliver(u"CALL 71 STATUS MISSED"_qs);
    EXPECT_EQ(remote.GetFailedAttempts(), 0);
    RingToPrompt(u"72"_qs);
    Type(u"5"_qs, u"c"_qs);
    Type(u"6"_qs, u"d"_qs);
    EXPECT_EQ(Take().last(), Say(kChat, 460));
    Type(u"7"_qs, kPassword);
    EXPECT_EQ(remote.GetState(), REMOTE_STATE_VIDEO_REQUESTED);
}

TEST_F(OrbitRemoteTest, StopInTheMiddleForgetsTheCallAndTheNextCallStartsAtZero) {
    RingToPrompt(u"80"_qs);
    Type(u"1"_qs, u"a"_qs);
    Type(u"2"_qs, u"b"_qs);
    remote.Stop();
    ExpectIdle();
    Take();
    Type(u"3"_qs, kPassword);
    Deliver(u"CALL 81 STATUS RINGING"_qs);
    EXPECT_EQ(Take(), (QStringList{u"GET CALL 81 CONF_ID"_qs, u"GET MUTE"_qs}));

    remote.Start();
    RingToPrompt(u"82"_qs);
    Type(u"4"_qs, u"c"_qs);
    EXPECT_EQ(Take().last(), Say(kChat, 460));
    EXPECT_EQ(remote.GetFailedAttempts(), 1);
}

TEST_F(OrbitRemoteTest, WithoutAPasswordNoCallIsTakenUp) {
    // A revoked password leaves nothing a caller could prove: the call rings on untouched.
    ASSERT_TRUE(remote.SetPassword(QString()));
    ASSERT_TRUE(remote.IsRunning());
    Deliver(u"CALL 90 STATUS RINGING"_qs);
    Deliver(u"CALL 90 TYPE INCOMING_P2P"_qs);
    Deliver(u"CALL 90 CONF_PARTICIPANTS_COUNT 1"_qs);
    Deliver(u"MESSAGE 1 BODY "_qs);
    // The call monitor still follows the call; the remote monitor asks and says nothing.
    for (const QString& sent : Take()) {
        EXPECT_FALSE(sent.endsWith(u" TYPE"_qs) || sent.contains(u"PARTICIPANTS_COUNT"_qs) ||
                     sent.startsWith(u"CHAT"_qs) || sent.startsWith(u"SET CALL"_qs))
            << sent.toStdString();
    }
    ExpectIdle();

    // With a password again, the next call is taken up as usual.
    ASSERT_TRUE(remote.SetPassword(kPassword));
    RingToPrompt(u"91"_qs);
}

TEST_F(OrbitRemoteTest, ChatTextsFollowTheCurrentLanguage) {
    // The monitor was started in English; each text is taken when it is sent.
    for (const std::uint16_t language :
         {OstLanguageSelector::Korean, OstLanguageSelector::TraditionalChinese}) {
        OstLanguageSelector::GetInstance().SetLanguage(language);
        const QString prefix = u"CHATMESSAGE "_qs + kChat + u' ';
        Deliver(u"CALL 101 STATUS RINGING"_qs);
        Deliver(u"CALL 101 TYPE INCOMING_P2P"_qs);
        Deliver(u"CALL 101 CONF_PARTICIPANTS_COUNT 1"_qs);
        Deliver(u"CALL 101 PARTNER_HANDLE carol"_qs);
        Deliver(u"CHAT "_qs + kChat + u" STATUS DIALOG"_qs);
        Type(u"1"_qs, u"x"_qs);
        Type(u"2"_qs, u"y"_qs);
        Type(u"3"_qs, u"z"_qs);
        EXPECT_EQ(Take().filter(u"CHATMESSAGE"_qs),
                  (QStringList{prefix + Text(458, language), prefix + Text(460, language),
                               prefix + Text(460, language), prefix + Text(461, language)}));
        EXPECT_NE(Text(458, language), Text(458));
        Deliver(u"CALL 101 STATUS FINISHED"_qs);
        RingToPrompt(u"102"_qs);
        Type(u"4"_qs, kPassword);
        EXPECT_EQ(Take().filter(u"CHATMESSAGE"_qs), QStringList{prefix + Text(459, language)});
        Deliver(u"CALL 102 STATUS FINISHED"_qs);
    }
    OstLanguageSelector::GetInstance().SetLanguage(OstLanguageSelector::English);
}

TEST_F(OrbitRemoteTest, HostileTextsAreSafe) {
    // Texts without the tokens a step needs, in the state where the step runs.
    Deliver(u"CALL"_qs);
    Deliver(u"CALL 110"_qs);
    Deliver(u"CALL 110 TYPE"_qs);
    EXPECT_EQ(remote.GetState(), REMOTE_STATE_IDLE);
    Deliver(u"CALL 110 STATUS RINGING"_qs);
    Deliver(u"CALL 110 TYPE INCOMING_P2P"_qs);
    Deliver(u"CALL 110 CONF_PARTICIPANTS_COUNT"_qs); // no value: 0 participants
    EXPECT_EQ(remote.GetState(), REMOTE_STATE_PARTNER_ASKED);
    Deliver(u"CALL 110 PARTNER_HANDLE"_qs);
    Deliver(u"CALL 110 PARTNER_HANDLE two words"_qs);
    EXPECT_EQ(remote.GetState(), REMOTE_STATE_PARTNER_ASKED); // an empty handle is not a caller
    Deliver(u"CALL 110 PARTNER_HANDLE carol"_qs);
    Take();
    for (const QString& chat : {u"CHAT"_qs, u"CHAT "_qs, u"CHAT  "_qs, u"CHAT #/$;"_qs,
                                u"CHAT #ab/$;x STATUS"_qs, u"CHAT ######"_qs, u"CHAT $$$$"_qs})
        Deliver(chat);
    EXPECT_EQ(remote.GetState(), REMOTE_STATE_CHAT_REQUESTED);
    Deliver(u"CHAT    "_qs + kChat + u"    STATUS DIALOG"_qs); // runs of blanks are one
    EXPECT_EQ(remote.GetChatName(), kChat);
    Take();
    for (const QString& message : {u"MESSAGE"_qs, u"MESSAGE "_qs, u"MESSAGE 1"_qs,
                                   u"MESSAGE 1 BODYX y"_qs, u"MESSAGE  1  STATUS  READ"_qs})
        Deliver(message);
    EXPECT_EQ(Take(), QStringList{u"GET MESSAGE 1 PARTNER_HANDLE"_qs});
    EXPECT_EQ(remote.GetFailedAttempts(), 0);

    // Huge texts cost one failure, not the program.
    const QString huge(4 * 1024 * 1024, u'x');
    Deliver(u"MESSAGE 2 BODY "_qs + huge);
    Deliver(u"MESSAGE 3 "_qs + QString(2 * 1024 * 1024, u' ') + u"BODY a"_qs);
    Deliver(u"MESSAGE "_qs + QString(1024 * 1024, u'9') + u" PARTNER_HANDLE eve"_qs);
    QString blanks;
    for (int i = 0; i < 500000; ++i)
        blanks += u"a "_qs;
    Deliver(u"MESSAGE 4 BODY "_qs + blanks);
    EXPECT_EQ(Take(), (QStringList{Say(kChat, 460), Say(kChat, 460), Say(kChat, 461),
                                   u"SET CALL 110 STATUS FINISHED"_qs}));
    Deliver(u"CALL 110 STATUS FINISHED"_qs);
    Deliver(u"CALL 111 STATUS RINGING"_qs);
    Deliver(u"CALL 111 TYPE INCOMING_P2P"_qs);
    Deliver(u"CALL 111 CONF_PARTICIPANTS_COUNT 1"_qs);
    Deliver(u"CALL 111 PARTNER_HANDLE carol"_qs);
    Deliver(u"CHAT #"_qs + huge + u"/$carol;1 STATUS DIALOG"_qs);
    EXPECT_EQ(remote.GetState(), REMOTE_STATE_PASSWORD_ASKED);

    // Payloads the poster got wrong are dropped, not dereferenced.
    remote.OnNotification(nullptr, u"SKYPE_CALL_MESSAGE"_qs);
    remote.OnNotification(nullptr, u"SKYPE_CHAT_MESSAGE"_qs);
    remote.OnNotification(nullptr, u"SKYPE_MESSAGE_MESSAGE"_qs);
    CallMessage empty;
    empty.change = CALL_CHANGE_STATUS;
    remote.OnNotification(&empty, u"SKYPE_CALL_MESSAGE"_qs);
    EXPECT_EQ(remote.GetState(), REMOTE_STATE_PASSWORD_ASKED);
}
