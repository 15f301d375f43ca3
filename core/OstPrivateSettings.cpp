#include "OstPrivateSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {
constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
}

QString OstPrivateSettings::FileName() {
    return QSettings(QStringLiteral("Ostrel"), QStringLiteral("Orbit")).fileName();
}

bool OstPrivateSettings::Protect(bool create) {
    const QString name = FileName();
    const QFileInfo info(name);
    if (!info.exists()) {
        if (!create)
            return true;
        if (!QDir().mkpath(info.absolutePath()))
            return false;
        QFile file(name);
        // Created with the mode it keeps, so no moment exists in which others could read it.
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, kOwnerOnly) &&
            !QFileInfo::exists(name))
            return false;
    }
    return QFile::setPermissions(name, kOwnerOnly);
}
