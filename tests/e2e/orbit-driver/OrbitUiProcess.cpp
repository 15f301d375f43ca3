#include "OrbitUiProcess.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcessEnvironment>
#include <QThread>

QString OrbitUiProcess::ExecutablePath() {
    const QString env = qEnvironmentVariable("ORBIT_UI_DRIVER");
    return env.isEmpty() ? QStringLiteral(ORBIT_UI_DRIVER) : env;
}

bool OrbitUiProcess::Start(const QString& busAddress, const QString& home,
                           const QStringList& arguments, int timeoutMs) {
    home_ = home;
    const QString runtime = home + QStringLiteral("/runtime");
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QDir().mkpath(home + QStringLiteral("/Pictures"));

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
    env.insert(QStringLiteral("XDG_PICTURES_DIR"), home + QStringLiteral("/Pictures"));
    env.insert(QStringLiteral("ORBIT_SIMULATED_CAMERA"), QStringLiteral("always"));
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process_.setProcessEnvironment(env);

    if (!StartProcess(ExecutablePath(), arguments))
        return false;
    return WaitForLine([](const QStringList& f) { return f.value(0) == u"ready"; }, timeoutMs) >= 0;
}

bool OrbitUiProcess::Do(const QStringList& fields, int timeoutMs) {
    const int from = LineCount();
    Command(fields);
    const int at = WaitForLine(
        [&](const QStringList& f) {
            return (f.value(0) == u"done" || f.value(0) == u"error") && f.value(1) == fields.value(0);
        },
        timeoutMs, from);
    return at >= 0 && Lines()[at].value(0) == u"done";
}

QStringList OrbitUiProcess::Query(const QStringList& fields, const QString& answer) {
    const int from = LineCount();
    Command(fields);
    const int at = WaitForLine(
        [&](const QStringList& f) {
            return (f.value(0) == answer && f.value(1) == fields.value(1)) ||
                   (f.value(0) == u"error" && f.value(1) == fields.value(0));
        },
        10000, from);
    return at < 0 || Lines()[at].value(0) == u"error" ? QStringList() : Lines()[at];
}

double OrbitUiProcess::MemoryKb(Memory figure) {
    const int from = LineCount();
    Command({QStringLiteral("memory")});
    const int at = WaitForLine([](const QStringList& f) { return f.value(0) == u"memory"; }, 10000, from);
    return at < 0 ? 0 : Lines()[at].value(int(figure)).toDouble();
}

QString OrbitUiProcess::Text(const QString& widget) {
    return Query({QStringLiteral("text"), widget}, QStringLiteral("text")).value(2);
}

bool OrbitUiProcess::Visible(const QString& widget) {
    return Query({QStringLiteral("state"), widget}, QStringLiteral("state")).value(2) == u"1";
}

bool OrbitUiProcess::Checked(const QString& widget) {
    return Query({QStringLiteral("state"), widget}, QStringLiteral("state")).value(4) == u"1";
}

bool OrbitUiProcess::Enabled(const QString& widget) {
    return Query({QStringLiteral("state"), widget}, QStringLiteral("state")).value(3) == u"1";
}

QList<QStringList> OrbitUiProcess::Rows(const QString& list) {
    const int from = LineCount();
    Command({QStringLiteral("rows"), list});
    const int end = WaitForLine(
        [](const QStringList& f) { return f.value(0) == u"rows" || f.value(0) == u"error"; }, 10000,
        from);
    QList<QStringList> rows;
    for (int i = from; i >= 0 && i < end; ++i) {
        if (Lines()[i].value(0) == u"row")
            rows.append(Lines()[i].mid(2));
    }
    return rows;
}

QString OrbitUiProcess::WaitForMessage(const QString& part, int timeoutMs, int from) {
    const int at = WaitForLine(
        [&](const QStringList& f) { return f.value(0) == u"message" && f.value(1).contains(part); },
        timeoutMs, from);
    return at < 0 ? QString() : Lines()[at].value(1);
}

bool OrbitUiProcess::WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs || process_.state() == QProcess::NotRunning)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QThread::msleep(20);
    }
    return true;
}

void OrbitUiProcess::Kill() {
    process_.kill();
    process_.waitForFinished(10000);
}
