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
        first_ = Control<QLineEdit>(6006);
        second_ = Control<QLineEdit>(6007);
        box_ = Control<QCheckBox>(6000);
        save_ = Control<QPushButton>(6005);
        change_ = Control<QPushButton>(6008);
    }
    template <typename T> T* Control(int id) {
        T* widget = page_.findChild<T*>(QString::number(id));
        EXPECT_NE(widget, nullptr) << id;
        return widget;
    }
    void Type(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        QTest::keyClicks(edit, text);
    }
    void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }
    bool Editing() const {
        return first_->isEnabled() && second_->isEnabled() && save_->isEnabled() &&
               !change_->isEnabled();
    }
    bool Locked() const {
        return !first_->isEnabled() && !second_->isEnabled() && !save_->isEnabled() &&
               change_->isEnabled();
    }
    // The message shown, and that its text and colour are the ones on screen.
    int Message() {
        auto* label = Control<QLabel>(6004);
        EXPECT_EQ(label->text(),
                  OstLanguageSelector::GetInstance().GetString(page_.GetMessageId()));
        EXPECT_EQ(label->palette().color(QPalette::WindowText), page_.GetMessageColour());
        return page_.GetMessageId();
    }

    bool camera_ = false;
    COstUI_PropertySheet sheet_{371};
    COstUI_Orbit_RemotePage page_;
    QLineEdit* first_ = nullptr;
    QLineEdit* second_ = nullptr;
    QCheckBox* box_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* change_ = nullptr;
};

TEST_F(RemotePageTest, PasswordsMustMatchBeforeSaveLocksThem) {
    Open(QString(), 0);
    EXPECT_TRUE(Editing());
    EXPECT_FALSE(box_->isEnabled());
    EXPECT_EQ(Message(), 378);
    EXPECT_TRUE(first_->text().isEmpty());

    Type(first_, u"secret"_qs);
    Type(second_, u"secreT"_qs);
    Click(save_);
    EXPECT_TRUE(first_->text().isEmpty());
    EXPECT_TRUE(second_->text().isEmpty());
    EXPECT_EQ(Message(), 383);
    EXPECT_EQ(page_.GetMessageColour(), COstUI_Orbit_RemotePage::Red());
    EXPECT_TRUE(Editing());

    // One edit empty: Save does nothing at all.
    Type(first_, u"pa ss"_qs);
    Click(save_);
    EXPECT_EQ(Message(), 383);
    // A change of the first edit empties the second.
    Type(second_, u"pa ss"_qs);
    Type(first_, u"!"_qs);
    EXPECT_TRUE(second_->text().isEmpty());
    Type(second_, u"pa ss!"_qs);
    Click(save_);
    EXPECT_TRUE(Locked());
    EXPECT_TRUE(box_->isEnabled());
    EXPECT_EQ(Message(), 379);
    EXPECT_EQ(page_.GetMessageColour(), COstUI_Orbit_RemotePage::Blue());
    // Save alone hands nothing out; only apply does.
    EXPECT_TRUE(page_.password.isEmpty());
    ASSERT_TRUE(sheet_.PressOK());
    EXPECT_EQ(page_.password, u"pa ss!"_qs);
    EXPECT_EQ(page_.monitorOn, 0);
}

TEST_F(RemotePageTest, SwitchingOnNeedsMatchingPasswordsAndACamera) {
    Open(u"pw"_qs, 0);
    EXPECT_TRUE(Locked());
    EXPECT_EQ(Message(), 379);
    EXPECT_EQ(first_->text(), u"pw"_qs);

    Click(box_);
    EXPECT_FALSE(box_->isChecked());
    EXPECT_EQ(Message(), 381);
    EXPECT_EQ(page_.GetMessageColour(), COstUI_Orbit_RemotePage::Red());

    camera_ = true;
    Click(box_);
    EXPECT_TRUE(box_->isChecked());
    EXPECT_EQ(Message(), 380);
    EXPECT_EQ(page_.GetMessageColour(), COstUI_Orbit_RemotePage::Blue());
    ASSERT_TRUE(sheet_.PressApply());
    EXPECT_EQ(page_.monitorOn, 1);
    EXPECT_EQ(page_.password, u"pw"_qs);

    // "Change" empties and unlocks both edits and switches off; OK then stores no password.
    Click(change_);
    EXPECT_TRUE(Editing());
    EXPECT_FALSE(box_->isChecked());
    EXPECT_FALSE(box_->isEnabled());
    EXPECT_TRUE(first_->text().isEmpty());
    EXPECT_EQ(Message(), 378);
    ASSERT_TRUE(sheet_.PressOK());
    EXPECT_TRUE(page_.password.isEmpty());
    EXPECT_EQ(page_.monitorOn, 0);
}

TEST_F(RemotePageTest, OpeningSwitchedOnChecksAgainAndCancelKeepsTheValuesHandedIn) {
    camera_ = true;
    Open(u"pw"_qs, 1);
    EXPECT_TRUE(box_->isChecked());
    EXPECT_EQ(Message(), 380);
    // Opening is not a change of the user's.
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
    EXPECT_FALSE(box_->isEnabled());
    EXPECT_TRUE(Editing());
    EXPECT_EQ(Message(), 382);
    EXPECT_EQ(page_.GetMessageColour(), COstUI_Orbit_RemotePage::Red());
    ASSERT_TRUE(sheet_.PressOK());
    EXPECT_EQ(page_.monitorOn, 0);
    EXPECT_EQ(Message(), 378);
    EXPECT_EQ(page_.GetMessageColour(), COstUI_Orbit_RemotePage::Blue());
}

} // namespace
