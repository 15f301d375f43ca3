#include "OstZoomControls.h"

#include "CBitmapSlider.h"
#include "CHMXEdit.h"
#include "CxSkinButton.h"
#include "OstLanguageSelector.h"
#include "OstMainDlgLayout.h"
#include "OstText.h"

#include <QFontMetrics>
#include <QKeyEvent>

#include <algorithm>

namespace {

constexpr int kEditId = 1001;
constexpr int kSliderId = 1003;
constexpr int kResetId = 1023;
constexpr int kZoomDisabledText = 464;

QString PercentText(int percent) {
    return QStringLiteral("%1%").arg(percent);
}

// The slider runs upside down: its top is the largest zoom.
int SliderPos(int percent) {
    return 300 - percent;
}

} // namespace

OstZoomControls::OstZoomControls(QWidget& dialog) : QObject(&dialog) {
    reset_ = new CxSkinButton(&dialog);
    reset_->setObjectName(QString::number(kResetId));
    reset_->setFocusPolicy(Qt::TabFocus);
    const OstSkinButton& skin = OstSkin::ZoomReset;
    reset_->SetSkin(skin.normal, skin.down, skin.over, skin.disabled, skin.mask);
    reset_->setGeometry(OstMainDlgLayout::ZoomReset);

    edit_ = new CHMXEdit(&dialog);
    edit_->setObjectName(QString::number(kEditId));
    edit_->setFrame(false);
    edit_->installEventFilter(this);
    edit_->setGeometry(OstMainDlgLayout::ZoomEdit);
    edit_->setTextMargins(1, 0, 1, 0);
    edit_->setText(PercentText(100));
    // "200%" must fit the field (less its own 2-pixel margins); fonts wider than the skin's get
    // a smaller size here rather than a clipped number.
    QFont font = dialog.font();
    const int room = OstMainDlgLayout::ZoomEdit.width() - 2 * 2 - 2;
    while (font.pixelSize() > 8 && QFontMetrics(font).horizontalAdvance(PercentText(kMax)) > room)
        font.setPixelSize(font.pixelSize() - 1);
    edit_->setFont(font);

    slider_ = new CBitmapSlider(&dialog);
    slider_->setObjectName(QString::number(kSliderId));
    slider_->SetBitmapChannel(OstSkin::ZoomChannel);
    slider_->SetBitmapThumb(OstSkin::ZoomThumb, OstSkin::ZoomThumbDragged);
    slider_->SetVertical(true);
    slider_->SetRange(kMin, kMax);
    slider_->SetPageSize(10);
    slider_->SetMargin(20, 2, 30, 1);
    slider_->SetPos(SliderPos(100));
    slider_->setGeometry(OstMainDlgLayout::ZoomSlider);

    connect(reset_, &QAbstractButton::clicked, this, [this] {
        emit done();
        SetZoom(100, false);
        emit zoomChosen(100);
    });
    connect(slider_, &CBitmapSlider::moving, this,
            [this](int, int position) { OnSliderMoving(position); });
    // Released, or moved with the keys (which leave the zoom alone).
    connect(slider_, &CBitmapSlider::moved, this, &OstZoomControls::done);
}

OstZoomControls::~OstZoomControls() {
    // The field outlives this object (its dialog deletes it later).
    edit_->removeEventFilter(this);
}

void OstZoomControls::SetZoom(int percent, bool disable) {
    edit_->setText(PercentText(percent));
    slider_->SetPos(SliderPos(percent));
    disabled_ = disable;
    edit_->SetEditable(!disable);
    edit_->ActivateToolTip(disable);
    slider_->setEnabled(!disable);
    reset_->setEnabled(!disable);
}

void OstZoomControls::SetCameraRunning(bool running) {
    if (!running)
        reset_->setEnabled(false);
}

void OstZoomControls::ApplyTexts() {
    edit_->SetToolTipText(OstLanguageSelector::GetInstance().GetString(kZoomDisabledText));
    edit_->ActivateToolTip(disabled_);
}

void OstZoomControls::OnEntered() {
    emit done();
    const QString text = edit_->text();
    // Read as the number was always read: leading digits, anything else ends it.
    const int value =
        std::clamp(OstText::ToInt(QStringView(text).left(text.indexOf(QLatin1Char('%')))), kMin, kMax);
    edit_->setText(PercentText(value));
    slider_->SetPos(SliderPos(value));
    emit zoomChosen(value);
}

void OstZoomControls::OnSliderMoving(int position) {
    const int value = SliderPos(position);
    const int rounded = value / 10 * 10;
    if (edit_->text() == PercentText(value))
        return;
    slider_->SetPos(SliderPos(rounded));
    edit_->setText(PercentText(rounded));
    emit zoomChosen(rounded);
}

bool OstZoomControls::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            if (!disabled_)
                OnEntered();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
