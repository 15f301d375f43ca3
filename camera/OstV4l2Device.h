#pragma once

#include "OstMediaType.h"
#include "OstVideoInputDevice.h"

class IOstV4l2Io;

#include <memory>

typedef struct _GstElement GstElement;

// A real camera: its V4L2 node (/dev/videoN) opened by v4l2src, its controls as the driver's
// properties (OstV4l2ControlDriver) and the KEY_CAMERA key of its input node as the snapshot
// button.
class OstV4l2Device : public OstVideoInputDevice {
public:
    OstV4l2Device(QString devicePath, QString friendlyName, QString node);
    ~OstV4l2Device() override;

    QString DevicePath() const override { return devicePath_; }
    QString FriendlyName() const override { return friendlyName_; }
    QString Node() const { return node_; }
    // The source element for the node, not opened yet (floating reference).
    GstElement* CreateElement() const;
    // Opens the node; its formats are read from the driver once it is open.
    std::unique_ptr<OstSourceFilter> BindToObject() override;
    // Looked up once, on first use; null when the camera has no input node.
    std::shared_ptr<IOstSnapshotButton> SnapshotButton() override;

    // The format the camera delivers now (VIDIOC_G_FMT, its rate from VIDIOC_G_PARM, 0 when
    // the camera cannot tell); false when the node cannot say or its pixel format has no
    // counterpart here. A graph that cannot get the size it asked for keeps this one.
    static bool ReadCurrentFormat(IOstV4l2Io& io, const QString& node, OstMediaType& type);

private:
    QString devicePath_;
    QString friendlyName_;
    QString node_;
    bool buttonLooked_ = false;
    std::shared_ptr<IOstSnapshotButton> button_;
};
