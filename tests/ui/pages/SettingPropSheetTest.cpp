#include "PagesTestSupport.h"

#include "COstUI_Orbit_SettingPropSheet.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>

namespace {

using Sheet = COstUI_Orbit_SettingPropSheet;

QString Text(int number) {
    return OstLanguageSelector::GetInstance().GetString(number);
}

TEST(SettingPropSheetTest, FivePagesSwitchedByRequestAndReadInTheCurrentLanguage) {
    OstLanguageSelector::GetInstance().SetLanguage(OstLanguageSelector::English);
    SettingsRecord record;
    {
        Sheet sheet;
        sheet.SetSettingsRecord(&record);
        sheet.SetActivePage(Sheet::kRemote);
        sheet.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
        const COstUI_PropertyPage* pages[] = {&sheet.GeneralPage(), &sheet.RemotePage(),
                                              &sheet.ImageControlPage(), &sheet.EffectPage(),
                                              &sheet.AboutPage()};
        ASSERT_EQ(sheet.GetPageCount(), 5);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(sheet.GetPage(i), pages[i]) << i;
        EXPECT_EQ(sheet.GetTabControl()->currentIndex(), Sheet::kRemote);
        EXPECT_FALSE(sheet.GeneralPage().IsCreated());

        // Another request while the sheet is open only switches its page. A page built while
        // the sheet shows shows its controls, the hidden ones excepted.
        EXPECT_TRUE(sheet.SetActivePage(Sheet::kImageControl));
        EXPECT_EQ(sheet.GetTabControl()->currentIndex(), Sheet::kImageControl);
        EXPECT_TRUE(Find<QSlider>(&sheet.ImageControlPage(), 4005)->isVisible());
        EXPECT_TRUE(Find<QRadioButton>(&sheet.ImageControlPage(), 4051)->isVisible());
        EXPECT_FALSE(Find<QSlider>(&sheet.ImageControlPage(), 4023)->isVisible());
        sheet.SetActivePage(Sheet::kGeneral);

        for (auto language :
             {OstLanguageSelector::Korean, OstLanguageSelector::TraditionalChinese}) {
            OstLanguageSelector::GetInstance().SetLanguage(language);
            sheet.ApplyTexts();
            EXPECT_EQ(sheet.windowTitle(), Text(327));
            const int titles[] = {356, 371, 384, 416, 448};
            for (int i = 0; i < 5; ++i)
                EXPECT_EQ(sheet.GetPageTitle(i), Text(titles[i])) << i;
            EXPECT_EQ(sheet.GetButton(Sheet::IDOK)->text(), Text(450));
            EXPECT_EQ(sheet.GetButton(Sheet::IDCANCEL)->text(), Text(451));
            EXPECT_EQ(sheet.GetButton(Sheet::ID_APPLY_NOW)->text(), Text(452));
            EXPECT_EQ(Find<QGroupBox>(&sheet.GeneralPage(), 2000)->title(), Text(357));
            EXPECT_EQ(Find<QRadioButton>(&sheet.ImageControlPage(), 4051)->text(), Text(409));
        }
        OstLanguageSelector::GetInstance().SetLanguage(OstLanguageSelector::English);

        // Cancel leaves the record as it was.
        QTest::mouseClick(Find<QRadioButton>(&sheet.GeneralPage(), 2004), Qt::LeftButton);
        ASSERT_TRUE(sheet.PressCancel());
        EXPECT_EQ(record, SettingsRecord());
    }
}

} // namespace
