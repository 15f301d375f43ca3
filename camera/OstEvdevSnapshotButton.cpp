#include "OstEvdevSnapshotButton.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <linux/input.h>
#include <unistd.h>

OstEvdevSnapshotButton::OstEvdevSnapshotButton(QString eventNode)
    : eventNode_(std::move(eventNode)) {}

OstEvdevSnapshotButton::~OstEvdevSnapshotButton() {
    Close();
}

bool OstEvdevSnapshotButton::SetTarget(const void* owner, Target target) {
    owner_ = owner;
    target_ = std::move(target);
    if (fd_ >= 0)
        return true;
    fd_ = ::open(eventNode_.toLocal8Bit().constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0)
        return false;
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                     [this] { OnReadable(); });
    return true;
}

void OstEvdevSnapshotButton::ClearTarget(const void* owner) {
    if (owner != owner_)
        return;
    owner_ = nullptr;
    target_ = nullptr;
    Close();
}

void OstEvdevSnapshotButton::Close() {
    notifier_.reset();
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

void OstEvdevSnapshotButton::OnReadable() {
    input_event events[16];
    int presses = 0;
    for (;;) {
        const ssize_t got = ::read(fd_, events, sizeof events);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            // End of file or an error other than "nothing more": the device went away.
            if (got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK))
                Close();
            break;
        }
        const size_t count = static_cast<size_t>(got) / sizeof(input_event);
        for (size_t i = 0; i < count; ++i)
            if (events[i].type == EV_KEY && events[i].code == KEY_CAMERA && events[i].value == 1)
                ++presses;
    }
    // The target may replace or clear the registration while it runs.
    for (int i = 0; i < presses; ++i) {
        const Target target = target_;
        if (target)
            target();
    }
}

QString OstEvdevSnapshotButton::FindEventNode(const QString& videoNode, const QString& sysRoot,
                                              const QString& devRoot) {
    const QString name = QFileInfo(videoNode).fileName();
    if (name.isEmpty())
        return {};
    // The video node's device is its USB interface; the input device hangs off the USB device.
    const QString interfaceDir =
        QFileInfo(sysRoot + u"/class/video4linux/"_qs + name + u"/device"_qs).canonicalFilePath();
    if (interfaceDir.isEmpty())
        return {};
    QString usbDevice = interfaceDir;
    if (QFileInfo(interfaceDir).fileName().contains(u':'))
        usbDevice = QFileInfo(interfaceDir).path();
    static const QRegularExpression eventName(u"^event[0-9]+$"_qs);
    QStringList found;
    QDirIterator it(usbDevice, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (eventName.match(it.fileName()).hasMatch() && path.contains(u"/input/input"_qs))
            found.append(it.fileName());
    }
    if (found.isEmpty())
        return {};
    std::sort(found.begin(), found.end());
    return devRoot + u"/input/"_qs + found.first();
}
