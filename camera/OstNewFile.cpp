#include "OstNewFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace OstNewFile {
namespace {

constexpr mode_t kMode = 0666;
// Random names collide only when something else fills the folder with our prefix.
constexpr int kNameAttempts = 64;

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { Close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }
    // After a successful fsync close has nothing left to report, so its result is not read.
    void Close() {
        if (fd_ >= 0)
            ::close(std::exchange(fd_, -1));
    }

private:
    int fd_;
};

Failure WriteAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return Failure::Write;
        data += written;
        left -= written;
    }
    // Only bytes on the disk may get the name: a power cut must not leave a torn photo.
    return ::fsync(fd) == 0 ? Failure::None : Failure::Flush;
}

// Makes the new name itself survive a power cut; the file is whole either way, so a folder
// that cannot be synced is no failure.
void SyncFolder(const QByteArray& folder) {
    Descriptor dir(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0)
        ::fsync(dir.Get());
}

// An O_TMPFILE file has no name until linkat gives it one, so neither a failure nor a crash
// leaves anything in the folder. `fallBack` tells that this road is closed here (no O_TMPFILE
// on the filesystem, or no /proc to link through) and another should be tried.
Failure Unnamed(const QByteArray& folder, const QByteArray& target, const QByteArray& bytes,
                bool& fallBack) {
    fallBack = false;
    Descriptor file(::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, kMode));
    if (file.Get() < 0) {
        // Kernels without O_TMPFILE see a plain directory open for writing (EISDIR).
        fallBack = errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL;
        return Failure::Create;
    }
    if (const Failure failed = WriteAll(file.Get(), bytes); failed != Failure::None)
        return failed;
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(file.Get());
    if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, target.constData(), AT_SYMLINK_FOLLOW) == 0)
        return Failure::None;
    if (errno == EEXIST)
        return Failure::NameTaken;
    fallBack = true;
    return Failure::Name;
}

// Gives the named file `temp` the name `target` and removes `temp`, whatever happens.
Failure GiveName(const QByteArray& temp, const QByteArray& target, bool link) {
    if (link) {
        const int linked = ::link(temp.constData(), target.constData());
        const int error = errno;
        if (linked == 0 || error == EEXIST) {
            ::unlink(temp.constData());
            return linked == 0 ? Failure::None : Failure::NameTaken;
        }
        // Filesystems without hard links (FAT: EPERM) can still rename without replacing.
    }
    if (::renameat2(AT_FDCWD, temp.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) ==
        0)
        return Failure::None;
    const int error = errno;
    ::unlink(temp.constData());
    // Without RENAME_NOREPLACE (EINVAL) the only rename left is check-then-rename, which could
    // replace a photo made meanwhile: the write fails instead.
    return error == EEXIST ? Failure::NameTaken : Failure::Name;
}

// A hidden file beside the name, created exclusively, written, then named.
Failure Named(const QByteArray& folder, const QByteArray& target, const QByteArray& bytes,
              bool link) {
    QByteArray temp;
    int fd = -1;
    for (int attempt = 0; attempt < kNameAttempts && fd < 0; ++attempt) {
        temp = folder + "/.orbit-new-" +
               QByteArray::number(QRandomGenerator::global()->generate64(), 36);
        fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kMode);
        if (fd < 0 && errno != EEXIST)
            return Failure::Create;
    }
    if (fd < 0)
        return Failure::Create;
    Descriptor file(fd);
    const Failure failed = WriteAll(file.Get(), bytes);
    file.Close();
    if (failed != Failure::None) {
        ::unlink(temp.constData());
        return failed;
    }
    return GiveName(temp, target, link);
}

} // namespace

Failure Write(const QString& path, const QByteArray& bytes, Road first) {
    if (path.isEmpty())
        return Failure::Create;
    const QFileInfo info(path);
    const QByteArray folder = QFile::encodeName(info.absolutePath());
    const QByteArray target = QFile::encodeName(info.absoluteFilePath());
    Failure failed = Failure::None;
    bool fallBack = first != Road::Unnamed;
    if (first == Road::Unnamed)
        failed = Unnamed(folder, target, bytes, fallBack);
    if (fallBack)
        failed = Named(folder, target, bytes, first != Road::Renamed);
    if (failed == Failure::None)
        SyncFolder(folder);
    return failed;
}

} // namespace OstNewFile
