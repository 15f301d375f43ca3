#pragma once

class IOstVideoWindow;

// What the camera session shows of itself in the main dialog.
class IOstCameraView {
public:
    virtual ~IOstCameraView() = default;
    // Where the preview paints.
    virtual IOstVideoWindow* PreviewWindow() const = 0;
    // ok: the preview runs; otherwise the message (a string number) stands in its place.
    virtual void SetCameraState(bool ok, int messageId) = 0;
    virtual void SetZoom(int percent, bool disable) = 0;
    virtual void SetMirrorButton(bool on) = 0;
    virtual void EnableTakePhoto() = 0;
    // The user can see the preview: shown and not minimised.
    virtual bool PreviewSeen() const = 0;
};
