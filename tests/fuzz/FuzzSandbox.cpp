#include "FuzzSandbox.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {
QByteArray g_root;

bool Inside(const char* path) {
    if (g_root.isEmpty())
        return true;
    const std::size_t length = static_cast<std::size_t>(g_root.size());
    return std::strncmp(path, g_root.constData(), length) == 0 &&
           (path[length] == '/' || path[length] == '\0');
}
} // namespace

namespace FuzzSandbox {
const QTemporaryDir& Start(int* argc, char*** argv) {
    new QCoreApplication(*argc, *argv);
    auto* root = new QTemporaryDir;
    if (!root->isValid())
        std::abort();
    g_root = QFile::encodeName(root->path());
    return *root;
}
} // namespace FuzzSandbox

// Takes the place of the C library's mkdir for the whole process (Qt's included), since the
// program makes its folders through it.
extern "C" int mkdir(const char* path, mode_t mode) {
    if (!Inside(path)) {
        errno = EACCES;
        return -1;
    }
    return static_cast<int>(syscall(SYS_mkdirat, AT_FDCWD, path, mode));
}
