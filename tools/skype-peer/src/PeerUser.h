#pragma once

#include <QString>
#include <QStringList>

// One account of the simulated network, first as the scenario describes it, then as commands
// and injected events change it.
struct PeerUser {
    QString handle;
    QString fullName;
    QString displayName;
    QString status = QStringLiteral("ONLINE");
    QStringList friends;
    bool loggedIn = true;
    bool muted = false;

    // Set for the users the program runs as: the address of that user's session bus.
    QString bus;
    bool skypeRunning = true;
    QString attachMode = QStringLiteral("accept");
    int attachDelayMs = 0;
    int replyDelayMs = 0;
    // How long after accepting an attach the unasked "CURRENTUSERHANDLE" follows; -1: never.
    int handleDelayMs = 0;

    // Scripted users that run the photo application answer its packets themselves.
    bool photoApp = false;
    QString receiveFolder;
    QString receiveMode = QStringLiteral("accept");
    int receiveCount = 0;
    int ackDelayMs = 0;
    int receiveTimeoutMs = 30000;

    bool IsProgram() const { return !bus.isEmpty(); }
    // What other users see: an invisible or logged-out user looks offline.
    QString VisibleStatus() const;
    bool IsReachable() const;
    QString ShownName() const;
};
