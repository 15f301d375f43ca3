#pragma once

#include "PeerUser.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The network a peer plays, read from a JSON scenario file (format in docs/skype-peer.md).
class PeerScenario {
public:
    QString skypeVersion = QStringLiteral("2.1.0.81");
    int latencyMs = 0;
    QList<PeerUser> users;

    bool Parse(const QByteArray& json, QString* error);
    bool LoadFile(const QString& path, QString* error);
    // Gives a user a bus; false when the handle is not in the scenario.
    bool SetBus(const QString& handle, const QString& address);
    // Checks the whole network once every bus is known.
    bool Validate(QString* error) const;

    static bool IsValidHandle(const QString& handle);
    static bool IsUserStatus(const QString& word);
};
