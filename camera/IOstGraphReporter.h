#pragma once

#include <QString>

// Shows a capture-graph failure to the user. The program shows a modal message box with an
// OK button and returns when it was closed; called on whichever thread ran the failing step
// (the user-interface thread or a countdown thread), never with a graph lock held.
class IOstGraphReporter {
public:
    virtual ~IOstGraphReporter();
    virtual void ReportFailure(const QString& text) = 0;
};
