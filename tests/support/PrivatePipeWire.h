#pragma once

#include "PrivateBus.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QDeadlineTimer>
#include <QThread>

// A PipeWire daemon and its session manager of the caller's own, in a runtime folder of its own
// and with a session bus of their own; the process's XDG_RUNTIME_DIR points there meanwhile.
class PrivatePipeWire {
public:
    bool Start() {
        if (QStandardPaths::findExecutable(u"pipewire"_qs).isEmpty() ||
            QStandardPaths::findExecutable(u"wireplumber"_qs).isEmpty() || !runtime_.isValid())
            return false;
        QFile::setPermissions(runtime_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        runtimeBefore_ = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime_.path()));
        qunsetenv("PIPEWIRE_REMOTE");
        // WirePlumber wants a session bus; the program's own bus is not to be shared.
        if (!bus_.IsValid())
            return false;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_qs, bus_.Address());
        for (QProcess* process : {&daemon_, &manager_}) {
            process->setProcessEnvironment(environment);
            process->setStandardOutputFile(QProcess::nullDevice());
            process->setStandardErrorFile(QProcess::nullDevice());
        }
        daemon_.start(u"pipewire"_qs, {});
        const QDeadlineTimer deadline(10000);
        while (!QFile::exists(runtime_.filePath(u"pipewire-0"_qs))) {
            if (deadline.hasExpired())
                return false;
            QThread::msleep(20);
        }
        manager_.start(u"wireplumber"_qs, {});
        return manager_.waitForStarted();
    }
    ~PrivatePipeWire() {
        for (QProcess* process : {&manager_, &daemon_}) {
            process->terminate();
            if (!process->waitForFinished(3000))
                process->kill();
        }
        if (runtimeBefore_.isNull())
            qunsetenv("XDG_RUNTIME_DIR");
        else
            qputenv("XDG_RUNTIME_DIR", runtimeBefore_);
    }
    // The node names PipeWire has now.
    bool HasNode(const QString& name) const {
        QProcess dump;
        dump.start(u"pw-dump"_qs, {});
        dump.waitForFinished(5000);
        return dump.readAllStandardOutput().contains("\"node.name\": \"" + name.toUtf8() + '"');
    }

private:
    QTemporaryDir runtime_;
    PrivateBus bus_;
    QByteArray runtimeBefore_;
    QProcess daemon_;
    QProcess manager_;
};

