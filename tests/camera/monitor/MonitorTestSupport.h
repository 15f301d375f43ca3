#pragma once

#include "IOstDeviceSource.h"
#include "IOstVideoWindow.h"
#include "IOstWebcamOwner.h"
#include "OstNotificationCenter.h"
#include "OstSimulatedCamera.h"

#include <QCoreApplication>
#include <QString>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

// A device source the test drives: what Enumerate finds, and arrivals and removals of any path.
class FakeDeviceSource : public IOstDeviceSource {
public:
    FakeDeviceSource() = default;

    bool Watch(ArrivalHandler arrival, RemovalHandler removal) override {
        arrival_ = std::move(arrival);
        removal_ = std::move(removal);
        return true;
    }
    std::vector<Device> Enumerate() override { return present; }

    // A path alone, as a notification of the platform carries it.
    void Arrive(const QString& path) { arrival_(Device(path, QString(), nullptr)); }
    // A path with a camera behind it that a graph can open, under `inputPath` (the path the
    // category lists, lower case as the system keeps it) when given.
    std::shared_ptr<OstSimulatedCamera> ArriveCamera(const QString& path, QString inputPath = {},
                                                     const QString& name = {}) {
        auto camera = std::make_shared<OstSimulatedCamera>(
            inputPath.isEmpty() ? path : std::move(inputPath), name);
        arrival_(Device(path, name, camera));
        return camera;
    }
    void Remove(const QString& path) { removal_(path); }

    std::vector<Device> present;

private:
    ArrivalHandler arrival_;
    RemovalHandler removal_;
};

// Every "WEBCAM_PLUG_IN" and "WEBCAM_PULL_OUT" with its text, in order; `during` runs inside
// each post, while the payload is valid.
class NotificationLog {
public:
    NotificationLog() {
        for (const QString& name : {u"WEBCAM_PLUG_IN"_qs, u"WEBCAM_PULL_OUT"_qs})
            OstNotificationCenter::GetInstance().AddObserver(this, &NotificationLog::Callback,
                                                             name);
    }
    ~NotificationLog() { OstNotificationCenter::GetInstance().RemoveObserver(this, QString()); }
    NotificationLog(const NotificationLog&) = delete;
    NotificationLog& operator=(const NotificationLog&) = delete;

    std::vector<std::pair<QString, QString>> entries;
    std::function<void(const QString& name, const QString& text)> during;

private:
    static void Callback(void* observer, void* payload, const QString& name) {
        auto* self = static_cast<NotificationLog*>(observer);
        const QString text = payload ? *static_cast<const QString*>(payload) : u"<null>"_qs;
        self->entries.emplace_back(name, text);
        if (self->during)
            self->during(name, text);
    }
};

class CountingOwner : public IOstWebcamOwner {
public:
    CountingOwner() = default;
    void OnWebcamSnapShotKey(OstWebcam*, IOstVideoWindow*) override { ++snapShotKeys; }
    void OnWebcamSnapShotImage(OstWebcam*, IOstVideoWindow*, const QString&) override {
        ++snapShotImages;
    }
    void OnWebcamOrbitSendKey(OstWebcam*, IOstVideoWindow*) override { ++sendKeys; }

    int snapShotKeys = 0;
    int snapShotImages = 0;
    int sendKeys = 0;
};

class NullVideoWindow : public IOstVideoWindow {
public:
    NullVideoWindow() = default;
    void PresentFrame(const QImage&, const QRect&) override {}
    bool GetClientRect(QRect& rect) const override {
        rect = QRect(0, 0, 320, 240);
        return true;
    }
};

// Runs the posted messages of the monitor (and the devices' message windows).
inline void RunPostedMessages() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents();
}

inline QString CameraPath(const char* ids, const char* instance = "6&1a2b3c4d&0&0000") {
    return u"\\\\?\\usb#"_qs + QString::fromLatin1(ids) + u'#' + QString::fromLatin1(instance) +
           u"#{65e8773d-8f56-11d0-a3b9-00a0c9223196}"_qs;
}
