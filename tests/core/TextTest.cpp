#include "OstText.h"

#include <gtest/gtest.h>

TEST(OstTextTest, ToIntFollowsTheRuntimeRules) {
    EXPECT_EQ(OstText::ToInt(u"42"), 42);
    EXPECT_EQ(OstText::ToInt(u"  -17xyz"), -17);
    EXPECT_EQ(OstText::ToInt(u"+8"), 8);
    EXPECT_EQ(OstText::ToInt(u"x12"), 0);
    EXPECT_EQ(OstText::ToInt(u""), 0);
    EXPECT_EQ(OstText::ToInt(u"- 5"), 0);
    EXPECT_EQ(OstText::ToInt(u"99999999999"), 2147483647);
    EXPECT_EQ(OstText::ToInt(u"-99999999999999999999999999"), -2147483647 - 1);
}

TEST(OstTextTest, LeadingDigitsTakesNoSignOrBlank) {
    EXPECT_EQ(OstText::LeadingDigits(u"81abc"), 81);
    EXPECT_EQ(OstText::LeadingDigits(u" 81"), 0);
    EXPECT_EQ(OstText::LeadingDigits(u"-3"), 0);
    EXPECT_EQ(OstText::LeadingDigits(u"123456789012"), 2147483647);
}

TEST(OstTextTest, SplitBlanksCollapsesRuns) {
    EXPECT_EQ(OstText::SplitBlanks(u"  CALL   12 STATUS  RINGING "_qs),
              (QStringList{u"CALL"_qs, u"12"_qs, u"STATUS"_qs, u"RINGING"_qs}));
    EXPECT_TRUE(OstText::SplitBlanks(u"    "_qs).isEmpty());
}
