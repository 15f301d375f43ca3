#pragma once

#include <QString>

// Shows a capture-graph failure to the user. The graph calls it on its owner's thread (the UI
// thread) from that thread's event loop, after the failing step has returned, and never waits
// for it from another thread: a failure found on a countdown thread is queued. So the
// reporter may simply show a modal QMessageBox with one OK button and return once it has been
// closed; the camera threads keep running meanwhile and can be joined.
class IOstGraphReporter {
public:
    virtual ~IOstGraphReporter();
    virtual void ReportFailure(const QString& text) = 0;
};
