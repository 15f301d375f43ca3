#include "COstUI_Orbit_RemotePage.h"

#include "CColorStatic.h"
#include "OstDialogUnits.h"
#include "OstPageControls.h"
#include "OstPageText.h"
#include "OstWebcamMonitor.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using OstPageControls::Make;

namespace {

enum Text {
    kTitle = 371,
    kIntro = 372,
    kEnable = 373,
    kTypePassword = 374,
    kRetypePassword = 375,
    kSave = 376,
    kChange = 377,
    kPleaseType = 378,
    kSaved = 379,
    kStarted = 380,
    kNoCamera = 381,
    kFailed = 382,
    kNotCorrect = 383,
};

bool AnyCameraAttached() {
    return OstWebcamMonitor::GetInstance().DeviceCount() > 0;
}

// Layout of the check box, whose long text wraps inside it.
constexpr int kCheckLeft = 7, kCheckTop = 66, kCheckWidth = 272, kCheckHeight = 20;

} // namespace

const QColor& COstUI_Orbit_RemotePage::Blue() {
    static const QColor colour(0, 0, 255);
    return colour;
}

const QColor& COstUI_Orbit_RemotePage::Red() {
    static const QColor colour(255, 0, 0);
    return colour;
}

COstUI_Orbit_RemotePage::COstUI_Orbit_RemotePage(QWidget* parent)
    : COstUI_PropertyPage(kTitle, OstDialogUnits(QApplication::font()).Size(286, 306), parent),
      cameraPresence_(AnyCameraAttached), messageColour_(Blue()) {}

COstUI_Orbit_RemotePage::~COstUI_Orbit_RemotePage() = default;

void COstUI_Orbit_RemotePage::SetRemoteValues(const QString& newPassword,
                                              std::int32_t newMonitorOn) {
    password = newPassword;
    monitorOn = newMonitorOn;
}

bool COstUI_Orbit_RemotePage::OnInitDialog() {
    const OstDialogUnits du(font());
    auto place = [&](QWidget* w, int l, int t, int wd, int h) {
        w->setGeometry(du.Rect(l, t, wd, h));
    };
    intro_ = Make<QLabel>(this, 6001);
    intro_->setWordWrap(true);
    intro_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(intro_, 7, 7, 272, 54);
    enable_ = Make<QCheckBox>(this, 6000);
    place(enable_, kCheckLeft, kCheckTop, kCheckWidth, kCheckHeight);
    typeLabel_ = Make<QLabel>(this, 6002);
    place(typeLabel_, 14, 98, 90, 10);
    first_ = Make<QLineEdit>(this, 6006);
    place(first_, 108, 96, 130, 13);
    retypeLabel_ = Make<QLabel>(this, 6003);
    place(retypeLabel_, 14, 116, 90, 10);
    second_ = Make<QLineEdit>(this, 6007);
    place(second_, 108, 114, 130, 13);
    for (QLineEdit* edit : {first_, second_})
        edit->setEchoMode(QLineEdit::Password);
    // The labels name the password fields to screen readers.
    typeLabel_->setBuddy(first_);
    retypeLabel_->setBuddy(second_);
    save_ = Make<QPushButton>(this, 6005);
    place(save_, 108, 134, 60, 15);
    change_ = Make<QPushButton>(this, 6008);
    place(change_, 178, 134, 60, 15);
    status_ = Make<CColorStatic>(this, 6004);
    status_->SetTransparent(true);
    status_->setWordWrap(true);
    status_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(status_, 7, 160, 272, 44);

    connect(first_, &QLineEdit::textChanged, this, &COstUI_Orbit_RemotePage::OnFirstEditChanged);
    connect(enable_, &QCheckBox::clicked, this, &COstUI_Orbit_RemotePage::OnCheckClicked);
    connect(save_, &QPushButton::clicked, this, &COstUI_Orbit_RemotePage::OnSave);
    connect(change_, &QPushButton::clicked, this, &COstUI_Orbit_RemotePage::OnChange);

    initialising_ = true;
    first_->setText(password);
    second_->setText(password);
    messageColour_ = Blue();
    enable_->setEnabled(true);
    if (password.isEmpty()) {
        enable_->setEnabled(false);
        SetEditing(true);
        SetMessage(kPleaseType);
    } else {
        SetEditing(false);
        SetMessage(kSaved);
    }
    if (monitorOn == 1) {
        enable_->setChecked(true);
        OnCheckClicked();
    }
    initialising_ = false;
    OstPageControls::ShowNewControls(this);
    ApplyTexts();
    return true;
}

void COstUI_Orbit_RemotePage::ApplyTexts() {
    if (!IsCreated())
        return;
    using OstPageText::Load;
    const OstDialogUnits du(font());
    intro_->setText(Load(kIntro));
    OstPageText::SetWrappedText(enable_, Load(kEnable), du.X(kCheckWidth), du.Y(kCheckHeight));
    typeLabel_->setText(Load(kTypePassword));
    retypeLabel_->setText(Load(kRetypePassword));
    save_->setText(Load(kSave));
    change_->setText(Load(kChange));
    ShowMessage();
    OstPageControls::FitTexts(this);
}

void COstUI_Orbit_RemotePage::SetEditing(bool editing) {
    first_->setEnabled(editing);
    second_->setEnabled(editing);
    save_->setEnabled(editing);
    change_->setEnabled(!editing);
}

void COstUI_Orbit_RemotePage::SetMessage(int id) {
    messageId_ = id;
}

void COstUI_Orbit_RemotePage::SetMessage(int id, const QColor& colour) {
    messageId_ = id;
    messageColour_ = colour;
}

void COstUI_Orbit_RemotePage::ShowMessage() {
    status_->SetTextColor(messageColour_);
    status_->setText(messageId_ != 0 ? OstPageText::Load(messageId_) : QString());
}

void COstUI_Orbit_RemotePage::OnCheckClicked() {
    const QString a = first_->text();
    const QString b = second_->text();
    const bool valid = !a.isEmpty() && a == b;
    if (enable_->isChecked()) {
        if (valid) {
            SetEditing(false);
            if (cameraPresence_ && cameraPresence_()) {
                SetMessage(kStarted, Blue());
            } else {
                enable_->setChecked(false);
                SetMessage(kNoCamera, Red());
            }
        } else {
            enable_->setChecked(false);
            SetEditing(true);
            SetMessage(kFailed, Red());
        }
    } else if (!valid) {
        SetEditing(true);
        SetMessage(kPleaseType);
    } else {
        SetEditing(false);
        SetMessage(kSaved);
    }
    ShowMessage();
    Changed();
}

void COstUI_Orbit_RemotePage::OnSave() {
    const QString a = first_->text();
    const QString b = second_->text();
    if (a.isEmpty() || b.isEmpty())
        return;
    if (a == b) {
        SetEditing(false);
        SetMessage(kSaved, Blue());
        enable_->setEnabled(true);
    } else {
        first_->clear();
        second_->clear();
        SetMessage(kNotCorrect, Red());
    }
    ShowMessage();
    Changed();
}

void COstUI_Orbit_RemotePage::OnChange() {
    change_->setEnabled(false);
    save_->setEnabled(true);
    enable_->setChecked(false);
    enable_->setEnabled(false);
    first_->clear();
    second_->clear();
    first_->setEnabled(true);
    second_->setEnabled(true);
    SetMessage(kPleaseType, Blue());
    ShowMessage();
}

void COstUI_Orbit_RemotePage::OnFirstEditChanged() {
    second_->clear();
}

void COstUI_Orbit_RemotePage::Changed() {
    if (!initialising_)
        SetModified(true);
}

bool COstUI_Orbit_RemotePage::OnApply() {
    if (IsCreated()) {
        const QString a = first_->text();
        const QString b = second_->text();
        if (!a.isEmpty() && a == b) {
            password = a;
            enable_->setEnabled(true);
            SetEditing(false);
            SetMessage(kSaved);
        } else {
            enable_->setChecked(false);
            enable_->setEnabled(false);
            password.clear();
            first_->clear();
            second_->clear();
            SetMessage(kPleaseType);
        }
        if (enable_->isChecked()) {
            monitorOn = 1;
            SetMessage(kStarted);
        } else {
            monitorOn = 0;
        }
        messageColour_ = Blue();
        ShowMessage();
    }
    return COstUI_PropertyPage::OnApply();
}
