#pragma once

#include "COstUI_PropertyPage.h"

#include <QList>

#include <cstdint>

class OstWebcam;
class QButtonGroup;
class QGroupBox;
class QRadioButton;

// The camera's effects and frames: one choice of a single group, written to the camera the
// moment it is clicked. The reference value is the camera's effect as last read (on opening,
// when the camera changes, on Apply); Cancel puts it back into the camera.
class COstUI_Orbit_EffectPage : public COstUI_PropertyPage {
    Q_OBJECT

public:
    // Automatic change: the camera walks through its effects by itself.
    static constexpr std::int32_t kAutoChange = 255;
    // The choice of effect number n is the button with control id kFirstId + n.
    static constexpr int kFirstId = 3000;

    explicit COstUI_Orbit_EffectPage(QWidget* parent = nullptr);
    ~COstUI_Orbit_EffectPage() override;

    void SetDevice(OstWebcam* device) { device_ = device; }
    OstWebcam* GetDevice() const { return device_; }
    // With a camera: enables the choices and checks the camera's effect; without: disables
    // and unchecks them.
    void RefreshDevice();

    std::int32_t GetReference() const { return reference_; }
    // The effect number of the checked choice, or -1 when none is checked.
    int CheckedNumber() const;

    void ApplyTexts() override;
    bool OnInitDialog() override;
    bool OnApply() override;
    void OnCancel() override;

private:
    void CheckNumber(std::int32_t number);
    void UncheckAll();
    void OnChoice(int number);
    void ReadReference();

    OstWebcam* device_ = nullptr;
    std::int32_t reference_ = 0;

    QButtonGroup* group_ = nullptr;
    QList<QRadioButton*> choices_;
    QGroupBox* effectBox_ = nullptr;
    QGroupBox* frameBox_ = nullptr;
};
