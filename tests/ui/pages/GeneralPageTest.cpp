#include "COstUI_Orbit_GeneralPage.h"
#include "COstUI_PropertySheet.h"
#include "OstLanguageSelector.h"
#include "OstPageText.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class GeneralPageTest : public ::testing::Test {
protected:
    GeneralPageTest() {
        OstLanguageSelector::GetInstance().SetLanguage(OstLanguageSelector::English);
        record_.DeviceName = u"Orbit"_qs;
        record_.PicturesFolder = u"/home/me/Pictures/Orbit/"_qs;
        record_.Resolution = u"800x600"_qs;
        record_.Frame = u"15"_qs;
        page_.SetSettingsRecord(&record_);
        page_.SetDeviceNames({u"Orbit Simulated Camera"_qs, u"Orbit"_qs});
        page_.SetFolderChooser([this](QWidget*, const QString& title, const QString& start) {
            chooserTitle_ = title;
            chooserStart_ = start;
            return chosen_;
        });
        sheet_.AddPage(&page_);
        sheet_.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&sheet_));
    }
    template <typename T> T* Control(int id) {
        T* widget = page_.findChild<T*>(QString::number(id));
        EXPECT_NE(widget, nullptr) << id;
        return widget;
    }
    static void Choose(QComboBox* list, int index) {
        list->setFocus();
        while (list->currentIndex() < index)
            QTest::keyClick(list, Qt::Key_Down);
        while (list->currentIndex() > index)
            QTest::keyClick(list, Qt::Key_Up);
    }

    SettingsRecord record_;
    COstUI_PropertySheet sheet_{327};
    COstUI_Orbit_GeneralPage page_;
    QString chosen_;
    QString chooserTitle_;
    QString chooserStart_;
};

TEST_F(GeneralPageTest, CustomNameLosesForbiddenCharactersAsTheyAreTyped) {
    QLineEdit* edit = Control<QLineEdit>(2008);
    edit->setFocus();
    QTest::keyClicks(edit, u"a:b*c"_qs);
    EXPECT_EQ(edit->text(), u"abc"_qs);
    EXPECT_EQ(edit->cursorPosition(), 3);
    EXPECT_TRUE(page_.IsModified());

    // Pasted in the middle: every forbidden character goes, the caret one back per removal
    // from where the paste ended.
    edit->setCursorPosition(1);
    edit->insert(u"x\\/\"?|:<>*y"_qs);
    EXPECT_EQ(edit->text(), u"axybc"_qs);
    EXPECT_EQ(edit->cursorPosition(), 3);

    // A store without a pictures folder: the record keeps none rather than the root.
    page_.findChild<OstPagePathLabel*>(u"2010"_qs)->SetPath(QString());
    page_.OnApply();
    EXPECT_EQ(record_.CustomDefineName, u"axybc"_qs);
    EXPECT_EQ(record_.PicturesFolder, QString());
}

TEST_F(GeneralPageTest, ApplyWritesTheRecordAndAsksForARestartOnlyForANewResolution) {
    EXPECT_EQ(Control<QComboBox>(2013)->currentIndex(), 0);
    EXPECT_EQ(Control<QComboBox>(2015)->currentText(), u"15"_qs);
    EXPECT_FALSE(page_.IsModified());
    EXPECT_FALSE(sheet_.GetButton(COstUI_PropertySheet::ID_APPLY_NOW)->isEnabled());

    ASSERT_TRUE(sheet_.PressApply());
    EXPECT_FALSE(page_.cameraRestartNeeded);
    EXPECT_EQ(record_.Resolution, u"800x600"_qs);
    EXPECT_EQ(record_.DeviceName, u"Orbit Simulated Camera"_qs);

    Choose(Control<QComboBox>(2013), 1);
    Choose(Control<QComboBox>(2015), 0);
    Choose(Control<QComboBox>(2001), 1);
    QTest::mouseClick(Control<QRadioButton>(2004), Qt::LeftButton);
    QTest::mouseClick(Control<QRadioButton>(2007), Qt::LeftButton);
    EXPECT_TRUE(sheet_.GetButton(COstUI_PropertySheet::ID_APPLY_NOW)->isEnabled());
    chosen_ = u"/tmp/Photos"_qs;
    QTest::mouseClick(Control<QPushButton>(2011), Qt::LeftButton);
    EXPECT_EQ(chooserStart_, u"/home/me/Pictures/Orbit/"_qs);
    EXPECT_EQ(chooserTitle_, u"Select Path"_qs);

    ASSERT_TRUE(sheet_.PressApply());
    EXPECT_TRUE(page_.cameraRestartNeeded);
    EXPECT_EQ(record_.Resolution, u"640x480"_qs);
    EXPECT_EQ(record_.Frame, u"30"_qs);
    EXPECT_EQ(record_.DeviceName, u"Orbit"_qs);
    EXPECT_EQ(record_.SnapshotMode, 1);
    EXPECT_EQ(record_.FileNameMode, 1);
    EXPECT_EQ(record_.PicturesFolder, u"/tmp/Photos/"_qs);

    // The same folder again, or none chosen, is no change.
    EXPECT_FALSE(page_.IsModified());
    QTest::mouseClick(Control<QPushButton>(2011), Qt::LeftButton);
    chosen_.clear();
    QTest::mouseClick(Control<QPushButton>(2011), Qt::LeftButton);
    EXPECT_FALSE(page_.IsModified());
}

TEST_F(GeneralPageTest, DeviceListAndLanguageRebuildTheListsKeepingTheirSelection) {
    auto* resolutions = Control<QComboBox>(2013);
    auto* rates = Control<QComboBox>(2015);
    page_.SetDeviceNames({});
    EXPECT_EQ(Control<QComboBox>(2001)->count(), 0);
    EXPECT_FALSE(resolutions->isEnabled());
    EXPECT_FALSE(rates->isEnabled());
    page_.SetDeviceNames({u"Orbit"_qs});
    EXPECT_EQ(Control<QComboBox>(2001)->currentText(), u"Orbit"_qs);
    EXPECT_TRUE(resolutions->isEnabled());
    // The controller refilling the list is not the user's change.
    EXPECT_FALSE(page_.IsModified());

    Choose(rates, 0);
    OstLanguageSelector::GetInstance().SetLanguage(OstLanguageSelector::Korean);
    sheet_.ApplyTexts();
    EXPECT_EQ(resolutions->itemText(1), u"640x480 (기본값)"_qs);
    EXPECT_EQ(rates->itemText(0), u"30 (기본값)"_qs);
    EXPECT_EQ(resolutions->currentIndex(), 0);
    EXPECT_EQ(rates->currentIndex(), 0);
    EXPECT_EQ(Control<QRadioButton>(2003)->text(), u"바로 찍기"_qs);
    OstLanguageSelector::GetInstance().SetLanguage(OstLanguageSelector::English);
}

} // namespace
