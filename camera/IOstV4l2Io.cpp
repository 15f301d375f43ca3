#include "IOstV4l2Io.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

class SystemIo : public IOstV4l2Io {
public:
    SystemIo() = default;
    int Open(const QByteArray& path) override {
        return ::open(path.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    }
    void Close(int fd) override { ::close(fd); }
    int Ioctl(int fd, unsigned long request, void* argument) override {
        int result;
        do {
            result = ::ioctl(fd, request, argument);
        } while (result == -1 && errno == EINTR);
        return result;
    }
};

} // namespace

IOstV4l2Io::~IOstV4l2Io() = default;

std::shared_ptr<IOstV4l2Io> IOstV4l2Io::System() {
    static const std::shared_ptr<IOstV4l2Io> io = std::make_shared<SystemIo>();
    return io;
}
