#include "PrivateBus.h"

#include <QFile>

namespace {

// Everyone may talk to everyone, as on a session bus; no <limit> element, so every limit
// stays the daemon's own.
bool WriteBareConfig(const QString& path, const QString& socketDir) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QString config =
        QStringLiteral(
            "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
            " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
            "<busconfig>\n"
            "  <type>session</type>\n"
            "  <listen>unix:tmpdir=%1</listen>\n"
            "  <auth>EXTERNAL</auth>\n"
            "  <policy context=\"default\">\n"
            "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
            "    <allow eavesdrop=\"true\"/>\n"
            "    <allow own=\"*\"/>\n"
            "  </policy>\n"
            "</busconfig>\n")
            .arg(socketDir.toHtmlEscaped());
    return file.write(config.toUtf8()) > 0 && file.flush();
}

} // namespace

PrivateBus::PrivateBus(Limits limits) {
    QStringList arguments = {QStringLiteral("--nofork"), QStringLiteral("--print-address=1")};
    if (limits == Limits::DaemonDefaults) {
        configDir_ = std::make_unique<QTemporaryDir>();
        const QString config = configDir_->filePath(QStringLiteral("bus.conf"));
        if (!configDir_->isValid() || !WriteBareConfig(config, configDir_->path()))
            return;
        arguments.prepend(QStringLiteral("--config-file=") + config);
    } else {
        arguments.prepend(QStringLiteral("--session"));
    }
    daemon_.setProgram(QStringLiteral("dbus-daemon"));
    daemon_.setArguments(arguments);
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
