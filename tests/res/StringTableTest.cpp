#include "OstLanguageSelector.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>

namespace {

constexpr std::uint16_t kTables[] = {OstLanguageSelector::English,
                                     OstLanguageSelector::TraditionalChinese,
                                     OstLanguageSelector::Korean};
constexpr int kFirst = 301;
constexpr int kLast = 471;
// Texts the program added for what it reports beyond the original ones.
constexpr int kAdded[] = {472, 473, 474, 475, 476, 477, 480, 481, 482, 483, 484, 485, 486, 487,
                          488, 489, 490, 491, 492, 493, 494, 495, 496, 497, 498, 499,
                          500, 501, 502, 503, 504, 505, 506, 507, 508, 509, 510, 511, 512, 513};

QString Load(std::uint16_t language, int number) {
    QString text;
    EXPECT_TRUE(OstLanguageSelector::LoadStringInLanguage(language, number, text))
        << "language " << language << ", string " << number;
    return text;
}

// What code fills in or the widgets interpret: printf conversions, line breaks and lone
// ampersands (mnemonics); a doubled ampersand is a plain character.
QStringList Markers(const QString& text) {
    static const QRegularExpression conversion(u"%[-+ #0]*[0-9]*(?:\\.[0-9]+)?[a-zA-Z%]"_qs);
    QStringList markers;
    for (const auto& match : conversion.globalMatch(text))
        markers << match.captured();
    markers << QStringList(text.count(u'\n'), u"\\n"_qs);
    QString rest = text;
    rest.remove(u"&&"_qs);
    markers << QStringList(rest.count(u'&'), u"&"_qs);
    markers.sort();
    return markers;
}

} // namespace

TEST(StringTableTest, EveryNumberHasATextInEveryTable) {
    for (std::uint16_t language : kTables) {
        for (int number = kFirst; number <= kLast; ++number) {
            EXPECT_FALSE(Load(language, number).isEmpty())
                << "language " << language << ", string " << number;
        }
        for (int number : kAdded)
            EXPECT_FALSE(Load(language, number).isEmpty())
                << "language " << language << ", string " << number;
    }
}

TEST(StringTableTest, TranslationsKeepMarkersAndProductNames) {
    for (int number = kFirst; number <= kLast; ++number) {
        const QString english = Load(OstLanguageSelector::English, number);
        for (std::uint16_t language : kTables) {
            const QString text = Load(language, number);
            EXPECT_EQ(Markers(text), Markers(english))
                << "language " << language << ", string " << number << ": " << text.toStdString();
            for (const QString& product : {u"Orbit"_qs, u"Skype"_qs}) {
                EXPECT_EQ(text.contains(product), english.contains(product))
                    << product.toStdString() << " in language " << language << ", string "
                    << number;
            }
        }
    }
}

TEST(StringTableTest, EnglishTextsAreExact) {
    const QString q = u"\""_qs;
    const std::map<int, QString> expected = {
        {301, u"Open Orbit"_qs},
        {309, u"繁體中文"_qs},
        {310, u"简体中文"_qs},
        {313, u"Orbit Connected"_qs},
        {316, u"Orbit Monitor but Skype Offline"_qs},
        {341, u"Connecting..."_qs},
        {347, u"?"_qs},
        {350, u"Orbit device has been detected but video source is occupied by another "
              "application. Please close other video application and restart the software."_qs},
        {351, u"Can not find Orbit device. Please plug in the Orbit device and make sure the "
              "power switch has been set as "_qs +
                  q + u"On."_qs + q + u" Restart Orbit Software."_qs},
        {363, u"Date +  Serial number"_qs},
        {374, u"Type Password"_qs},
        {379, u"Password has been saved. Press "_qs + q + u"Change"_qs + q +
                  u" button to change password."_qs},
        {381, u"! Can not start remote monitor function. Please plug in Orbit device."_qs},
        {417, u"No effect && frame"_qs},
        {453, u"Orbit is Starting Up..."_qs},
        {458, u"Please enter password."_qs},
        {461, u"Too many failed attempts, wait later to retry."_qs},
        {464, u"The function is applied to images except 800x 600 dpi."_qs},
        {466, u"Fail to send "_qs + q},
        {467, q + u" files to "_qs + q},
        {468,
         q + u" because the receiver may not have Orbit software. Please press the button "_qs + q +
             u"Sending Software"_qs + q + u" to the receiver for installation."_qs},
        {469, q +
                  u"Are you sure to close resident Orbit? It would cause dysfunction of sending "
                  "pictures and remote monitor."_qs +
                  q},
        {470, u"Intro."_qs},
        {471, u"eng"_qs},
    };
    for (const auto& [number, text] : expected)
        EXPECT_EQ(Load(OstLanguageSelector::English, number), text) << "string " << number;
}

TEST(StringTableTest, FixedTextsAndHelpFolderPerLanguage) {
    for (std::uint16_t language : kTables) {
        EXPECT_EQ(Load(language, 309), u"繁體中文"_qs) << language;
        EXPECT_EQ(Load(language, 310), u"简体中文"_qs) << language;
        // The tray balloon drops the first "Orbit " of these texts.
        for (int number : {313, 314, 315, 316})
            EXPECT_TRUE(Load(language, number).startsWith(u"Orbit "_qs)) << language << number;
    }
    EXPECT_EQ(Load(OstLanguageSelector::TraditionalChinese, 471), u"cht"_qs);
    EXPECT_EQ(Load(OstLanguageSelector::Korean, 471), u"eng"_qs);
    EXPECT_NE(Load(OstLanguageSelector::Korean, 458), Load(OstLanguageSelector::English, 458));
    EXPECT_NE(Load(OstLanguageSelector::TraditionalChinese, 458),
              Load(OstLanguageSelector::English, 458));
}

TEST(StringTableTest, MissingTableOrNumberFindsNothingAndKeepsText) {
    for (std::uint16_t language : {std::uint16_t{2052}, std::uint16_t{0}, std::uint16_t{0xFFFF}}) {
        QString text = u"kept"_qs;
        EXPECT_FALSE(OstLanguageSelector::LoadStringInLanguage(language, 453, text)) << language;
        EXPECT_EQ(text, u"kept"_qs);
    }
    for (int number : {kFirst - 1, 478, 514, 0, -301, 1033}) {
        QString text = u"kept"_qs;
        EXPECT_FALSE(
            OstLanguageSelector::LoadStringInLanguage(OstLanguageSelector::English, number, text))
            << number;
        EXPECT_EQ(text, u"kept"_qs);
    }
}
