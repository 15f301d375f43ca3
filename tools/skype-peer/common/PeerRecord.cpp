#include "PeerRecord.h"

#include <QDBusMetaType>

void PeerRecord::RegisterDBusTypes() {
    qDBusRegisterMetaType<PeerRecord>();
    qDBusRegisterMetaType<QList<PeerRecord>>();
}

QDBusArgument& operator<<(QDBusArgument& argument, const PeerRecord& record) {
    argument.beginStructure();
    argument << record.timeMs << record.fields;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, PeerRecord& record) {
    argument.beginStructure();
    argument >> record.timeMs >> record.fields;
    argument.endStructure();
    return argument;
}
