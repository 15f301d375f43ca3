#include "OrbitUiProcess.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcessEnvironment>
#include <QThread>
#include <cstdio>

OrbitUiProcess::~OrbitUiProcess() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

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

    lines_.clear();
    pending_.clear();
    disconnect(&process_, nullptr, this, nullptr);
    connect(&process_, &QProcess::readyReadStandardOutput, this, &OrbitUiProcess::ReadOutput);
    connect(&process_, &QProcess::readyReadStandardError, this, [this] {
        const QByteArray text = process_.readAllStandardError();
        errors_ += QString::fromUtf8(text);
        std::fwrite(text.constData(), 1, text.size(), stderr);
    });
    process_.start(ExecutablePath(), arguments);
    if (!process_.waitForStarted(5000))
        return false;
    return WaitForLine([](const QStringList& f) { return f.value(0) == u"ready"; }, timeoutMs) >= 0;
}

bool OrbitUiProcess::Quit(int timeoutMs) {
    if (process_.state() != QProcess::NotRunning)
        Command({QStringLiteral("quit")});
    QElapsedTimer timer;
    timer.start();
    while (process_.state() != QProcess::NotRunning && timer.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        process_.waitForFinished(10);
    }
    if (process_.state() != QProcess::NotRunning)
        return false;
    ReadOutput();
    return process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
}

void OrbitUiProcess::Command(const QStringList& fields) {
    process_.write((fields.join(u'\t') + u'\n').toUtf8());
    process_.waitForBytesWritten(1000);
}

bool OrbitUiProcess::Do(const QStringList& fields, int timeoutMs) {
    const int from = LineCount();
    Command(fields);
    const int at = WaitForLine(
        [&](const QStringList& f) {
            return (f.value(0) == u"done" || f.value(0) == u"error") && f.value(1) == fields.value(0);
        },
        timeoutMs, from);
    return at >= 0 && lines_[at].value(0) == u"done";
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
    return at < 0 || lines_[at].value(0) == u"error" ? QStringList() : lines_[at];
}

QString OrbitUiProcess::Text(const QString& widget) {
    return Query({QStringLiteral("text"), widget}, QStringLiteral("text")).value(2);
}

bool OrbitUiProcess::Visible(const QString& widget) {
    return Query({QStringLiteral("state"), widget}, QStringLiteral("state")).value(2) == u"1";
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
        if (lines_[i].value(0) == u"row")
            rows.append(lines_[i].mid(2));
    }
    return rows;
}

int OrbitUiProcess::WaitForLine(const std::function<bool(const QStringList&)>& match, int timeoutMs,
                                int from) {
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        for (int i = from; i < lines_.size(); ++i) {
            if (match(lines_[i]))
                return i;
        }
        if (timer.elapsed() > timeoutMs || process_.state() == QProcess::NotRunning)
            return -1;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        process_.waitForReadyRead(5);
        ReadOutput();
    }
}

QString OrbitUiProcess::WaitForMessage(const QString& part, int timeoutMs, int from) {
    const int at = WaitForLine(
        [&](const QStringList& f) { return f.value(0) == u"message" && f.value(1).contains(part); },
        timeoutMs, from);
    return at < 0 ? QString() : lines_[at].value(1);
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

void OrbitUiProcess::ReadOutput() {
    pending_ += process_.readAllStandardOutput();
    qsizetype end = 0;
    while ((end = pending_.indexOf('\n')) >= 0) {
        lines_.append(QString::fromUtf8(pending_.left(end)).split(u'\t'));
        pending_.remove(0, end + 1);
    }
}
