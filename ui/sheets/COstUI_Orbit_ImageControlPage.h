#pragma once

#include "COstUI_PropertyPage.h"

#include <QList>
#include <QString>

#include <array>
#include <cstdint>

class OstWebcam;
class QAbstractButton;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;

// The camera's image controls: every change goes to the camera at once, so the preview shows
// it live. The camera keeps a saved set of values: Apply and OK make it save the current ones
// (only after a change), Cancel makes it return to the saved ones, and the Default group
// offers the factory values, an explicit save and a return to the saved values.
class COstUI_Orbit_ImageControlPage : public COstUI_PropertyPage {
    Q_OBJECT

public:
    // One stored value per property shown, in this order.
    enum Slot {
        kMirror,
        kFlip,
        kLowLight,
        kBrightness,
        kContrast,
        kGamma,
        kHue,
        kSaturation,
        kSharpness,
        kSnapSize,
        kAutoBandwidth,
        kBandwidth,
        kAutoExposure,
        kExposure,
        kAutoWhiteBalance,
        kRed,
        kGreen,
        kBlue,
        kIndoor,
        kFlicker,
        kBacklight,
        kBlackAndWhite,
        kSlotCount
    };

    // The value label's text for a slider's value (by the slider's control id).
    static QString ValueText(int sliderId, std::int32_t value);

    explicit COstUI_Orbit_ImageControlPage(QWidget* parent = nullptr);
    ~COstUI_Orbit_ImageControlPage() override;

    // The camera, or none; call RefreshDevice afterwards once the page exists.
    void SetDevice(OstWebcam* device) { device_ = device; }
    OstWebcam* GetDevice() const { return device_; }
    // Enables the controls and reads the camera's values, or disables them without a camera.
    void RefreshDevice();
    // Reads every shown property from the camera and moves the controls to it.
    void ReadAll();

    bool IsChanged() const { return changed_; }
    std::int32_t StoredValue(Slot slot) const { return values_[slot]; }

    void ApplyTexts() override;
    bool OnInitDialog() override;
    bool OnApply() override;
    void OnCancel() override;

private:
    void ScheduleSliderCheck();
    void CheckSliders();
    void OnBoxClicked(QAbstractButton* box);
    void OnDefaultButton(std::uint32_t property);
    void UpdateValueLabel(int row);
    void MarkChanged();
    bool Write(std::uint32_t property, std::int32_t value);

    OstWebcam* device_ = nullptr;
    bool changed_ = false;
    bool checkPending_ = false;
    std::array<std::int32_t, kSlotCount> values_{};

    // The widgets of each row of the table, by the row's order.
    QList<QLabel*> labels_;
    QList<QSlider*> sliders_;
    QList<QLabel*> valueLabels_;
    QList<QCheckBox*> boxes_;
    QRadioButton* indoor_ = nullptr;
    QRadioButton* outdoor_ = nullptr;
    QRadioButton* hz50_ = nullptr;
    QRadioButton* hz60_ = nullptr;
    QList<QPushButton*> defaultButtons_;
    QList<QGroupBox*> groups_;
    QLabel* autoLabel_ = nullptr;
};
