#pragma once

#include <QString>
#include <QStringList>

// A chat between users of the network; a dialog has exactly two members, creator first.
struct PeerChat {
    QString name;
    QStringList members;
    QString status = QStringLiteral("DIALOG");
    qint64 createdSecs = 0;
};
