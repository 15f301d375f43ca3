#include "COstUI_Orbit_RemotePage.h"
#include "COstUI_PropertySheet.h"
#include "OstLanguageSelector.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Page = COstUI_Orbit_RemotePage;

class RemotePageTest : public ::testing::Test {
protected:
    RemotePageTest() {
        OstLanguageSelector::GetInstance().SetLanguage(OstLanguageSelector::English);
    }

    // The page in a one-page sheet, as the tray opens it.
    void Open(const QString& password, std::int32_t monitorOn) {
        page_.SetRemoteValues(password, monitorOn);
        page_.SetCameraPresence([this] { return camera_; });
        sheet_.AddPage(&page_);
        sheet_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet_));
        first_ = page_.findChild<QLineEdit*>(u"6006"_qs);
        second_ = page_.findChild<QLineEdit*>(u"6007"_qs);
        box_ = page_.findChild<QCheckBox*>(u"6000"_qs);
        save_ = page_.findChild<QPushButton*>(u"6005"_qs);
        change_ = page_.findChild<QPushButton*>(u"6008"_qs);
    }
    static void Type(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        QTest::keyClicks(edit, text);
    }
    static void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }
    // Edits and Save enabled, Change not (or the other way round).
    bool Editing() const {
        return first_->isEnabled() && second_->isEnabled() && save_->isEnabled() &&
               !change_->isEnabled();
    }
    bool Locked() const {
        return !first_->isEnabled() && !second_->isEnabled() && !save_->isEnabled() &&
               change_->isEnabled();
    }
    // The message on screen, checked to be the one the page names, in its colour.
    int Shown(const QColor& colour) {
        auto* label = page_.findChild<QLabel*>(u"6004"_qs);
        EXPECT_EQ(label->text(),
                  OstLanguageSelector::GetInstance().GetString(page_.GetMessageId()));
        EXPECT_EQ(label->palette().color(QPalette::WindowText), colour);
        return page_.GetMessageId();
    }

    bool camera_ = false;
    COstUI_PropertySheet sheet_{371};
    Page page_;
    QLineEdit* first_ = nullptr;
    QLineEdit* second_ = nullptr;
    QCheckBox* box_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* change_ = nullptr;
};

TEST_F(RemotePageTest, PasswordsMustMatchBeforeSaveLocksThemAndOnlyApplyTakesThem) {
    Open(QString(), 0);
    EXPECT_TRUE(Editing());
    EXPECT_FALSE(box_->isEnabled());
    EXPECT_EQ(Shown(Page::Blue()), 378);

    Type(first_, u"secret"_qs);
    Type(second_, u"secreT"_qs);
    Click(save_);
    EXPECT_TRUE(first_->text().isEmpty());
    EXPECT_TRUE(second_->text().isEmpty());
    EXPECT_EQ(Shown(Page::Red()), 383);

    // A change of the first edit empties the second; one edit empty, Save does nothing.
    Type(second_, u"pa ss"_qs);
    Type(first_, u"pa ss"_qs);
    EXPECT_TRUE(second_->text().isEmpty());
    Click(save_);
    EXPECT_TRUE(Editing());
    Type(second_, u"pa ss"_qs);
    Click(save_);
    EXPECT_TRUE(Locked());
    EXPECT_TRUE(box_->isEnabled());
    EXPECT_EQ(Shown(Page::Blue()), 379);
    EXPECT_TRUE(page_.password.isEmpty());
    ASSERT_TRUE(sheet_.PressOK());
    EXPECT_EQ(page_.password, u"pa ss"_qs);
    EXPECT_EQ(page_.monitorOn, 0);
}

TEST_F(RemotePageTest, SwitchingOnNeedsACameraAndChangeThenOkStoresNoPassword) {
    Open(u"pw"_qs, 0);
    EXPECT_TRUE(Locked());
    EXPECT_EQ(Shown(Page::Blue()), 379);
    Click(box_);
    EXPECT_FALSE(box_->isChecked());
    EXPECT_EQ(Shown(Page::Red()), 381);
    camera_ = true;
    Click(box_);
    EXPECT_TRUE(box_->isChecked());
    EXPECT_EQ(Shown(Page::Blue()), 380);
    ASSERT_TRUE(sheet_.PressApply());
    EXPECT_EQ(page_.monitorOn, 1);
    EXPECT_EQ(page_.password, u"pw"_qs);

    Click(change_);
    EXPECT_TRUE(Editing());
    EXPECT_FALSE(box_->isChecked());
    EXPECT_FALSE(box_->isEnabled());
    EXPECT_TRUE(first_->text().isEmpty());
    EXPECT_EQ(Shown(Page::Blue()), 378);
    ASSERT_TRUE(sheet_.PressOK());
    EXPECT_TRUE(page_.password.isEmpty());
    EXPECT_EQ(page_.monitorOn, 0);
}

TEST_F(RemotePageTest, OpeningSwitchedOnIsNoChangeAndCancelKeepsWhatWasHandedIn) {
    camera_ = true;
    Open(u"pw"_qs, 1);
    EXPECT_TRUE(box_->isChecked());
    EXPECT_EQ(Shown(Page::Blue()), 380);
    EXPECT_FALSE(page_.IsModified());
    Click(change_);
    Type(first_, u"new"_qs);
    ASSERT_TRUE(sheet_.PressCancel());
    EXPECT_EQ(page_.password, u"pw"_qs);
    EXPECT_EQ(page_.monitorOn, 1);
}

TEST_F(RemotePageTest, SwitchedOnWithoutAPasswordIsRefused) {
    camera_ = true;
    Open(QString(), 1);
    EXPECT_FALSE(box_->isChecked());
    EXPECT_TRUE(Editing());
    EXPECT_EQ(Shown(Page::Red()), 382);
    ASSERT_TRUE(sheet_.PressOK());
    EXPECT_EQ(page_.monitorOn, 0);
    EXPECT_EQ(Shown(Page::Blue()), 378);
}

} // namespace
