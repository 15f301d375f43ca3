#pragma once

#include <QString>
#include <QStringList>

// One end of an application stream: named after the user at the other end and a number,
// with the writes that arrived on it and were not read yet, one entry per write. When the
// other end closes, what already arrived stays readable: the end lingers, closed and no
// longer listed among the streams, until it is read empty.
struct PeerStream {
    QString name;
    QString peer;
    QString peerStream;
    QStringList unread;
    bool closed = false;
};
