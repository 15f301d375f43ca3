#pragma once

#include <QString>

// The remote monitor as the switch drives it; OstOrbitRemote is the real one.
class IOstRemoteMonitor {
public:
    virtual ~IOstRemoteMonitor() = default;
    virtual void Start() = 0;
    virtual void Stop() = 0;
    virtual void Hold() = 0;
    virtual bool HasPassword() const = 0;
    virtual bool SetPassword(const QString& text) = 0;
};
