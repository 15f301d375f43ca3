#pragma once

#include "IOstFrameTap.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>

class OstPipeWireReaders;

class QTimer;
typedef struct _GstElement GstElement;

// The camera's picture offered to other programs: a small GStreamer pipeline of its own,
//   appsrc (the capture graph's frames) ! videoconvert ! <format> ! pipewiresink | v4l2sink
// publishing a PipeWire video source named "Orbit", or writing to a V4L2 loopback device. It
// never opens the camera: frames come from the running capture graph through the frame tap,
// wrapped without a copy, and the appsrc keeps at most one, dropping older ones, so while
// nobody reads (the sink waits for a reader) nothing is converted. While no frame comes (the
// camera is lent to a call, or unplugged) a still picture with a short text stands in, a few
// times a second, so readers keep their stream.
//
// Start, Stop and SetStillText on the UI thread; TakeFrame on any thread.
class OstSharedCamera : public QObject, public IOstFrameTap {
    Q_OBJECT
public:
    enum class Target { PipeWire, Loopback };
    static const QString& NodeName();

    OstSharedCamera();
    ~OstSharedCamera() override;

    // Whether a PipeWire video source can be published in this session (the sink element is
    // installed and the session's PipeWire socket exists).
    static bool PipeWireAvailable();

    // Starts publishing; false, with the reason in `error`, when the pipeline cannot be made
    // or its sink cannot reach its target. `device` is the loopback device's path.
    bool Start(Target target, const QString& device, QString& error);
    void Stop();
    bool Running() const;
    // The capture rate, announced to readers (the frames come at the camera's own pace).
    void SetFrameRate(int framesPerSecond);

    void TakeFrame(const QImage& frame) override;
    // The text of the still picture shown while no frame comes; empty keeps the last frame.
    void SetStillText(const QString& text);
    // Frames handed to the pipeline so far (live and still).
    std::uint64_t FramesPushed() const { return pushed_.load(); }

private:
    // With lock_ held.
    bool Unread(const QSize& size) const;
    void PushLocked(const QImage& frame);
    void OnStillTick();

    mutable std::mutex lock_;
    GstElement* pipeline_ = nullptr;
    GstElement* source_ = nullptr; // appsrc, owned by the pipeline
    QSize caps_;
    int framesPerSecond_ = 30;
    std::chrono::steady_clock::time_point lastFrame_{};
    QSize lastSize_{640, 480};

    QTimer* stillTimer_ = nullptr;
    QString stillText_;
    QImage still_;
    std::atomic<std::uint64_t> pushed_{0};
    std::unique_ptr<OstPipeWireReaders> readers_;
};
