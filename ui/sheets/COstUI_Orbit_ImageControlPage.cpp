#include "COstUI_Orbit_ImageControlPage.h"

#include "OstCameraProperty.h"
#include "OstDialogUnits.h"
#include "OstPageControls.h"
#include "OstPageText.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMetaObject>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

namespace P = OstCameraProperty;
using Page = COstUI_Orbit_ImageControlPage;

using OstPageControls::Make;

namespace {

// One slider row: its label, slider and value label, where they sit, and the property.
struct Row {
    int labelId;
    Page::Slot slot;
    std::uint32_t property;
    std::int32_t min, max, step;
    int text;
    int top;
    int labelLeft, sliderWidth, valueLeft;
    bool visible;
};

// Label, slider and value label take three consecutive ids from labelId.
const Row kRows[] = {
    {4004, Page::kBrightness, P::Brightness, 0, 63, 1, 388, 39, 12, 96, 174, true},
    {4007, Page::kContrast, P::Contrast, 10000, 20000, 100, 389, 56, 12, 96, 174, true},
    {4010, Page::kGamma, P::Gamma, 0, 10000, 100, 390, 73, 12, 96, 174, true},
    {4013, Page::kHue, P::Hue, 0, 3600000, 10000, 391, 90, 12, 96, 174, true},
    {4016, Page::kSaturation, P::Saturation, 0, 29900, 100, 392, 107, 12, 96, 174, true},
    {4019, Page::kSharpness, P::Sharpness, 0, 79900, 100, 393, 124, 12, 96, 174, true},
    // Sizes the camera's own photos, which this program never takes.
    {4022, Page::kSnapSize, P::SnapshotSize, 0, 3, 1, 394, 145, 12, 96, 174, false},
    {4027, Page::kBandwidth, P::Bandwidth, 1, 8, 1, 397, 192, 12, 66, 144, true},
    {4031, Page::kExposure, P::Exposure, 0, 2550000, 10000, 398, 210, 12, 66, 144, true},
    {4037, Page::kRed, P::RedGain, 8000, 12000, 100, 400, 240, 18, 66, 144, true},
    {4040, Page::kGreen, P::GreenGain, 8000, 12000, 100, 402, 258, 18, 66, 144, true},
    {4043, Page::kBlue, P::BlueGain, 8000, 12000, 100, 401, 275, 18, 66, 144, true},
};
constexpr int kRowCount = static_cast<int>(std::size(kRows));

struct Box {
    int id;
    Page::Slot slot;
    std::uint32_t property;
    int text; // 0: none
    int left, top, width, height;
    bool visible;
    bool multiLine;
};

const Box kBoxes[] = {
    {4001, Page::kMirror, P::Mirror, 385, 12, 18, 66, 10, true, false},
    {4002, Page::kFlip, P::Flip, 386, 78, 18, 66, 10, true, false},
    {4003, Page::kLowLight, P::LowLight, 387, 144, 18, 66, 10, true, false},
    {4030, Page::kAutoBandwidth, P::AutoBandwidth, 0, 189, 194, 9, 10, true, false},
    // The camera's automatic exposure stays under its own control.
    {4034, Page::kAutoExposure, P::AutoExposure, 0, 189, 212, 9, 10, false, false},
    {4036, Page::kAutoWhiteBalance, P::AutoWhiteBalance, 0, 189, 259, 9, 10, true, false},
    {4057, Page::kBacklight, P::BacklightCompensation, 414, 222, 174, 54, 18, true, true},
    {4058, Page::kBlackAndWhite, P::BlackAndWhite, 415, 222, 198, 54, 10, true, false},
};
constexpr int kBoxCount = static_cast<int>(std::size(kBoxes));

// The properties read by ReadAll, in the order of the slots.
constexpr std::uint32_t kSlotProperty[Page::kSlotCount] = {
    P::Mirror,       P::Flip,          P::LowLight,
    P::Brightness,   P::Contrast,      P::Gamma,
    P::Hue,          P::Saturation,    P::Sharpness,
    P::SnapshotSize, P::AutoBandwidth, P::Bandwidth,
    P::AutoExposure, P::Exposure,      P::AutoWhiteBalance,
    P::RedGain,      P::GreenGain,     P::BlueGain,
    P::Indoor,       P::Flicker60Hz,   P::BacklightCompensation,
    P::BlackAndWhite};

struct Group {
    int id;
    int text;
    int left, top, width, height;
};

const Group kGroups[] = {
    {4000, 384, 7, 7, 203, 155},   {4025, 395, 7, 164, 203, 135}, {4035, 399, 12, 228, 168, 66},
    {4046, 403, 215, 6, 64, 65},   {4050, 407, 215, 74, 64, 42},  {4053, 410, 215, 120, 64, 42},
    {4056, 413, 215, 164, 64, 52},
};

// The setting an "AUTO" box switches: the bandwidth and exposure rows, the white balance group.
int AutoBoxSetting(int boxId) {
    return boxId == 4030 ? 397 : boxId == 4034 ? 398 : 399;
}

// Text numbers; named apart from the page's slots, which share some of the words.
enum Text {
    kTextTitle = 384,
    kTextAuto = 396,
    kTextReset = 404,
    kTextSave = 405,
    kTextRestore = 406,
    kTextOutdoor = 408,
    kTextIndoor = 409,
    kText50Hz = 411,
    kText60Hz = 412,
};

QString Fixed2(std::int32_t value) {
    return QString::asprintf("%.2f", value / 10000.0);
}

} // namespace

QString Page::ValueText(int sliderId, std::int32_t value) {
    switch (sliderId) {
    case 4005: // brightness
    case 4028: // USB bandwidth
        return QString::asprintf("%i", value);
    case 4014: // hue, shown in degrees around no change
        return QString::asprintf("%i", value / 10000 - 180);
    case 4032: // exposure
        return QString::asprintf("%i", value / 10000);
    case 4023: { // snapshot size
        static const char* const names[] = {"VGA", "SVGA", "XGA", "SXGA"};
        return value >= 0 && value < 4 ? QString::fromLatin1(names[value]) : QString();
    }
    default: // the gains and curves, as factors
        return Fixed2(value);
    }
}

Page::COstUI_Orbit_ImageControlPage(QWidget* parent)
    : COstUI_PropertyPage(kTextTitle, OstDialogUnits(QApplication::font()).Size(286, 306), parent) {
}

Page::~COstUI_Orbit_ImageControlPage() = default;

bool Page::OnInitDialog() {
    const OstDialogUnits du(font());
    // Group boxes first, so the controls lie above them; the radio pairs live in theirs,
    // which makes each pair a group of its own.
    for (const Group& g : kGroups) {
        auto* box = Make<QGroupBox>(this, g.id);
        box->setGeometry(du.Rect(g.left, g.top, g.width, g.height));
        groups_.append(box);
    }
    for (int top : {32, 140}) {
        auto* line = new QFrame(this);
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
        line->setGeometry(du.Rect(12, top, 192, 2));
    }
    autoLabel_ = Make<QLabel>(this, 4026);
    autoLabel_->setGeometry(du.Rect(174, 174, 30, 12));
    autoLabel_->setAlignment(Qt::AlignCenter);

    for (const Row& row : kRows) {
        auto* label = Make<QLabel>(this, row.labelId);
        label->setGeometry(du.Rect(row.labelLeft, row.top, 72 - row.labelLeft - 2, 12));
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        auto* slider = Make<QSlider>(this, row.labelId + 1);
        slider->setOrientation(Qt::Horizontal);
        slider->setGeometry(du.Rect(72, row.top, row.sliderWidth, 12));
        slider->setRange(row.min, row.max);
        slider->setSingleStep(row.step);
        slider->setPageStep(row.step * 10);
        label->setBuddy(slider);
        auto* value = Make<QLabel>(this, row.labelId + 2);
        value->setGeometry(du.Rect(row.valueLeft, row.top, 30, 12));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        for (QWidget* w : {static_cast<QWidget*>(label), static_cast<QWidget*>(slider),
                           static_cast<QWidget*>(value)})
            w->setVisible(row.visible);
        // Until the camera is read, the slider's own position counts as the value, so the
        // range alone never looks like a change.
        values_[row.slot] = slider->value();
        labels_.append(label);
        sliders_.append(slider);
        valueLabels_.append(value);
        connect(slider, &QSlider::valueChanged, this, &Page::ScheduleSliderCheck);
    }

    for (const Box& b : kBoxes) {
        auto* box = Make<QCheckBox>(this, b.id);
        box->setGeometry(du.Rect(b.left, b.top, b.width, b.height));
        box->setVisible(b.visible);
        boxes_.append(box);
        connect(box, &QCheckBox::clicked, this, [this, box] { OnBoxClicked(box); });
    }

    auto radio = [&](int id, QGroupBox* group, int left, int top, int width) {
        auto* button = Make<QRadioButton>(group, id);
        button->setGeometry(du.Rect(left, top, width, 12).translated(-group->pos()));
        connect(button, &QRadioButton::clicked, this, [this, button] { OnBoxClicked(button); });
        return button;
    };
    indoor_ = radio(4051, groups_[4], 222, 86, 54);
    outdoor_ = radio(4052, groups_[4], 222, 101, 54);
    hz50_ = radio(4054, groups_[5], 222, 131, 56);
    hz60_ = radio(4055, groups_[5], 222, 145, 54);

    auto button = [&](int id, int top, std::uint32_t property) {
        auto* b = Make<QPushButton>(this, id);
        b->setGeometry(du.Rect(222, top, 54, 14));
        connect(b, &QPushButton::clicked, this, [this, property] { OnDefaultButton(property); });
        defaultButtons_.append(b);
    };
    button(4048, 18, P::SaveCurrent);
    button(4049, 36, P::RestoreSaved);
    button(4047, 54, P::RestoreFactory);

    OstPageControls::ShowNewControls(this);
    RefreshDevice();
    ApplyTexts();
    return true;
}

void Page::ApplyTexts() {
    if (!IsCreated())
        return;
    using OstPageText::Load;
    const OstDialogUnits du(font());
    for (int i = 0; i < groups_.size(); ++i)
        groups_[i]->setTitle(Load(kGroups[i].text));
    autoLabel_->setText(Load(kTextAuto));
    for (int i = 0; i < kRowCount; ++i)
        labels_[i]->setText(Load(kRows[i].text));
    for (int i = 0; i < kBoxCount; ++i) {
        const Box& b = kBoxes[i];
        if (b.text == 0) {
            // The "AUTO" column's boxes have no text of their own: a screen reader gets the
            // setting they switch with the column's heading.
            boxes_[i]->setAccessibleName(QStringLiteral("%1 (%2)").arg(Load(AutoBoxSetting(b.id)), Load(kTextAuto)));
            continue;
        }
        if (b.multiLine)
            OstPageText::SetWrappedText(boxes_[i], Load(b.text), du.X(b.width), du.Y(b.height));
        else
            boxes_[i]->setText(Load(b.text));
    }
    indoor_->setText(Load(kTextIndoor));
    outdoor_->setText(Load(kTextOutdoor));
    hz50_->setText(Load(kText50Hz));
    hz60_->setText(Load(kText60Hz));
    defaultButtons_[0]->setText(Load(kTextSave));
    defaultButtons_[1]->setText(Load(kTextRestore));
    defaultButtons_[2]->setText(Load(kTextReset));
    OstPageControls::FitTexts(this);
}

void Page::RefreshDevice() {
    if (!IsCreated())
        return;
    const bool enable = device_ != nullptr;
    for (int i = 0; i < kBoxCount; ++i)
        boxes_[i]->setEnabled(enable && kBoxes[i].id != 4034);
    for (QRadioButton* r : {indoor_, outdoor_, hz50_, hz60_})
        r->setEnabled(enable);
    for (QSlider* s : sliders_)
        s->setEnabled(enable);
    for (QPushButton* b : defaultButtons_)
        b->setEnabled(enable);
    if (enable)
        ReadAll();
}

void Page::ReadAll() {
    if (!IsCreated())
        return;
    if (device_ != nullptr) {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            std::int32_t value = 0;
            if (!GetCameraProperty(device_, kSlotProperty[slot], value))
                continue;
            values_[slot] = value;
            for (int i = 0; i < kRowCount; ++i)
                if (kRows[i].slot == slot)
                    sliders_[i]->setValue(value);
            for (int i = 0; i < kBoxCount; ++i)
                if (kBoxes[i].slot == slot)
                    boxes_[i]->setChecked(value != 0);
            if (slot == kIndoor)
                (value > 0 ? indoor_ : outdoor_)->setChecked(true);
            if (slot == kFlicker)
                (value > 0 ? hz60_ : hz50_)->setChecked(true);
        }
    }
    for (int i = 0; i < kRowCount; ++i)
        UpdateValueLabel(i);
}

void Page::UpdateValueLabel(int row) {
    valueLabels_[row]->setText(ValueText(kRows[row].labelId + 1, values_[kRows[row].slot]));
}

void Page::ScheduleSliderCheck() {
    // A slider is looked at once per pass of the event loop, when it would draw itself: a
    // move and a move back in between reach the camera as nothing.
    if (checkPending_)
        return;
    checkPending_ = true;
    QMetaObject::invokeMethod(this, &Page::CheckSliders, Qt::QueuedConnection);
}

void Page::CheckSliders() {
    checkPending_ = false;
    for (int i = 0; i < kRowCount; ++i) {
        const std::int32_t position = sliders_[i]->value();
        const Slot slot = kRows[i].slot;
        if (position == values_[slot])
            continue;
        MarkChanged();
        values_[slot] = position;
        Write(kRows[i].property, position);
        UpdateValueLabel(i);
    }
}

void Page::OnBoxClicked(QAbstractButton* box) {
    MarkChanged();
    if (box == indoor_ || box == outdoor_) {
        values_[kIndoor] = indoor_->isChecked() ? 1 : 0;
        Write(P::Indoor, values_[kIndoor]);
        return;
    }
    if (box == hz50_ || box == hz60_) {
        values_[kFlicker] = hz60_->isChecked() ? 1 : 0;
        Write(P::Flicker60Hz, values_[kFlicker]);
        return;
    }
    for (int i = 0; i < kBoxCount; ++i) {
        if (boxes_[i] != box)
            continue;
        values_[kBoxes[i].slot] = boxes_[i]->isChecked() ? 1 : 0;
        Write(kBoxes[i].property, values_[kBoxes[i].slot]);
    }
}

void Page::OnDefaultButton(std::uint32_t property) {
    Write(property, 0);
    // Saving changes nothing on screen; the other two bring the camera's values back.
    if (property != P::SaveCurrent)
        ReadAll();
}

void Page::MarkChanged() {
    changed_ = true;
    SetModified(true);
}

bool Page::Write(std::uint32_t property, std::int32_t value) {
    return device_ != nullptr && SetCameraProperty(device_, property, value);
}

bool Page::OnApply() {
    if (changed_ && device_ != nullptr)
        Write(P::SaveCurrent, 0);
    changed_ = false;
    return COstUI_PropertyPage::OnApply();
}

void Page::OnCancel() {
    if (!changed_)
        return;
    if (device_ != nullptr)
        Write(P::RestoreSaved, 0);
    ReadAll();
}
