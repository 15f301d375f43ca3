#include "NotificationLog.h"
#include "OstCallMonitor.h"

#include <gtest/gtest.h>

class CallMonitorTest : public ::testing::Test {
protected:
    NotificationLog log;
    QStringList sent;
    OstCallMonitor monitor{[this](const QString& text) {
        sent.append(text);
        log.lines.append(u"sent "_qs + text); // to see commands and posts in one order
    }};
};

TEST_F(CallMonitorTest, RingingCreatesTheCallAsksConferenceAndMuteThenPosts) {
    monitor.OnCallReply(u"CALL 42 STATUS RINGING"_qs);
    EXPECT_EQ(log.lines, (QStringList{u"sent GET CALL 42 CONF_ID"_qs, u"sent GET MUTE"_qs,
                                      u"SKYPE_CALL_MESSAGE 42 6"_qs}));
    EXPECT_EQ(monitor.GetCall(u"42"_qs)->GetStatus(), CALL_STATUS_RINGING);
    EXPECT_EQ(monitor.GetCallCount(), 1u);
}

TEST_F(CallMonitorTest, UnlistedWordsKeepStatusAndTypeButZeroVideo) {
    monitor.OnCallReply(u"CALL 1 STATUS INPROGRESS"_qs);
    monitor.OnCallReply(u"CALL 1 TYPE INCOMING_P2P"_qs);
    monitor.OnCallReply(u"CALL 1 VIDEO_SEND_STATUS RUNNING"_qs);
    monitor.OnCallReply(u"CALL 1 STATUS SHOUTING"_qs);
    monitor.OnCallReply(u"CALL 1 TYPE CARRIER_PIGEON"_qs);
    monitor.OnCallReply(u"CALL 1 VIDEO_SEND_STATUS WARPING"_qs);
    monitor.OnCallReply(u"CALL 1 VIDEO_RECEIVE_STATUS PAUSED"_qs);
    const OstCall* call = monitor.GetCall(u"1"_qs);
    EXPECT_EQ(call->GetStatus(), CALL_STATUS_INPROGRESS);
    EXPECT_EQ(call->GetType(), CALL_TYPE_INCOMING_P2P);
    EXPECT_EQ(call->GetVideoSendStatus(), VIDEO_NONE);
    EXPECT_EQ(call->GetVideoReceiveStatus(), VIDEO_PAUSED);
    EXPECT_EQ(log.lines.size(), 7);
    EXPECT_EQ(log.lines[5], u"SKYPE_CALL_MESSAGE 1 8"_qs);
    EXPECT_EQ(log.lines[6], u"SKYPE_CALL_MESSAGE 1 9"_qs);
}

TEST_F(CallMonitorTest, ValuesWithBlanksAreTakenAsEmpty) {
    monitor.OnCallReply(u"CALL 3 PARTNER_DISPNAME Solo"_qs);
    EXPECT_EQ(monitor.GetCall(u"3"_qs)->GetPartnerDisplayName(), u"Solo"_qs);
    monitor.OnCallReply(u"CALL 3 PARTNER_DISPNAME Two Words"_qs);
    EXPECT_EQ(monitor.GetCall(u"3"_qs)->GetPartnerDisplayName(), QString());
    monitor.OnCallReply(u"CALL 3   PARTNER_HANDLE   bob  "_qs);
    EXPECT_EQ(monitor.GetCall(u"3"_qs)->GetPartnerHandle(), u"bob"_qs);
}

TEST_F(CallMonitorTest, ConferenceQueriesFollowIdAndCount) {
    monitor.OnCallReply(u"CALL 9 CONF_ID 0"_qs);
    EXPECT_TRUE(sent.isEmpty());
    monitor.OnCallReply(u"CALL 9 CONF_ID 77abc"_qs);
    EXPECT_EQ(monitor.GetCall(u"9"_qs)->GetConferenceId(), 77);
    EXPECT_EQ(sent, QStringList{u"GET CALL 9 CONF_PARTICIPANTS_COUNT"_qs});
    sent.clear();
    monitor.OnCallReply(u"CALL 9 CONF_PARTICIPANTS_COUNT 3"_qs);
    EXPECT_EQ(sent, (QStringList{u"GET CALL 9 CONF_PARTICIPANT 0"_qs,
                                 u"GET CALL 9 CONF_PARTICIPANT 1"_qs,
                                 u"GET CALL 9 CONF_PARTICIPANT 2"_qs}));
    monitor.OnCallReply(u"CALL 9 CONF_PARTICIPANT 0 alice extra"_qs);
    monitor.OnCallReply(u"CALL 9 CONF_PARTICIPANT 1"_qs); // no handle: posted, nothing stored
    monitor.OnCallReply(u"CALL 9 CONF_PARTICIPANT 2 bob"_qs);
    EXPECT_EQ(monitor.GetCall(u"9"_qs)->GetParticipants(),
              (std::set<QString>{u"alice"_qs, u"bob"_qs}));
    EXPECT_EQ(log.lines.count(u"SKYPE_CALL_MESSAGE 9 13"_qs), 3);
}

TEST_F(CallMonitorTest, HostileCountsAreBoundedAndShortTextsIgnored) {
    monitor.OnCallReply(u"CALL 5 CONF_PARTICIPANTS_COUNT 99999999999"_qs);
    EXPECT_EQ(sent.size(), OstCallMonitor::kMaxParticipantQueries);
    EXPECT_EQ(monitor.GetCall(u"5"_qs)->GetParticipantCount(), 2147483647);
    sent.clear();
    monitor.OnCallReply(u"CALL 5 CONF_PARTICIPANTS_COUNT -4"_qs);
    EXPECT_TRUE(sent.isEmpty());

    const auto calls = monitor.GetCallCount();
    monitor.OnCallReply(u"CALL 6"_qs);
    monitor.OnCallReply(u"CALL"_qs);
    EXPECT_EQ(monitor.GetCallCount(), calls);
    log.lines.clear();
    monitor.OnCallReply(u"CALL 7 SUBJECT hello"_qs); // unknown property: record, no post
    EXPECT_EQ(monitor.GetCallCount(), calls + 1);
    EXPECT_TRUE(log.lines.isEmpty());
}

TEST_F(CallMonitorTest, RecordsKeepTheirIdentityAndOrder) {
    OstCall* first = monitor.GetCall(u"10"_qs);
    monitor.OnCallReply(u"CALL 11 STATUS FINISHED"_qs);
    monitor.OnCallReply(u"CALL 10 STATUS MISSED"_qs);
    EXPECT_EQ(monitor.GetCall(u"10"_qs), first);
    EXPECT_EQ(first->GetStatus(), CALL_STATUS_MISSED);
    EXPECT_EQ(monitor.GetCall(u"11"_qs)->GetStatus(), CALL_STATUS_FINISHED);
}
