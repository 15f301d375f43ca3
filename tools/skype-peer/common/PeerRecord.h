#pragma once

#include <QDBusArgument>
#include <QList>
#include <QMetaType>
#include <QStringList>

// One time-stamped row of the peer's logs (commands, chats, transfers) as it travels over the
// control interface, D-Bus signature (xas): milliseconds since the epoch, then the row's fields.
struct PeerRecord {
    qint64 timeMs = 0;
    QStringList fields;

    // Both the peer and its clients call this before the type crosses the bus.
    static void RegisterDBusTypes();
};

QDBusArgument& operator<<(QDBusArgument& argument, const PeerRecord& record);
const QDBusArgument& operator>>(const QDBusArgument& argument, PeerRecord& record);

Q_DECLARE_METATYPE(PeerRecord)
