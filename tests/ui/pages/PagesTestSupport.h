#pragma once

#include "WebcamTestSupport.h"

#include "OstLanguageSelector.h"
#include "OstWebcamOrbit.h"

#include <QApplication>
#include <QTest>

// The simulated camera running for one test, in English, its values at the factory set, which
// is also the saved set.
class PagesCameraTest : public SimulatedCameraTest {
protected:
    PagesCameraTest() {
        OstLanguageSelector::GetInstance().SetLanguage(OstLanguageSelector::English);
    }
    ~PagesCameraTest() override {
        if (device_)
            device_->Detach();
    }

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
    std::int32_t Camera(std::uint32_t id) {
        std::int32_t value = -1;
        EXPECT_TRUE(Driver().GetProperty(id, value));
        return value;
    }
    // A frame showing the camera's values as they are now: frames already past the camera's
    // settings on their way to the window are skipped.
    QImage NextFrame() { return window_.WaitForFrames(3); }

    RecordingOwner owner_;
    RecordingWindow window_{QRect(0, 0, 320, 240)};
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
