#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class OstSimulatedCameraDriver;
class QSocketNotifier;

// Presses the simulated camera's buttons on lines read from a named pipe, so that a demo (or a
// person at a shell) can work them: "snapshot" presses the snapshot button, "send" presses the
// second button and lets it go 100 ms later, "send-down" and "send-up" hold and release it.
// Other lines are ignored. The driver makes one when ORBIT_SIMULATED_BUTTONS names the pipe.
class OstSimulatedButtonControl {
public:
    // The pipe is created when it does not exist. The driver must outlive this object.
    OstSimulatedButtonControl(OstSimulatedCameraDriver& driver, QString pipe);
    ~OstSimulatedButtonControl();
    OstSimulatedButtonControl(const OstSimulatedButtonControl&) = delete;
    OstSimulatedButtonControl& operator=(const OstSimulatedButtonControl&) = delete;

    bool IsOpen() const { return fd_ >= 0; }

    static constexpr const char* kEnvironment = "ORBIT_SIMULATED_BUTTONS";

private:
    void OnReadable();
    void Handle(const QByteArray& line);

    OstSimulatedCameraDriver& driver_;
    const QString pipe_;
    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    QByteArray pending_;
};
