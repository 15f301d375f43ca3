#pragma once

#include "COstUI_PropertyPage.h"

#include <QColor>
#include <QString>

#include <cstdint>
#include <functional>

class CColorStatic;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The remote monitor's page: its password, typed twice, and its on/off switch. It works on
// its own copies; the controller hands them in (SetRemoteValues) and, after the sheet has
// closed, stores `password` and starts or stops the monitor with `monitorOn`.
class COstUI_Orbit_RemotePage : public COstUI_PropertyPage {
    Q_OBJECT

public:
    // Whether a camera is attached: switching the monitor on needs one.
    using CameraPresence = std::function<bool()>;

    static const QColor& Blue();
    static const QColor& Red();

    explicit COstUI_Orbit_RemotePage(QWidget* parent = nullptr);
    ~COstUI_Orbit_RemotePage() override;

    void SetRemoteValues(const QString& newPassword, std::int32_t newMonitorOn);
    // By default the device monitor's cameras count; tests give their own.
    void SetCameraPresence(CameraPresence presence) { cameraPresence_ = std::move(presence); }

    // The status message shown: its string number and colour.
    int GetMessageId() const { return messageId_; }
    QColor GetMessageColour() const { return messageColour_; }

    void ApplyTexts() override;
    bool OnInitDialog() override;
    bool OnApply() override;

    // The password as handed in and as accepted by the last apply.
    QString password;
    // 1 when the monitor is to run, else 0.
    std::int32_t monitorOn = 0;

private:
    void SetEditing(bool editing);
    void SetMessage(int id);
    void SetMessage(int id, const QColor& colour);
    void ShowMessage();
    void OnCheckClicked();
    void OnSave();
    void OnChange();
    void OnFirstEditChanged();
    void Changed();

    CameraPresence cameraPresence_;
    int messageId_ = 0;
    QColor messageColour_;
    bool initialising_ = false;

    QLabel* intro_ = nullptr;
    QCheckBox* enable_ = nullptr;
    QLabel* typeLabel_ = nullptr;
    QLineEdit* first_ = nullptr;
    QLabel* retypeLabel_ = nullptr;
    QLineEdit* second_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* change_ = nullptr;
    CColorStatic* status_ = nullptr;
};
