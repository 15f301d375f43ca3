#pragma once

#include <QString>
#include <QStringList>

// A call as its callee (a program user) sees it.
struct PeerCall {
    int id = 0;
    QString owner;
    QString partner;
    QString partnerName;
    QString type = QStringLiteral("INCOMING_P2P");
    QString status = QStringLiteral("RINGING");
    QString videoSend = QStringLiteral("AVAILABLE");
    QString videoReceive = QStringLiteral("AVAILABLE");
    int confId = 0;
    QStringList participants;
    qint64 startSecs = 0;
    qint64 answeredMs = 0;

    bool IsEnded() const;
};
