#pragma once

#include <QString>

// Receives the events of a graph (its notify window); the program acts on none of them.
// Called on a GStreamer streaming thread or the owner's thread while the graph holds its event
// lock: queue the event, never block, never call back into the graph.
class IOstGraphNotify {
public:
    enum EventCode : int {
        Complete = 0x01,   // the stream ended
        ErrorAbort = 0x03, // the stream stopped on an error (a pulled camera, ...)
    };
    virtual ~IOstGraphNotify();
    virtual void OnGraphEvent(EventCode code, const QString& text) = 0;
};
