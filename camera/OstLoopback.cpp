#include "OstLoopback.h"

#include "IOstV4l2Io.h"

#include <QFile>
#include <QFileInfo>

#include <linux/videodev2.h>

#include <cstring>

bool OstLoopback::IsLoopback(IOstV4l2Io& io, const QByteArray& path) {
    const int fd = io.Open(path);
    if (fd < 0)
        return false;
    v4l2_capability caps{};
    const bool answered = io.Ioctl(fd, VIDIOC_QUERYCAP, &caps) == 0;
    io.Close(fd);
    if (!answered)
        return false;
    // The field is a fixed array that a driver may fill to the end without a terminator.
    const auto* driver = reinterpret_cast<const char*>(caps.driver);
    return std::strncmp(driver, kDriverName, sizeof(caps.driver)) == 0;
}

QStringList OstLoopback::DevicePaths() {
    QStringList paths;
    for (int i = 0; i < 64; ++i) {
        const QString path = QStringLiteral("/dev/video%1").arg(i);
        if (QFileInfo::exists(path))
            paths.append(path);
    }
    return paths;
}

QString OstLoopback::Find(IOstV4l2Io& io, const QStringList& paths) {
    for (const QString& path : paths)
        if (IsLoopback(io, QFile::encodeName(path)))
            return path;
    return QString();
}
