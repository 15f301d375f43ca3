#include "PagesTestSupport.h"

#include "COstUI_Orbit_SettingPropSheet.h"
#include "OstCameraProperty.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>

namespace {

using Sheet = COstUI_Orbit_SettingPropSheet;

class SettingPropSheetTest : public SimulatedCameraFixture {};

QString Text(int number) {
    return OstLanguageSelector::GetInstance().GetString(number);
}

TEST_F(SettingPropSheetTest, FivePagesSwitchedByRequestAndReadInTheCurrentLanguage) {
    SettingsRecord record;
    record.Resolution = u"640x480"_qs;
    record.Frame = u"30"_qs;
    Sheet sheet;
    EXPECT_EQ(Sheet::Current(), &sheet);
    sheet.SetSettingsRecord(&record);
    sheet.GeneralPage().SetDeviceNames({u"Orbit"_qs});
    sheet.SetActivePage(Sheet::kRemote);
    sheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
    ASSERT_EQ(sheet.GetPageCount(), 5);
    EXPECT_EQ(sheet.GetPage(Sheet::kGeneral), &sheet.GeneralPage());
    EXPECT_EQ(sheet.GetPage(Sheet::kRemote), &sheet.RemotePage());
    EXPECT_EQ(sheet.GetPage(Sheet::kImageControl), &sheet.ImageControlPage());
    EXPECT_EQ(sheet.GetPage(Sheet::kEffect), &sheet.EffectPage());
    EXPECT_EQ(sheet.GetPage(Sheet::kAbout), &sheet.AboutPage());
    EXPECT_EQ(sheet.GetTabControl()->currentIndex(), Sheet::kRemote);
    EXPECT_FALSE(sheet.GeneralPage().IsCreated());

    // Another request while the sheet is open only switches its page.
    EXPECT_TRUE(sheet.SetActivePage(Sheet::kImageControl));
    EXPECT_EQ(sheet.GetTabControl()->currentIndex(), Sheet::kImageControl);
    EXPECT_TRUE(sheet.ImageControlPage().IsCreated());
    // Built while the sheet was showing: its controls show too, the hidden ones excepted.
    EXPECT_TRUE(Find<QSlider>(&sheet.ImageControlPage(), 4005)->isVisible());
    EXPECT_TRUE(Find<QRadioButton>(&sheet.ImageControlPage(), 4051)->isVisible());
    EXPECT_FALSE(Find<QSlider>(&sheet.ImageControlPage(), 4023)->isVisible());
    sheet.SetActivePage(Sheet::kGeneral);

    for (auto language : {OstLanguageSelector::Korean, OstLanguageSelector::TraditionalChinese}) {
        OstLanguageSelector::GetInstance().SetLanguage(language);
        sheet.ApplyTexts();
        EXPECT_EQ(sheet.windowTitle(), Text(327));
        const int titles[] = {356, 371, 384, 416, 448};
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(sheet.GetPageTitle(i), Text(titles[i])) << i;
        EXPECT_EQ(sheet.GetButton(Sheet::IDOK)->text(), Text(450));
        EXPECT_EQ(sheet.GetButton(Sheet::IDCANCEL)->text(), Text(451));
        EXPECT_EQ(sheet.GetButton(Sheet::ID_APPLY_NOW)->text(), Text(452));
        EXPECT_EQ(Find<QGroupBox>(&sheet.ImageControlPage(), 4000)->title(), Text(384));
        EXPECT_EQ(Find<QRadioButton>(&sheet.ImageControlPage(), 4051)->text(), Text(409));
        EXPECT_EQ(Find<QGroupBox>(&sheet.GeneralPage(), 2000)->title(), Text(357));
    }
    OstLanguageSelector::GetInstance().SetLanguage(OstLanguageSelector::English);
    // Cancel leaves the record as it was.
    QTest::mouseClick(Find<QRadioButton>(&sheet.GeneralPage(), 2004), Qt::LeftButton);
    ASSERT_TRUE(sheet.PressCancel());
    EXPECT_EQ(record.SnapshotMode, 0);
    EXPECT_EQ(record.DeviceName, QString());
}

TEST_F(SettingPropSheetTest, OkWithoutChangesWritesNothingToTheCamera) {
    OstWebcam* device = Device();
    Driver().SetProperty(OstCameraProperty::Effect, 22);
    SettingsRecord record;
    record.Resolution = u"320x240"_qs;
    record.Frame = u"5"_qs;
    {
        Sheet sheet;
        sheet.SetSettingsRecord(&record);
        sheet.SetDevice(device);
        sheet.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
        for (int page = Sheet::kAbout; page >= Sheet::kGeneral; --page)
            ASSERT_TRUE(sheet.SetActivePage(page));
        Settle();
        const auto version = Driver().Version();
        ASSERT_TRUE(sheet.PressOK());
        Settle();
        EXPECT_EQ(Driver().Version(), version);
        EXPECT_FALSE(sheet.GeneralPage().cameraRestartNeeded);
        EXPECT_EQ(record.Resolution, u"320x240"_qs);
        EXPECT_EQ(record.Frame, u"5"_qs);
    }
    EXPECT_EQ(Sheet::Current(), nullptr);
}

} // namespace
