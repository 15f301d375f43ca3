#pragma once

#include "OstNotificationCenter.h"
#include "OstObject.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>

// The settings file the monitor writes, as the tests see and break it.
namespace RemoteSettings {

inline QSettings Open() {
    return QSettings(u"Ostrel"_qs, u"Orbit"_qs);
}
inline QString FileName() {
    return Open().fileName();
}

inline QVariant Read(const QString& key) {
    return Open().value(key);
}

inline void Write(const QString& key, const QVariant& value) {
    QSettings settings = Open();
    settings.setValue(key, value);
    settings.sync();
}

inline void Clear() {
    QFile::remove(FileName());
    QDir(FileName()).removeRecursively();
}

// A folder where the file belongs: every write fails, whoever runs the test (root too).
inline void BreakWrites() {
    Clear();
    QDir().mkpath(FileName());
}

inline void RepairWrites() {
    QDir(FileName()).removeRecursively();
}

} // namespace RemoteSettings

// Records the remote monitor's own posts, and whether it was registered when each came.
class RemoteSwitchLog : public OstObject {
public:
    RemoteSwitchLog() {
        for (const QString& name :
             {u"ORBIT_REMOTEMONITOR_START"_qs, u"ORBIT_REMOTEMONITOR_STOP"_qs})
            OstNotificationCenter::GetInstance().AddObserver(
                this, OstNotificationCenter::ForwardToObject, name);
    }
    ~RemoteSwitchLog() override {
        OstNotificationCenter::GetInstance().RemoveObserver(this, QString());
    }

    void OnNotification(void* payload, const QString& name) override {
        QString line = name;
        if (payload)
            line += u" with payload"_qs;
        auto& center = OstNotificationCenter::GetInstance();
        for (const QString& observed :
             {u"SKYPE_CALL_MESSAGE"_qs, u"SKYPE_CHAT_MESSAGE"_qs, u"SKYPE_MESSAGE_MESSAGE"_qs})
            line += u' ' + QString::number(center.ObserverCount(observed));
        lines.append(line);
    }

    QStringList lines;
};
