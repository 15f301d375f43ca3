#pragma once

#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <functional>

// A test driver process that takes tab-separated commands on standard input and answers with
// tab-separated lines on standard output. Waits run the caller's event loop, so the Skype
// stand-in and other drivers go on meanwhile; what the process writes to standard error is
// kept and echoed.
class LineProcess : public QObject {
    Q_OBJECT
public:
    LineProcess() = default;
    ~LineProcess() override;

    void Command(const QStringList& fields);
    // Index of the first line at or after from that matches, or -1 after timeoutMs or once
    // the process has ended.
    int WaitForLine(const std::function<bool(const QStringList&)>& match, int timeoutMs,
                    int from = 0);
    // Sends "quit" and waits for the end; true for a clean exit (status 0: no crash, no
    // sanitizer report).
    bool Quit(int timeoutMs = 30000);
    bool IsRunning() const { return process_.state() != QProcess::NotRunning; }
    // The running process's id, for reading its figures in /proc; 0 when none runs.
    qint64 ProcessId() const { return process_.processId(); }

    const QList<QStringList>& Lines() const { return lines_; }
    int LineCount() const { return int(lines_.size()); }
    QString ErrorOutput() const { return errors_; }

protected:
    // Starts the program with the output connected; false when it could not start.
    bool StartProcess(const QString& program, const QStringList& arguments);
    QProcess process_;

private:
    void ReadOutput();

    QByteArray pending_;
    QList<QStringList> lines_;
    QString errors_;
};
