#include "PagesTestSupport.h"

#include "COstUI_Orbit_EffectPage.h"
#include "COstUI_Orbit_ImageControlPage.h"
#include "COstUI_Orbit_SettingPropSheet.h"
#include "OstCameraProperty.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

namespace P = OstCameraProperty;

namespace {

class CameraPagesTest : public PagesCameraTest {
protected:
    // The settings sheet on the camera, shown on `page`.
    std::unique_ptr<COstUI_Orbit_SettingPropSheet> Sheet(int page, OstWebcam* device) {
        auto sheet = std::make_unique<COstUI_Orbit_SettingPropSheet>();
        sheet->SetDevice(device);
        sheet->SetActivePage(page);
        sheet->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(sheet.get()));
        return sheet;
    }
    static void Keys(QWidget* widget, Qt::Key key, int times) {
        widget->setFocus();
        for (int i = 0; i < times; ++i)
            QTest::keyClick(widget, key);
    }
    static void Press(COstUI_PropertySheet& sheet, int button) {
        QTest::mouseClick(sheet.GetButton(button), Qt::LeftButton);
        Settle();
    }
};

TEST_F(CameraPagesTest, ImageChangesReachTheCameraLiveAndCancelReturnsItToTheSavedValues) {
    OstWebcam* device = Device();
    auto sheet = Sheet(COstUI_Orbit_SettingPropSheet::kImageControl, device);
    auto& page = sheet->ImageControlPage();
    const QImage before = NextFrame();
    ASSERT_FALSE(before.isNull());

    Keys(Find<QSlider>(&page, 4005), Qt::Key_Right, 3);
    Settle();
    EXPECT_EQ(Camera(P::Brightness), 35);
    EXPECT_EQ(Find<QLabel>(&page, 4006)->text(), u"35"_qs);
    Keys(Find<QSlider>(&page, 4014), Qt::Key_Left, 2); // hue, by its step of 10000
    Settle();
    EXPECT_EQ(Camera(P::Hue), 1780000);
    EXPECT_EQ(Find<QLabel>(&page, 4015)->text(), u"-2"_qs);
    QTest::mouseClick(Find<QCheckBox>(&page, 4001), Qt::LeftButton);
    QTest::mouseClick(Find<QRadioButton>(&page, 4055), Qt::LeftButton);
    EXPECT_EQ(Camera(P::Mirror), 1);
    EXPECT_EQ(Camera(P::Flicker60Hz), 1);
    EXPECT_TRUE(sheet->GetButton(COstUI_PropertySheet::ID_APPLY_NOW)->isEnabled());
    EXPECT_NE(NextFrame(), before);

    Press(*sheet, COstUI_PropertySheet::IDCANCEL);
    EXPECT_EQ(Camera(P::Brightness), 32);
    EXPECT_EQ(Camera(P::Hue), 1800000);
    EXPECT_EQ(Camera(P::Mirror), 0);
    EXPECT_EQ(Camera(P::Flicker60Hz), 0);
    EXPECT_EQ(NextFrame(), before);
    // The page shows what the camera went back to.
    EXPECT_EQ(Find<QSlider>(&page, 4005)->value(), 32);
    EXPECT_EQ(Find<QLabel>(&page, 4015)->text(), u"0"_qs);
    EXPECT_FALSE(Find<QCheckBox>(&page, 4001)->isChecked());
    EXPECT_TRUE(Find<QRadioButton>(&page, 4054)->isChecked());
}

TEST_F(CameraPagesTest, ApplySavesOnlyAfterAChangeAndLaterCancelsReturnToIt) {
    OstWebcam* device = Device();
    auto sheet = Sheet(COstUI_Orbit_SettingPropSheet::kImageControl, device);
    sheet->SetActivePage(COstUI_Orbit_SettingPropSheet::kEffect);
    sheet->SetActivePage(COstUI_Orbit_SettingPropSheet::kImageControl);
    auto& page = sheet->ImageControlPage();
    QSlider* contrast = Find<QSlider>(&page, 4008);

    // Nothing changed: neither page writes to the camera.
    const auto version = Driver().Version();
    EXPECT_TRUE(sheet->PressApply());
    Settle();
    EXPECT_EQ(Driver().Version(), version);

    // A move and a move back before the slider is next looked at is no change either.
    contrast->setFocus();
    QTest::keyClick(contrast, Qt::Key_Right);
    QTest::keyClick(contrast, Qt::Key_Left);
    Settle();
    EXPECT_EQ(Driver().Version(), version);
    EXPECT_FALSE(page.IsChanged());

    Keys(contrast, Qt::Key_Right, 1);
    Settle();
    EXPECT_EQ(Camera(P::Contrast), 15100);
    EXPECT_EQ(Find<QLabel>(&page, 4009)->text(), u"1.51"_qs);
    Press(*sheet, COstUI_PropertySheet::ID_APPLY_NOW);
    EXPECT_FALSE(page.IsChanged());

    // "Save" keeps the page changed, so Cancel still goes back to what the camera saved last.
    Keys(contrast, Qt::Key_Right, 1);
    Settle();
    QTest::mouseClick(Find<QPushButton>(&page, 4048), Qt::LeftButton);
    EXPECT_TRUE(page.IsChanged());
    Keys(contrast, Qt::Key_Right, 1);
    Settle();
    EXPECT_EQ(Camera(P::Contrast), 15300);
    Press(*sheet, COstUI_PropertySheet::IDCANCEL);
    EXPECT_EQ(Camera(P::Contrast), 15200);
    EXPECT_EQ(contrast->value(), 15200);
}

TEST_F(CameraPagesTest, DefaultButtonsAndValueTextsFollowTheCamera) {
    OstWebcam* device = Device();
    auto sheet = Sheet(COstUI_Orbit_SettingPropSheet::kImageControl, device);
    auto& page = sheet->ImageControlPage();
    auto text = [&](int id) { return Find<QLabel>(&page, id)->text(); };

    Driver().SetProperty(P::Hue, 0);
    Driver().SetProperty(P::Exposure, 2550000);
    Driver().SetProperty(P::RedGain, 8000);
    Driver().SetProperty(P::Indoor, 0);
    page.RefreshDevice();
    EXPECT_EQ(text(4015), u"-180"_qs);
    EXPECT_EQ(text(4033), u"255"_qs);
    EXPECT_EQ(text(4039), u"0.80"_qs);
    EXPECT_TRUE(Find<QRadioButton>(&page, 4052)->isChecked());
    Settle();
    EXPECT_FALSE(page.IsChanged()); // reading the camera is not the user's change

    // Restore brings back the saved set (the factory one here), Reset the factory set.
    QTest::mouseClick(Find<QPushButton>(&page, 4049), Qt::LeftButton);
    EXPECT_EQ(text(4015), u"0"_qs);
    EXPECT_TRUE(Find<QRadioButton>(&page, 4051)->isChecked());
    Driver().SetProperty(P::Saturation, 29900);
    Driver().SetProperty(P::SaveCurrent, 0);
    QTest::mouseClick(Find<QPushButton>(&page, 4047), Qt::LeftButton);
    EXPECT_EQ(Camera(P::Saturation), 10000);
    EXPECT_EQ(text(4018), u"1.00"_qs);

    // The camera goes and comes back: the hidden controls stay hidden and disabled.
    sheet->SetDevice(nullptr);
    EXPECT_FALSE(Find<QSlider>(&page, 4005)->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(&page, 4047)->isEnabled());
    sheet->SetDevice(device);
    EXPECT_TRUE(Find<QSlider>(&page, 4005)->isEnabled());
    EXPECT_FALSE(Find<QSlider>(&page, 4023)->isVisible());
    EXPECT_FALSE(Find<QCheckBox>(&page, 4034)->isVisible());
    EXPECT_FALSE(Find<QCheckBox>(&page, 4034)->isEnabled());
}

TEST_F(CameraPagesTest, EffectClicksShowLiveAndCancelRestoresTheEffectOfOpening) {
    OstWebcam* device = Device();
    Driver().SetProperty(P::Effect, 5);
    auto sheet = Sheet(COstUI_Orbit_SettingPropSheet::kEffect, device);
    auto& page = sheet->EffectPage();
    EXPECT_EQ(page.CheckedNumber(), 5);
    const QImage inverted = NextFrame();

    // The chosen one again: written, but no change.
    QTest::mouseClick(Find<QRadioButton>(&page, 3005), Qt::LeftButton);
    EXPECT_FALSE(page.IsModified());
    QTest::mouseClick(Find<QRadioButton>(&page, 3001), Qt::LeftButton);
    EXPECT_EQ(Camera(P::Effect), 1);
    EXPECT_NE(NextFrame(), inverted);
    QTest::mouseClick(Find<QRadioButton>(&page, 3002), Qt::LeftButton);
    EXPECT_EQ(Camera(P::Effect), 2);
    EXPECT_TRUE(page.IsModified());

    Press(*sheet, COstUI_PropertySheet::IDCANCEL);
    EXPECT_EQ(Camera(P::Effect), 5);
    EXPECT_EQ(NextFrame(), inverted);
}

TEST_F(CameraPagesTest, EffectPageChecksWhatTheCameraReportsAndApplyAdoptsIt) {
    OstWebcam* device = Device();
    Driver().SetProperty(P::Effect, COstUI_Orbit_EffectPage::kAutoChange);
    auto sheet = Sheet(COstUI_Orbit_SettingPropSheet::kEffect, device);
    auto& page = sheet->EffectPage();
    EXPECT_TRUE(Find<QRadioButton>(&page, 3255)->isChecked());

    // The hidden water colour is the one checked: no visible choice is.
    Driver().SetProperty(P::Effect, 48);
    page.RefreshDevice();
    EXPECT_EQ(page.CheckedNumber(), 48);
    for (QRadioButton* button : page.findChildren<QRadioButton*>())
        EXPECT_TRUE(!button->isVisible() || !button->isChecked())
            << qPrintable(button->objectName());

    const auto version = Driver().Version();
    Press(*sheet, COstUI_PropertySheet::ID_APPLY_NOW);
    EXPECT_EQ(Driver().Version(), version);

    QTest::mouseClick(Find<QRadioButton>(&page, 3017), Qt::LeftButton);
    Press(*sheet, COstUI_PropertySheet::ID_APPLY_NOW);
    EXPECT_EQ(page.GetReference(), 17);
    Press(*sheet, COstUI_PropertySheet::IDCANCEL);
    EXPECT_EQ(Camera(P::Effect), 17);

    // Unplugged: every choice disabled and unchecked.
    sheet->SetDevice(nullptr);
    EXPECT_EQ(page.CheckedNumber(), -1);
    EXPECT_FALSE(Find<QRadioButton>(&page, 3000)->isEnabled());
    EXPECT_FALSE(Find<QRadioButton>(&page, 3026)->isEnabled());
}

} // namespace
