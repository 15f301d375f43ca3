#include "COstUI_Orbit_EffectPage.h"

#include "OstBitmap.h"
#include "OstCameraProperty.h"
#include "OstDialogUnits.h"
#include "OstPageControls.h"
#include "OstPageText.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QIcon>
#include <QPixmap>
#include <QRadioButton>

using OstPageControls::Make;

namespace {

struct Choice {
    int number;
    int text;
    int left, top;
};

constexpr int kWidth = 72;
constexpr int kHeight = 10;
// Frame choices are taller: they carry a small picture of their frame. Their rows sit a little
// lower, and their group is a little taller, so the pictures clear the group's title.
constexpr int kFrameHeight = 14;
constexpr int kFrameShift = 3;
constexpr int kWaterColour = 48;

const Choice kChoices[] = {
    {0, 417, 18, 12},
    {255, 418, 90, 12},
    // Effects.
    {1, 420, 18, 42},
    {2, 421, 90, 42},
    {3, 422, 162, 42},
    {4, 423, 18, 60},
    {5, 424, 90, 60},
    {6, 425, 162, 60},
    {7, 426, 18, 78},
    {8, 427, 90, 78},
    {9, 428, 162, 78},
    {10, 429, 18, 96},
    {11, 430, 90, 96},
    {12, 431, 162, 96},
    {13, 432, 18, 114},
    {14, 433, 90, 114},
    {15, 434, 162, 114},
    {16, 435, 18, 132},
    {kWaterColour, 436, 90, 132},
    // Frames.
    {17, 438, 18, 168},
    {18, 439, 90, 168},
    {19, 440, 162, 168},
    {20, 441, 18, 186},
    {21, 442, 90, 186},
    {22, 443, 162, 186},
    {23, 444, 18, 204},
    {24, 445, 90, 204},
    {25, 446, 162, 204},
    {26, 447, 18, 222},
};

bool IsFrame(int number) {
    return number >= 17 && number <= 26;
}

enum Text { kTitle = 416, kEffectGroup = 419, kFrameGroup = 437 };

} // namespace

COstUI_Orbit_EffectPage::COstUI_Orbit_EffectPage(QWidget* parent)
    : COstUI_PropertyPage(kTitle, OstDialogUnits(QApplication::font()).Size(286, 306), parent) {}

COstUI_Orbit_EffectPage::~COstUI_Orbit_EffectPage() = default;

bool COstUI_Orbit_EffectPage::OnInitDialog() {
    const OstDialogUnits du(font());
    effectBox_ = new QGroupBox(this);
    effectBox_->setObjectName(u"3256"_qs);
    effectBox_->setGeometry(du.Rect(7, 30, 272, 120));
    frameBox_ = new QGroupBox(this);
    frameBox_->setObjectName(u"3257"_qs);
    frameBox_->setGeometry(du.Rect(7, 156, 272, 84 + 2 * kFrameShift));

    group_ = new QButtonGroup(this);
    group_->setExclusive(true);
    for (const Choice& c : kChoices) {
        auto* button = new QRadioButton(this);
        button->setObjectName(QString::number(kFirstId + c.number));
        if (IsFrame(c.number)) {
            // The picture is centred on the row the text alone would take.
            button->setGeometry(du.Rect(c.left, c.top + kFrameShift - (kFrameHeight - kHeight) / 2,
                                        kWidth, kFrameHeight));
            // Both densities: the icon picks the one that suits the screen.
            QIcon picture;
            for (qreal dpr : {1.0, 2.0})
                if (const QPixmap p = OstBitmap::Load(c.number, dpr, u"frames"_qs); !p.isNull())
                    picture.addPixmap(p);
            if (!picture.isNull()) {
                button->setIcon(picture);
                const int h = du.Y(kFrameHeight) - 4;
                button->setIconSize(QSize(h * 4 / 3, h));
            }
        } else {
            button->setGeometry(du.Rect(c.left, c.top, kWidth, kHeight));
        }
        if (c.number == kWaterColour) {
            button->setVisible(false);
            button->setEnabled(false);
        }
        group_->addButton(button, c.number);
        choices_.append(button);
    }
    connect(group_, &QButtonGroup::idClicked, this, &COstUI_Orbit_EffectPage::OnChoice);

    ReadReference();
    CheckNumber(reference_);
    ApplyTexts();
    OstPageControls::ShowNewControls(this);
    RefreshDevice();
    return true;
}

void COstUI_Orbit_EffectPage::ApplyTexts() {
    if (!IsCreated())
        return;
    using OstPageText::Load;
    effectBox_->setTitle(Load(kEffectGroup));
    frameBox_->setTitle(Load(kFrameGroup));
    // A doubled ampersand is one ampersand on screen; a single one would be a mnemonic.
    for (int i = 0; i < choices_.size(); ++i)
        choices_[i]->setText(Load(kChoices[i].text));
    OstPageControls::FitTexts(this);
    // "No effect & frame" may need more than its column; "Auto Change" then moves along.
    QAbstractButton* none = group_->button(0);
    QAbstractButton* automatic = group_->button(kAutoChange);
    const int after = none->geometry().right() + OstDialogUnits(font()).X(4);
    if (after > automatic->x())
        automatic->move(after, automatic->y());
}

void COstUI_Orbit_EffectPage::RefreshDevice() {
    if (!IsCreated())
        return;
    const bool enable = device_ != nullptr;
    for (int i = 0; i < choices_.size(); ++i)
        if (kChoices[i].number != kWaterColour)
            choices_[i]->setEnabled(enable);
    if (enable) {
        ReadReference();
        CheckNumber(reference_);
    } else {
        UncheckAll();
    }
}

void COstUI_Orbit_EffectPage::ReadReference() {
    std::int32_t value = 0;
    if (device_ != nullptr && GetCameraProperty(device_, OstCameraProperty::Effect, value))
        reference_ = value;
}

int COstUI_Orbit_EffectPage::CheckedNumber() const {
    return group_ != nullptr ? group_->checkedId() : -1;
}

void COstUI_Orbit_EffectPage::CheckNumber(std::int32_t number) {
    if (QAbstractButton* button = group_->button(number))
        button->setChecked(true);
    else
        UncheckAll();
}

void COstUI_Orbit_EffectPage::UncheckAll() {
    // An exclusive group keeps one button checked; let go of it for the moment.
    group_->setExclusive(false);
    for (QRadioButton* button : choices_)
        button->setChecked(false);
    group_->setExclusive(true);
}

void COstUI_Orbit_EffectPage::OnChoice(int number) {
    if (device_ != nullptr)
        SetCameraProperty(device_, OstCameraProperty::Effect, number);
    if (number != reference_)
        SetModified(true);
}

bool COstUI_Orbit_EffectPage::OnApply() {
    ReadReference();
    return COstUI_PropertyPage::OnApply();
}

void COstUI_Orbit_EffectPage::OnCancel() {
    if (device_ != nullptr)
        SetCameraProperty(device_, OstCameraProperty::Effect, reference_);
}
