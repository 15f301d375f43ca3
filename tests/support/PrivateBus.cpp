#include "PrivateBus.h"

PrivateBus::PrivateBus() {
    daemon_.setProgram(QStringLiteral("dbus-daemon"));
    daemon_.setArguments({QStringLiteral("--session"), QStringLiteral("--nofork"),
                          QStringLiteral("--print-address=1")});
    daemon_.start();
    if (!daemon_.waitForStarted(5000))
        return;
    while (daemon_.state() == QProcess::Running && !daemon_.canReadLine())
        daemon_.waitForReadyRead(5000);
    address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
}

PrivateBus::~PrivateBus() {
    if (daemon_.state() != QProcess::NotRunning) {
        daemon_.terminate();
        if (!daemon_.waitForFinished(3000)) {
            daemon_.kill();
            daemon_.waitForFinished(3000);
        }
    }
}
