#pragma once

#include <QMap>
#include <QString>

// One chat message; each member of its chat sees its own status (SENDING, SENT, RECEIVED, READ).
struct PeerMessage {
    int id = 0;
    QString chat;
    QString from;
    QString body;
    qint64 timeSecs = 0;
    QMap<QString, QString> statusOf;
};
