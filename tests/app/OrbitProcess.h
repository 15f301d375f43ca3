#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <functional>

// Runs the orbit executable for a test, with its own bus and runtime folder.
class OrbitProcess : public QProcess {
public:
    // The home folder defaults to the runtime folder, so a test never touches the real one.
    OrbitProcess(const QString& busAddress, const QString& runtimeDir, QString home = QString()) {
        if (home.isEmpty())
            home = runtimeDir;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home);
        env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
        env.insert(QStringLiteral("XDG_PICTURES_DIR"), home + QStringLiteral("/Pictures"));
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("orbit.app.debug=true"));
        setProcessEnvironment(env);
        setProgram(qEnvironmentVariable("ORBIT_BINARY_DIR") + QStringLiteral("/app/orbit"));
        connect(this, &QProcess::readyReadStandardError, this,
                [this] { errors_ += QString::fromUtf8(readAllStandardError()); });
    }
    ~OrbitProcess() override {
        if (state() != QProcess::NotRunning) {
            terminate();
            if (!waitForFinished(3000))
                kill();
            waitForFinished(3000);
        }
    }
    const QString& Errors() const { return errors_; }

private:
    QString errors_;
};

// Spins the event loop until the condition holds or the time is up.
inline bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 10000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}
