#include "OstLanguageSelector.h"
#include "OstNotificationCenter.h"

#include <QSettings>
#include <QVariant>
#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

namespace {

const QString kKey = u"Language/LANGID"_qs;

struct LanguageObserver : OstObject {
    LanguageObserver() = default;
    void OnNotification(void* payload, const QString& name) override {
        EXPECT_EQ(payload, nullptr);
        EXPECT_EQ(name, u"LANGUAGE_CHANGED"_qs);
        ++count;
        if (selector)
            seen.push_back(selector->GetLanguage());
    }
    int count = 0;
    const OstLanguageSelector* selector = nullptr;
    std::vector<std::uint16_t> seen;
};

} // namespace

class LanguageSelectorTest : public ::testing::Test {
protected:
    void SetUp() override { QSettings(u"Ostrel"_qs, u"Orbit"_qs).remove(u"Language"_qs); }
    void TearDown() override {
        OstNotificationCenter::GetInstance().RemoveObserver(&observer, QString());
    }

    static QVariant Stored() { return QSettings(u"Ostrel"_qs, u"Orbit"_qs).value(kKey); }
    static void Store(const QVariant& value) {
        QSettings(u"Ostrel"_qs, u"Orbit"_qs).setValue(kKey, value);
    }
    void Observe() {
        OstNotificationCenter::GetInstance().AddObserver(
            &observer, OstNotificationCenter::ForwardToObject, u"LANGUAGE_CHANGED"_qs);
    }

    LanguageObserver observer;
};

TEST_F(LanguageSelectorTest, FirstRunFollowsTheSystemButChoosesOnlyEnglishOrTraditionalChinese) {
    const std::vector<std::pair<QStringList, std::uint16_t>> cases = {
        {{u"en-US"_qs}, 1033},
        {{u"zh-TW"_qs}, 1028},
        {{u"zh-Hant-TW"_qs, u"zh-TW"_qs}, 1028},
        {{u"zh-Hant"_qs}, 1028},
        {{u"ko-KR"_qs}, 1033},
        {{u"zh-CN"_qs}, 1033},
        {{u"zh-Hant-HK"_qs}, 1033},
        {{u"de-DE"_qs, u"zh-TW"_qs}, 1033},
        {{}, 1033},
        {{u"not a locale"_qs}, 1033},
    };
    for (const auto& [uiLanguages, expected] : cases) {
        QSettings(u"Ostrel"_qs, u"Orbit"_qs).remove(u"Language"_qs);
        OstLanguageSelector selector(uiLanguages);
        EXPECT_EQ(selector.GetLanguage(), expected) << uiLanguages.join(u',').toStdString();
        EXPECT_EQ(Stored().toUInt(), expected) << uiLanguages.join(u',').toStdString();
    }
}

TEST_F(LanguageSelectorTest, ChosenLanguageIsStoredAndWinsOverTheSystemOnTheNextStart) {
    {
        OstLanguageSelector selector({u"ko-KR"_qs});
        ASSERT_EQ(selector.GetLanguage(), OstLanguageSelector::English);
        selector.SetLanguage(OstLanguageSelector::Korean);
        EXPECT_EQ(Stored().toUInt(), 1042u);
    }
    OstLanguageSelector next({u"zh-TW"_qs});
    EXPECT_EQ(next.GetLanguage(), OstLanguageSelector::Korean);
    QString korean;
    ASSERT_TRUE(OstLanguageSelector::LoadStringInLanguage(1042, 458, korean));
    EXPECT_EQ(next.GetString(458), korean);
}

TEST_F(LanguageSelectorTest, StoredValueGivesItsLow16BitsEvenWithoutATable) {
    Store(2052);
    OstLanguageSelector simplified({u"en-US"_qs});
    EXPECT_EQ(simplified.GetLanguage(), 2052);
    EXPECT_TRUE(simplified.GetString(453).isEmpty());
    EXPECT_TRUE(simplified.GetString(301).isEmpty());

    Store(0x10404u);
    EXPECT_EQ(OstLanguageSelector({u"en-US"_qs}).GetLanguage(), 1028);
    Store(-1);
    EXPECT_EQ(OstLanguageSelector({u"en-US"_qs}).GetLanguage(), 0xFFFF);
}

TEST_F(LanguageSelectorTest, UnreadableStoredValueFallsBackToTheSystemAndIsRewritten) {
    for (const QVariant& bad :
         {QVariant(u"abc"_qs), QVariant(qlonglong{1} << 32), QVariant(QStringList{u"1028"_qs})}) {
        Store(bad);
        OstLanguageSelector selector({u"zh-TW"_qs});
        EXPECT_EQ(selector.GetLanguage(), OstLanguageSelector::TraditionalChinese)
            << bad.toString().toStdString();
        EXPECT_EQ(Stored().toUInt(), 1028u);
    }
}

TEST_F(LanguageSelectorTest, EverySetPostsAfterTheLanguageChangedAndRewritesTheValue) {
    Observe();
    OstLanguageSelector selector({u"en-US"_qs});
    EXPECT_EQ(observer.count, 1) << "posted once at creation";
    observer.selector = &selector;

    Store(1042);
    selector.SetLanguage(OstLanguageSelector::English);
    EXPECT_EQ(observer.count, 2) << "the same language posts again";
    EXPECT_EQ(Stored().toUInt(), 1033u) << "and the value is written again";

    selector.SetLanguage(OstLanguageSelector::TraditionalChinese);
    EXPECT_EQ(observer.seen, (std::vector<std::uint16_t>{1033, 1028}));
    EXPECT_EQ(selector.GetString(471), u"cht"_qs) << "texts follow the current language";
    selector.SetLanguage(OstLanguageSelector::Korean);
    EXPECT_EQ(selector.GetString(471), u"eng"_qs);
}
