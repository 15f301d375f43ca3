#pragma once

#include "IOstCameraDriver.h"
#include "IOstSnapshotButton.h"
#include "OstCameraProperty.h"

#include <QObject>
#include <QString>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>

class OstSimulatedButtonControl;

// The simulated camera's driver: the whole property table with its ranges, a factory set and a
// saved set that survives a restart of the program (QSettings "Ostrel"/"Orbit", group
// `settingsGroup` + "/Saved", keys "P<id>"), and the camera's two buttons, which tests and the
// demo press. The simulated video reads the current values for every frame
// (OstSimulatedVideoStage), so each setting shows at once.
//
// Created on the UI thread; snapshot presses are delivered there. Properties may be read and
// written from any thread. With ORBIT_SIMULATED_BUTTONS set, the buttons also answer the
// lines of that named pipe (OstSimulatedButtonControl).
class OstSimulatedCameraDriver : public IOstCameraDriver, public IOstSnapshotButton {
public:
    static constexpr std::uint32_t kPropertyCount = 36;
    using Values = std::array<std::int32_t, kPropertyCount>;
    using Range = OstCameraProperty::Range;
    // False for an id the camera does not have.
    static bool RangeOf(std::uint32_t id, Range& range);
    static Values FactoryValues();
    // The effect choices of property 35: 0..26, 48, and 255 for automatic change.
    static bool IsEffectValue(std::int32_t value);
    static constexpr std::int32_t kAutoChange = 255;

    explicit OstSimulatedCameraDriver(QString settingsGroup = QStringLiteral("SimulatedCamera"));
    ~OstSimulatedCameraDriver() override;

    // Values outside the range of a property, an effect number the camera does not have and
    // writes of read-only properties fail; 25, 26 and 27 only act (they cannot be read).
    bool GetProperty(std::uint32_t id, std::int32_t& value) override;
    bool SetProperty(std::uint32_t id, std::int32_t value) override;

    bool SetTarget(const void* owner, Target target) override;
    void ClearTarget(const void* owner) override;

    // Presses the snapshot button once (any thread); the registered target hears of it on the
    // driver's thread.
    void PressSnapshotButton();
    // Holds the second button down / lets it go (any thread).
    void PressSecondButton();
    void ReleaseSecondButton();
    // How often the second button was read: a test waits for the button thread with it.
    std::uint64_t SecondButtonReads() const { return secondButtonReads_; }

    // Automatic change (255) shows each effect and frame this long; 3 s unless changed.
    void SetAutoChangePeriod(std::chrono::milliseconds period);
    // The current values and their version, which grows with every change.
    Values Current(std::uint64_t* version = nullptr) const;
    std::uint64_t Version() const { return version_; }
    // The effect or frame shown at `now`: property 35, or with automatic change the one whose
    // turn it is (1..26 in order, starting when 255 was set).
    std::int32_t EffectShown(std::chrono::steady_clock::time_point now) const;

private:
    void LoadSaved();
    void StoreSaved(const Values& values);

    const QString settingsGroup_;
    mutable std::mutex lock_;
    Values current_{};
    Values saved_{};
    std::atomic<std::uint64_t> version_{1};
    std::chrono::steady_clock::time_point autoStart_;
    std::chrono::milliseconds autoPeriod_{3000};

    std::atomic<std::int32_t> secondButton_{0};
    std::atomic<std::uint64_t> secondButtonReads_{0};

    // Lives on the driver's thread; presses are queued to it.
    QObject context_;
    const void* targetOwner_ = nullptr;
    Target target_;
    std::unique_ptr<OstSimulatedButtonControl> control_;
};
