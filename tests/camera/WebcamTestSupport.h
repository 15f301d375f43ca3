#pragma once

#include "CameraTestSupport.h"
#include "IOstWebcamOwner.h"
#include "OstDXShow.h"
#include "OstSimulatedCamera.h"
#include "OstSimulatedCameraDriver.h"
#include "OstVideoInputCategory.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

// Runs the event loop until `done` holds or the time is up; whether it held.
inline bool WaitUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

// Waits for `done` without running the event loop, so queued calls stay queued.
inline bool SpinUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

// Lets queued calls that are already due run.
inline void Drain(std::chrono::milliseconds time = std::chrono::milliseconds(60)) {
    WaitUntil([] { return false; }, time);
}

// Records every message a device hands its owner, checking it arrives on the UI thread.
class RecordingOwner : public IOstWebcamOwner {
public:
    RecordingOwner() = default;
    void OnWebcamSnapShotKey(OstWebcam*, IOstVideoWindow* window) override {
        Check();
        ++snapShotKeys;
        lastWindow = window;
    }
    void OnWebcamSnapShotImage(OstWebcam*, IOstVideoWindow* window, const QString& path) override {
        Check();
        images.append(path);
        lastWindow = window;
    }
    void OnWebcamOrbitSendKey(OstWebcam*, IOstVideoWindow* window) override {
        Check();
        ++sendKeys;
        lastWindow = window;
    }

    int snapShotKeys = 0;
    int sendKeys = 0;
    QStringList images;
    IOstVideoWindow* lastWindow = nullptr;

private:
    static void Check() {
        EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread());
    }
};

// A simulated camera entered in the video input category under its own path for one test,
// with the graph's failures recorded instead of printed.
class SimulatedCameraTest : public ::testing::Test {
protected:
    SimulatedCameraTest()
        : path_(u"\\\\?\\usb#vid_6b2d&pid_0e41#sim"_qs +
                QString::fromLatin1(::testing::UnitTest::GetInstance()->current_test_info()->name())
                    .toLower() +
                u"#{65e8773d-8f56-11d0-a3b9-00a0c9223196}"_qs),
          camera_(std::make_shared<OstSimulatedCamera>(path_)) {
        camera_->SetMoving(false);
        OstVideoInputCategory::GetInstance().Add(camera_);
        OstDXShow::SetDefaultReporter(&reporter_);
    }
    ~SimulatedCameraTest() override {
        OstDXShow::SetDefaultReporter(nullptr);
        OstVideoInputCategory::GetInstance().Remove(path_);
    }

    OstSimulatedCameraDriver& Driver() { return *camera_->Driver(); }

    const QString path_;
    std::shared_ptr<OstSimulatedCamera> camera_;
    RecordingReporter reporter_;
};
