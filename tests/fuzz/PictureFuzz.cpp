// Feeds arbitrary bytes, as a received photo's file, to the picture loader the main dialog
// shows photos with, and scales what it loaded as the dialog does.
#include "COstUI_Picture.h"
#include "FuzzSandbox.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {
const QTemporaryDir* g_root = nullptr;
} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    g_root = &FuzzSandbox::Start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString path = g_root->filePath(QStringLiteral("photo.jpg"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    file.close();

    COstUI_Picture picture;
    const int loaded = picture.LoadFromFile(path, false);
    if (loaded > 0) {
        if (picture.Picture().isNull() || picture.Width() <= 0 || picture.Height() <= 0)
            std::abort();
        // The picture area of the largest dialog, kept in proportion.
        const QImage shown = picture.Picture().scaled(318, 239, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (shown.isNull())
            std::abort();
    } else if (picture.IsLoaded()) {
        std::abort();
    }
    return 0;
}
