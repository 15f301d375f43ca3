#include "Ap2ApDriverProcess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <cstdio>

Ap2ApDriverProcess::~Ap2ApDriverProcess() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

QString Ap2ApDriverProcess::ExecutablePath() {
    const QString env = qEnvironmentVariable("ORBIT_AP2AP_DRIVER");
    return env.isEmpty() ? QStringLiteral(ORBIT_AP2AP_DRIVER) : env;
}

bool Ap2ApDriverProcess::Start(const QString& busAddress, const QString& receiveFolder,
                               const QStringList& extraArguments, int timeoutMs) {
    connect(&process_, &QProcess::readyReadStandardOutput, this, &Ap2ApDriverProcess::ReadOutput);
    connect(&process_, &QProcess::readyReadStandardError, this, [this] {
        const QByteArray text = process_.readAllStandardError();
        errors_ += QString::fromUtf8(text);
        std::fwrite(text.constData(), 1, text.size(), stderr);
    });
    process_.start(ExecutablePath(), QStringList{QStringLiteral("--bus"), busAddress,
                                                 QStringLiteral("--folder"), receiveFolder} +
                                         extraArguments);
    if (!process_.waitForStarted(5000))
        return false;
    const int ready =
        WaitForLine([](const QStringList& f) { return f.value(0) == u"ready"; }, timeoutMs);
    if (ready < 0)
        return false;
    handle_ = lines_[ready].value(1);
    return true;
}

bool Ap2ApDriverProcess::Quit(int timeoutMs) {
    if (process_.state() == QProcess::NotRunning)
        return process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
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

void Ap2ApDriverProcess::Command(const QStringList& fields) {
    process_.write((fields.join(u'\t') + u'\n').toUtf8());
    process_.waitForBytesWritten(1000);
}

qint64 Ap2ApDriverProcess::Send(const QString& contact, const QString& path,
                                const QString& resolution, const QString& size) {
    const int from = int(lines_.size());
    Command({QStringLiteral("send"), contact, path, resolution, size});
    const int at = WaitForLine(
        [&](const QStringList& f) { return f.value(0) == u"queued" && f.value(2) == path; }, 10000,
        from);
    return at < 0 ? -1 : lines_[at].value(1).toLongLong();
}

bool Ap2ApDriverProcess::Cancel(std::uint32_t id) {
    const int from = int(lines_.size());
    const QString text = QString::number(id);
    Command({QStringLiteral("cancel"), text});
    const int at = WaitForLine(
        [&](const QStringList& f) { return f.value(0) == u"cancel" && f.value(1) == text; }, 10000,
        from);
    return at >= 0 && lines_[at].value(2) == u"1";
}

int Ap2ApDriverProcess::WaitForLine(const std::function<bool(const QStringList&)>& match,
                                    int timeoutMs, int from) {
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
        QThread::msleep(1);
    }
}

QStringList Ap2ApDriverProcess::WaitForReport(std::uint32_t id, const QList<int>& statuses,
                                              int timeoutMs) {
    const QString text = QString::number(id);
    const int at = WaitForLine(
        [&](const QStringList& f) {
            return f.value(0) == u"report" && f.value(1) == text &&
                   statuses.contains(f.value(2).toInt());
        },
        timeoutMs);
    return at < 0 ? QStringList() : lines_[at];
}

QStringList Ap2ApDriverProcess::ReportsOf(std::uint32_t id) const {
    const QString text = QString::number(id);
    QStringList out;
    for (const QStringList& f : lines_) {
        if (f.value(0) != u"report" || f.value(1) != text)
            continue;
        if (f.value(2) == u"8")
            out.append(QStringLiteral("8 %1 %2 %3").arg(f.value(4), f.value(5), f.value(6)));
        else
            out.append(
                QStringLiteral("%1 %2 %3/%4").arg(f.value(2), f.value(4), f.value(5), f.value(6)));
    }
    return out;
}

std::uint32_t Ap2ApDriverProcess::IncomingId(const QString& name, int timeoutMs, int from) {
    const int at = WaitForLine(
        [&](const QStringList& f) {
            return f.value(0) == u"report" && f.value(2) == u"8" && f.value(4) == name;
        },
        timeoutMs, from);
    return at < 0 ? 0 : lines_[at].value(1).toUInt();
}

void Ap2ApDriverProcess::ReadOutput() {
    pending_ += process_.readAllStandardOutput();
    qsizetype end = 0;
    while ((end = pending_.indexOf('\n')) >= 0) {
        lines_.append(QString::fromUtf8(pending_.left(end)).split(u'\t'));
        pending_.remove(0, end + 1);
    }
}
