#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class IOstV4l2Io;

// V4L2 loopback devices: video nodes whose driver calls itself "v4l2 loopback". Other programs
// read what is written into one as if it were a camera; Orbit can write its picture there, and
// never takes one for a camera of its own. Orbit never creates such a device: the user loads
// the driver.
namespace OstLoopback {

// The driver's name as VIDIOC_QUERYCAP reports it.
inline constexpr char kDriverName[] = "v4l2 loopback";

bool IsLoopback(IOstV4l2Io& io, const QByteArray& path);
// /dev/video0 .. /dev/video63 that exist.
QStringList DevicePaths();
// The first loopback device among the paths; empty when there is none.
QString Find(IOstV4l2Io& io, const QStringList& paths);

} // namespace OstLoopback
