#include "NotificationLog.h"
#include "OstUserMonitor.h"

#include <gtest/gtest.h>

class UserMonitorTest : public ::testing::Test {
protected:
    NotificationLog log;
    QStringList sent;
    OstUserMonitor monitor{[this](const QString& text) { sent.append(text); }};

    static QStringList Queries(const QString& handle) {
        return {u"GET USER "_qs + handle + u" FULLNAME"_qs,
                u"GET USER "_qs + handle + u" DISPLAYNAME"_qs,
                u"GET USER "_qs + handle + u" ONLINESTATUS"_qs};
    }
};

TEST_F(UserMonitorTest, ReplyWithAtLeastAsManyHandlesRebuildsTheMap) {
    monitor.OnUsersReply(u"USERS x, y"_qs);
    log.lines.clear();
    sent.clear();
    monitor.OnUsersReply(u"USERS a, b, c"_qs);
    EXPECT_EQ(monitor.GetUserCount(), 3u);
    EXPECT_EQ(monitor.FindUser(u"x"_qs), nullptr);
    EXPECT_EQ(sent, Queries(u"a"_qs) + Queries(u"b"_qs) + Queries(u"c"_qs));
    EXPECT_EQ(log.lines, QStringList{u"SKYPE_FRIEND_INFO_UPDATE 0 -"_qs});
}

TEST_F(UserMonitorTest, ShorterReplyOnlyAddsNewHandles) {
    monitor.OnUsersReply(u"USERS b, c, d"_qs);
    log.lines.clear();
    sent.clear();
    monitor.OnUsersReply(u"USERS a, b"_qs);
    EXPECT_EQ(monitor.GetUserCount(), 4u) << "contacts missing from the reply remain";
    EXPECT_EQ(sent, Queries(u"a"_qs));
    EXPECT_EQ(log.lines, QStringList{u"SKYPE_FRIEND_INFO_UPDATE 1 a"_qs});
}

TEST_F(UserMonitorTest, SeparatorsAndEmptyListsGiveNoEmptyHandles) {
    monitor.OnUsersReply(u"USERS a, , b,  c"_qs);
    ASSERT_EQ(monitor.GetUserCount(), 3u);
    EXPECT_NE(monitor.FindUser(u"c"_qs), nullptr);
    monitor.OnUsersReply(u"USERS "_qs);
    EXPECT_EQ(monitor.GetUserCount(), 3u);
    monitor.OnUsersReply(u"USERS a, a, b"_qs); // duplicates count once
    EXPECT_EQ(monitor.GetUserCount(), 2u);
}

TEST_F(UserMonitorTest, UserTextForUnknownHandleAddsQueriesAndAppliesTheProperty) {
    monitor.OnUserReply(u"USER zed FULLNAME Zed  Zebra Jr"_qs);
    EXPECT_EQ(sent, Queries(u"zed"_qs));
    EXPECT_EQ(log.lines, (QStringList{u"SKYPE_FRIEND_INFO_UPDATE 1 zed"_qs,
                                      u"SKYPE_FRIEND_INFO_UPDATE 2 zed"_qs}));
    const OstUser* zed = monitor.FindUser(u"zed"_qs);
    ASSERT_NE(zed, nullptr);
    EXPECT_EQ(zed->GetFullName(), u"Zed  Zebra Jr"_qs) << "blanks in the value are kept";
    EXPECT_EQ(zed->GetShownName(), u"Zed  Zebra Jr"_qs);
}

TEST_F(UserMonitorTest, ShownNamePrefersDisplayNameAndNeverClears) {
    monitor.OnUserReply(u"USER bob DISPLAYNAME Bobby"_qs);
    monitor.OnUserReply(u"USER bob FULLNAME Robert Smith"_qs);
    const OstUser* bob = monitor.FindUser(u"bob"_qs);
    EXPECT_EQ(bob->GetShownName(), u"Bobby"_qs);
    monitor.OnUserReply(u"USER bob DISPLAYNAME "_qs);
    monitor.OnUserReply(u"USER bob FULLNAME "_qs);
    EXPECT_EQ(bob->GetShownName(), u"Bobby"_qs);
    EXPECT_EQ(bob->GetDisplayName(), QString());

    monitor.OnUserReply(u"USER ann FULLNAME Ann Lee"_qs);
    EXPECT_EQ(monitor.FindUser(u"ann"_qs)->GetShownName(), u"Ann Lee"_qs);
}

TEST_F(UserMonitorTest, OnlineStatusWordsAndUnknownProperties) {
    monitor.OnUserReply(u"USER a ONLINESTATUS SKYPEOUT"_qs);
    EXPECT_EQ(monitor.FindUser(u"a"_qs)->GetOnlineStatus(), SKYPE_STATUS_SKYPEOUT);
    monitor.OnUserReply(u"USER a ONLINESTATUS INVISIBLE"_qs); // never a contact's status
    monitor.OnUserReply(u"USER a ONLINESTATUS online"_qs);    // words are case-sensitive
    EXPECT_EQ(monitor.FindUser(u"a"_qs)->GetOnlineStatus(), SKYPE_STATUS_SKYPEOUT);
    EXPECT_EQ(log.lines.count(u"SKYPE_FRIEND_INFO_UPDATE 16 a"_qs), 3) << "posted even unchanged";
    log.lines.clear();
    monitor.OnUserReply(u"USER a MOOD_TEXT hello"_qs);
    EXPECT_TRUE(log.lines.isEmpty());
}

TEST_F(UserMonitorTest, FriendListSkipsUnknownAndSkypeOutAndSortsByShownName) {
    // The underscore sorts after upper case and before lower case, so names mixing it with
    // both cases have no consistent order; these do.
    const char16_t* names[] = {u"bob", u"Carl", u"Bob", u"alice", u"1z"};
    int i = 0;
    for (const char16_t* name : names) {
        const QString handle = u"h"_qs + QString::number(i++);
        monitor.OnUserReply(u"USER "_qs + handle + u" DISPLAYNAME "_qs + QString::fromUtf16(name));
        monitor.OnUserReply(u"USER "_qs + handle + u" ONLINESTATUS OFFLINE"_qs);
    }
    monitor.OnUserReply(u"USER out ONLINESTATUS SKYPEOUT"_qs);
    monitor.OnUserReply(u"USER unk FULLNAME Nobody"_qs);
    std::vector<OstUser*> list;
    monitor.GetFriendList(list);
    QStringList shown;
    for (const OstUser* user : list)
        shown.append(user->GetShownName());
    EXPECT_EQ(shown, (QStringList{u"1z"_qs, u"alice"_qs, u"bob"_qs, u"Bob"_qs, u"Carl"_qs}));
}

TEST(ShownNameLessTest, LetterOrderAndPrefixes) {
    auto less = [](const char16_t* a, const char16_t* b) {
        OstUser x{QString::fromUtf16(a)}, y{QString::fromUtf16(b)};
        return OstUserMonitor::ShownNameLess(&x, &y);
    };
    EXPECT_TRUE(less(u"a", u"A"));
    EXPECT_TRUE(less(u"A", u"b"));
    EXPECT_FALSE(less(u"b", u"A"));
    EXPECT_TRUE(less(u"Zed", u"_"));
    EXPECT_TRUE(less(u"_", u"a"));
    EXPECT_TRUE(less(u"ab", u"abc"));
    EXPECT_FALSE(less(u"abc", u"abc"));
    EXPECT_TRUE(less(u"9", u"a"));
}
