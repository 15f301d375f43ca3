#pragma once

#include <QByteArray>

#include <memory>

// The system calls by which a V4L2 node's controls are reached, behind an interface so that
// tests can play a camera's controls.
class IOstV4l2Io {
public:
    virtual ~IOstV4l2Io();
    // A descriptor, or -1.
    virtual int Open(const QByteArray& path) = 0;
    virtual void Close(int fd) = 0;
    // 0 on success, -1 on failure (as ioctl(2)).
    virtual int Ioctl(int fd, unsigned long request, void* argument) = 0;

    // The real calls.
    static std::shared_ptr<IOstV4l2Io> System();
};
