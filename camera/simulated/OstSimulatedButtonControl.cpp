#include "OstSimulatedButtonControl.h"

#include "OstSimulatedCameraDriver.h"

#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Lines longer than this are not commands; they are dropped so the buffer cannot grow.
constexpr qsizetype kLongestLine = 64;

} // namespace

OstSimulatedButtonControl::OstSimulatedButtonControl(OstSimulatedCameraDriver& driver, QString pipe)
    : driver_(driver), pipe_(std::move(pipe)) {
    const QByteArray path = pipe_.toLocal8Bit();
    struct stat info {};
    if (::stat(path.constData(), &info) != 0 && ::mkfifo(path.constData(), 0600) != 0)
        return;
    if (::stat(path.constData(), &info) != 0 || !S_ISFIFO(info.st_mode))
        return;
    // Read and write, so the pipe never reads as ended when a writer goes away.
    fd_ = ::open(path.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0)
        return;
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                     [this] { OnReadable(); });
}

OstSimulatedButtonControl::~OstSimulatedButtonControl() {
    notifier_.reset();
    if (fd_ >= 0)
        ::close(fd_);
}

void OstSimulatedButtonControl::OnReadable() {
    char buffer[256];
    for (;;) {
        const ssize_t got = ::read(fd_, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        pending_.append(buffer, got);
    }
    qsizetype end;
    while ((end = pending_.indexOf('\n')) >= 0) {
        Handle(pending_.left(end).trimmed());
        pending_.remove(0, end + 1);
    }
    if (pending_.size() > kLongestLine)
        pending_.clear();
}

void OstSimulatedButtonControl::Handle(const QByteArray& line) {
    if (line == "snapshot") {
        driver_.PressSnapshotButton();
    } else if (line == "send") {
        driver_.PressSecondButton();
        QTimer::singleShot(100, notifier_.get(), [this] { driver_.ReleaseSecondButton(); });
    } else if (line == "send-down") {
        driver_.PressSecondButton();
    } else if (line == "send-up") {
        driver_.ReleaseSecondButton();
    }
}
