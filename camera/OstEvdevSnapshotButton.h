#pragma once

#include "IOstSnapshotButton.h"

#include <QString>

#include <memory>

class QSocketNotifier;

// A real camera's snapshot button: the KEY_CAMERA key of the input device the camera's USB
// device carries beside its video interface (/dev/input/eventN). Presses are read in the UI
// thread's event loop; the node is open only while a target is registered.
class OstEvdevSnapshotButton : public IOstSnapshotButton {
public:
    explicit OstEvdevSnapshotButton(QString eventNode);
    ~OstEvdevSnapshotButton() override;

    // False when the node cannot be opened (no permission, gone).
    bool SetTarget(const void* owner, Target target) override;
    void ClearTarget(const void* owner) override;
    const QString& EventNode() const { return eventNode_; }

    // The event node of the input device under the same USB device as the V4L2 node
    // `videoNode` (such as /dev/video0), found through sysfs as udev links them; empty when
    // there is none. The roots are for tests.
    static QString FindEventNode(const QString& videoNode, const QString& sysRoot = u"/sys"_qs,
                                 const QString& devRoot = u"/dev"_qs);

private:
    void Close();
    void OnReadable();

    const QString eventNode_;
    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    const void* owner_ = nullptr;
    Target target_;
};
