#pragma once

#include <functional>

// A camera's snapshot button as its driver reports it: the simulated camera's button, or the
// KEY_CAMERA key of a real camera's input node. Lives on the UI thread.
class IOstSnapshotButton {
public:
    using Target = std::function<void()>;
    virtual ~IOstSnapshotButton();
    // Registers where each press goes (called on the UI thread, once per press). A later
    // registration replaces the earlier one. `owner` identifies the registrant for Clear.
    // False when the button cannot be watched.
    virtual bool SetTarget(const void* owner, Target target) = 0;
    // Stops notifying, but only when `owner` made the current registration, so a device that
    // goes away never takes the button from another device of the same camera.
    virtual void ClearTarget(const void* owner) = 0;
};
