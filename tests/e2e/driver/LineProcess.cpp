#include "LineProcess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

LineProcess::~LineProcess() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

bool LineProcess::StartProcess(const QString& program, const QStringList& arguments) {
    lines_.clear();
    pending_.clear();
    disconnect(&process_, nullptr, this, nullptr);
    connect(&process_, &QProcess::readyReadStandardOutput, this, &LineProcess::ReadOutput);
    connect(&process_, &QProcess::readyReadStandardError, this, [this] {
        const QByteArray text = process_.readAllStandardError();
        errors_ += QString::fromUtf8(text);
        std::fwrite(text.constData(), 1, text.size(), stderr);
    });
    process_.start(program, arguments);
    return process_.waitForStarted(5000);
}

bool LineProcess::Quit(int timeoutMs) {
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

void LineProcess::Command(const QStringList& fields) {
    process_.write((fields.join(u'\t') + u'\n').toUtf8());
    process_.waitForBytesWritten(1000);
}

int LineProcess::WaitForLine(const std::function<bool(const QStringList&)>& match, int timeoutMs,
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

void LineProcess::ReadOutput() {
    pending_ += process_.readAllStandardOutput();
    qsizetype end = 0;
    while ((end = pending_.indexOf('\n')) >= 0) {
        lines_.append(QString::fromUtf8(pending_.left(end)).split(u'\t'));
        pending_.remove(0, end + 1);
    }
}
