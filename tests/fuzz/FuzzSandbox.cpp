#include "FuzzSandbox.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {
QByteArray g_root;
int g_refused = 0;

bool Inside(const char* path) {
    if (g_root.isEmpty())
        return true;
    const std::size_t length = static_cast<std::size_t>(g_root.size());
    return std::strncmp(path, g_root.constData(), length) == 0 &&
           (path[length] == '/' || path[length] == '\0');
}
} // namespace

namespace FuzzSandbox {
void Confine(const QByteArray& root) {
    g_root = root;
}
int Refused() {
    return g_refused;
}
} // namespace FuzzSandbox

// Takes the place of the C library's mkdir for the whole process (Qt's included), since the
// program makes its folders through it.
extern "C" int mkdir(const char* path, mode_t mode) {
    if (!Inside(path)) {
        ++g_refused;
        errno = EACCES;
        return -1;
    }
    return static_cast<int>(syscall(SYS_mkdirat, AT_FDCWD, path, mode));
}
