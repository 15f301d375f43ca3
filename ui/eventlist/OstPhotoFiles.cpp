#include "OstPhotoFiles.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>

namespace OstPhotoFiles {

bool SaveCopy(const QString& source, const QString& target) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    // A private file beside the target takes its place in one step when complete.
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    QByteArray chunk;
    while (!(chunk = in.read(1 << 20)).isEmpty()) {
        if (out.write(chunk) != chunk.size()) {
            out.cancelWriting();
            return false;
        }
    }
    if (in.error() != QFileDevice::NoError) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

bool Rename(const QString& oldPath, const QString& newPath) {
    // QFile::rename refuses an existing target.
    return QFile::rename(oldPath, newPath);
}

void Discard(const QString& path) {
    const QFileInfo file(path);
    if (file.isAbsolute() && file.isFile() && !QFile::moveToTrash(file.filePath()))
        QFile::remove(file.filePath());
}

void ShowProperties(const QString& path, QObject* context) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItemProperties"));
    call << QStringList{QUrl::fromLocalFile(path).toString()} << QString();
    auto* watcher =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context, [watcher, path] {
        // Without a file manager that shows properties, the folder is the next best thing.
        if (watcher->isError())
            QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absolutePath()));
        watcher->deleteLater();
    });
}

QString FindHelpPage(const QString& languageFolder) {
    const QString page = QStringLiteral("help/") + languageFolder + QStringLiteral("/help_1.htm");
    QDir dir(QCoreApplication::applicationDirPath());
    const QStringList places = {
        dir.filePath(page),
        dir.filePath(QStringLiteral("../share/orbit/") + page),
    };
    for (const QString& place : places)
        if (QFileInfo(place).isFile())
            return QFileInfo(place).absoluteFilePath();
    // Run from a build inside the source tree: the pages are in res/ of an enclosing folder.
    for (int up = 0; up < 4 && !dir.isRoot(); ++up) {
        dir.cdUp();
        const QString source = dir.filePath(QStringLiteral("res/") + page);
        if (QFileInfo(source).isFile())
            return QFileInfo(source).absoluteFilePath();
    }
    return {};
}

} // namespace OstPhotoFiles
