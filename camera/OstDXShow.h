#pragma once

#include "GraphState.h"
#include "OstMediaType.h"
#include "OverlayFrame.h"

#include <QString>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

class IOstGraphNotify;
class IOstGraphReporter;
class IOstVideoWindow;
class OstSourceFilter;
class IOstFrameTap;
class OstVideoRenderer;
typedef struct _GstBus GstBus;
typedef struct _GstElement GstElement;
typedef struct _GstMessage GstMessage;
typedef struct _GstPad GstPad;

// The live video of one camera: a GStreamer pipeline from the camera's source through a caps
// filter holding the capture format and a colour converter to an appsink whose frames go to
// the video window. Builds, runs, stops and tears the pipeline down in the steps of a capture
// graph, with the same failure reports, lays a picture over the video and grabs the current
// frame into a JPEG photo.
//
// Everything runs on the thread that owns the object except BlendApplicationImage,
// DisableBlendApplicationImage and GrabImage, which a countdown thread may call meanwhile.
class OstDXShow {
public:
    // The device path is compared exactly with those of the video input category. The video
    // window and the notify window must outlive the object; either may be null. Failures go
    // to `reporter`, or to the default reporter when it is null, always queued to the UI
    // thread's event loop, from any thread, and never waited for. The reporter must outlive
    // the graph; the default reporter must stay set (or be cleared) until the event loop ends.
    OstDXShow(QString devicePath, IOstVideoWindow* videoWindow, IOstGraphNotify* notifyWindow,
              IOstGraphReporter* reporter = nullptr);
    virtual ~OstDXShow();
    OstDXShow(const OstDXShow&) = delete;
    OstDXShow& operator=(const OstDXShow&) = delete;

    // Builds the graph and connects the stream, in up to six attempts; Ready on success.
    bool Connect();
    // Connects first when NotBuilt; runs a Ready graph. A failed run tears the graph down.
    GraphState Run();
    // Stops a running graph; Ready only when the stop succeeds.
    GraphState Stop();
    // Pauses a running graph, which stays Running; a failed pause stops it (Ready).
    GraphState Pause();
    // Tears the graph down; always true.
    bool Disconnect();

    // While running: reconnects with the new format. Otherwise only stores it.
    void ChangeResolution(std::int32_t bitCount, std::int32_t width, std::int32_t height);
    // Applies the rate to a built graph (stopping and rerunning a running one); NotBuilt
    // only stores it. The result is that of SetPreviewRate.
    bool ChangeFrameRate(std::uint32_t framesPerSecond);
    // Fits the video to the whole client rectangle of the video window.
    bool SetVideoPosition();

    // Quarter turns clockwise of the picture (shown and photographed), kept across rebuilds of
    // the graph and applied from the next frame on.
    void SetRotation(int quarterTurns);
    // Every frame also goes to the tap (null: none), across rebuilds of the graph; the tap must
    // outlive the graph or be cleared first.
    void SetFrameTap(IOstFrameTap* tap);

    // Lays the frame's bitmap into the normalised rectangle 0.4, 0.7, 0.6, 0.9 of the picture.
    bool BlendApplicationImage(const OverlayFrame& frame);
    bool DisableBlendApplicationImage();
    // Writes the last frame, without the overlay, to `path` as a JPEG of quality 99 with the
    // frame's size. Only while Running, and only when no file of that name exists: a photo
    // never replaces a file the grab did not create. The name holds the whole photo or
    // nothing: a failure (reported) leaves no file behind.
    bool GrabImage(const QString& path);

    GraphState State() const;
    const QString& DevicePath() const { return devicePath_; }
    std::int32_t BitCount() const { return bitCount_; }
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    std::uint32_t FrameRate() const { return frameRate_; }
    // The opened camera while the graph exists (for the camera driver); owner thread only.
    OstSourceFilter* SourceFilter() const { return sourceFilter_.get(); }

    // Receives the failures of graphs created without a reporter; null prints them to stderr.
    static void SetDefaultReporter(IOstGraphReporter* reporter);
    // "OstDXShow::" + step + "() failed -> " + detail + line feed.
    static QString FailureText(const QString& step, const QString& detail);
    // The first offered type of that size and bit count; for 24 bits, failing that, the
    // first YUYV type of that size (converted to 24 bits behind the source). Null if none.
    static const OstMediaType* FindCaptureType(const std::vector<OstMediaType>& types,
                                               std::int32_t bitCount, std::int32_t width,
                                               std::int32_t height);

private:
    bool BuildGraphBuilder();
    bool BuildSourceFilter();
    bool SetResolution();
    bool SetPreviewRate();
    static std::uint32_t UsableRate(std::uint32_t framesPerSecond);
    // Whether the source already delivers this rate, read as SetPreviewRate reads it.
    bool RateInEffect(std::uint32_t framesPerSecond) const;
    bool BuildColorConverterFilter();
    bool BuildVMR9Filter();
    bool BuildInterfaces();
    bool RenderStream();
    bool ApplyFormat();
    void ReleaseGraph();
    void SetState(GraphState state);
    void ReportFailure(const QString& step, const QString& detail) const;
    void OnBusMessage(GstMessage* message);
    bool StreamFailed() const;

    GstElement* pipeline_ = nullptr; // the filter graph and its media control
    GstBus* bus_ = nullptr;          // graph events
    std::unique_ptr<OstSourceFilter> sourceFilter_;
    GstPad* sourcePin_ = nullptr;
    GstElement* formatFilter_ = nullptr; // caps filter: the capture pin's format
    GstElement* decoder_ = nullptr;      // only for compressed formats
    GstElement* colorConverter_ = nullptr;
    GstElement* renderer_ = nullptr; // appsink
    int rotation_ = 0;
    IOstFrameTap* tap_ = nullptr;
    std::shared_ptr<OstVideoRenderer> windowlessControl_;
    std::shared_ptr<OstVideoRenderer> mixerBitmap_;

    const QString devicePath_;
    IOstVideoWindow* const videoWindow_;
    IOstGraphNotify* const notifyWindow_;
    IOstGraphReporter* const reporter_;
    // Queued failure reports learn from it whether the graph (and its reporter) still exist.
    const std::shared_ptr<int> alive_;

    // Guards the state and the renderer references against the countdown thread.
    mutable std::mutex lock_;
    GraphState state_ = GraphState::NotBuilt;
    bool paused_ = false;
    std::int32_t bitCount_ = 24;
    std::int32_t width_ = 640;
    std::int32_t height_ = 480;
    std::uint32_t frameRate_ = 30;

    // Bus messages arrive on streaming threads, and one may still be on its way when the graph
    // lets the bus go: the handler reaches the graph through this, which outlives it.
    struct BusTarget {
        std::mutex lock;
        OstDXShow* graph = nullptr;
    };
    std::shared_ptr<BusTarget> busTarget_ = std::make_shared<BusTarget>();
    mutable std::mutex busLock_;
    IOstGraphNotify* eventTarget_ = nullptr;
    bool streamFailed_ = false;

    static std::atomic<IOstGraphReporter*> defaultReporter_;
};
