#pragma once

#include "IOstGraphReporter.h"
#include "IOstVideoWindow.h"
#include "IOstWebcamOwner.h"
#include "OstDXShow.h"
#include "OstLanguageSelector.h"
#include "OstSimulatedCamera.h"
#include "OstSimulatedCameraDriver.h"
#include "OstVideoInputCategory.h"
#include "OstWebcamOrbit.h"

#include <QApplication>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

// Keeps the newest frame the camera delivers.
class FrameWindow : public IOstVideoWindow {
public:
    void PresentFrame(const QImage& frame, const QRect&) override {
        {
            std::lock_guard guard(lock_);
            if (!frame.isNull()) {
                last_ = frame;
                ++count_;
            }
        }
        changed_.notify_all();
    }
    bool GetClientRect(QRect& rect) const override {
        rect = QRect(0, 0, 320, 240);
        return true;
    }
    // A frame delivered after the call (so it shows the camera's values as they are now).
    QImage NextFrame() {
        std::unique_lock guard(lock_);
        // The frame after next: one may have been on its way before the values changed.
        const unsigned long long goal = count_ + 2;
        if (!changed_.wait_for(guard, std::chrono::seconds(10), [&] { return count_ >= goal; }))
            return QImage();
        return last_;
    }

private:
    std::mutex lock_;
    std::condition_variable changed_;
    QImage last_;
    unsigned long long count_ = 0;
};

class NullOwner : public IOstWebcamOwner {
public:
    void OnWebcamSnapShotKey(OstWebcam*, IOstVideoWindow*) override {}
    void OnWebcamSnapShotImage(OstWebcam*, IOstVideoWindow*, const QString&) override {}
    void OnWebcamOrbitSendKey(OstWebcam*, IOstVideoWindow*) override {}
};

class SilentReporter : public IOstGraphReporter {
public:
    void ReportFailure(const QString&) override {}
};

// A running simulated camera, entered under a path of its own for one test, with its driver's
// values back at the factory set.
class SimulatedCameraFixture : public ::testing::Test {
protected:
    SimulatedCameraFixture()
        : path_(u"\\\\?\\usb#vid_6b2d&pid_0e41#pages"_qs +
                QString::fromLatin1(::testing::UnitTest::GetInstance()->current_test_info()->name())
                    .toLower() +
                u"#{65e8773d-8f56-11d0-a3b9-00a0c9223196}"_qs),
          camera_(std::make_shared<OstSimulatedCamera>(path_)) {
        camera_->SetMoving(false);
        OstVideoInputCategory::GetInstance().Add(camera_);
        OstDXShow::SetDefaultReporter(&reporter_);
        OstLanguageSelector::GetInstance().SetLanguage(OstLanguageSelector::English);
    }
    ~SimulatedCameraFixture() override {
        if (device_)
            device_->Detach();
        device_.reset();
        OstDXShow::SetDefaultReporter(nullptr);
        OstVideoInputCategory::GetInstance().Remove(path_);
    }

    // Starts the camera's video; the driver starts from the factory values.
    OstWebcam* Device() {
        if (!device_) {
            device_ = std::make_unique<OstWebcamOrbit>();
            device_->Init(path_, QString());
            device_->SetOwnerWindow(&owner_);
            device_->SetVideoWindow(&window_);
            EXPECT_TRUE(device_->Attach());
            EXPECT_TRUE(device_->CreateGraph());
            EXPECT_EQ(device_->Run(), GraphState::Running);
            Driver().SetProperty(25, 0);
            Driver().SetProperty(26, 0);
        }
        return device_.get();
    }
    OstSimulatedCameraDriver& Driver() { return *camera_->Driver(); }
    std::int32_t Camera(std::uint32_t id) {
        std::int32_t value = -1;
        EXPECT_TRUE(Driver().GetProperty(id, value));
        return value;
    }

    const QString path_;
    std::shared_ptr<OstSimulatedCamera> camera_;
    SilentReporter reporter_;
    NullOwner owner_;
    FrameWindow window_;
    std::unique_ptr<OstWebcamOrbit> device_;
};

// Lets queued calls and repaints that are due run.
inline void Settle() {
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

template <typename T> T* Find(QWidget* root, int id) {
    T* widget = root->findChild<T*>(QString::number(id));
    EXPECT_NE(widget, nullptr) << id;
    return widget;
}
