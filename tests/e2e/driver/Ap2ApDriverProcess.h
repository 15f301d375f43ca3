#pragma once

#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

// Runs one orbit_ap2ap_driver process and reads its tab-separated lines. Waits run the
// caller's event loop, so the peer and the other driver go on meanwhile.
class Ap2ApDriverProcess : public QObject {
    Q_OBJECT
public:
    Ap2ApDriverProcess() = default;
    ~Ap2ApDriverProcess() override;

    static QString ExecutablePath();

    // Starts the driver on the bus and waits for its transfer object ("ready").
    bool Start(const QString& busAddress, const QString& receiveFolder,
               const QStringList& extraArguments = {}, int timeoutMs = 15000);
    // Sends "quit" and waits for a clean exit (status 0: no crash, no sanitizer report).
    bool Quit(int timeoutMs = 30000);

    void Command(const QStringList& fields);
    // The id SendFile gave, 0 for a refused queueing, or -1 when no answer came.
    qint64 Send(const QString& contact, const QString& path, const QString& resolution = "640x480",
                const QString& size = "1.00KB");
    bool Cancel(std::uint32_t id);

    // Index of the first line at or after from that matches, or -1 after timeoutMs.
    int WaitForLine(const std::function<bool(const QStringList&)>& match, int timeoutMs,
                    int from = 0);
    // Waits for a report of the transfer with one of the statuses; returns its fields.
    QStringList WaitForReport(std::uint32_t id, const QList<int>& statuses, int timeoutMs);
    // Reports of one transfer as "status name done/total" ("8 name resolution size").
    QStringList ReportsOf(std::uint32_t id) const;
    // The id of the first announcement (status 8) of name at or after line from, 0 if none.
    std::uint32_t IncomingId(const QString& name, int timeoutMs, int from = 0);

    const QList<QStringList>& Lines() const { return lines_; }
    QString ErrorOutput() const { return errors_; }
    QString Handle() const { return handle_; }

private:
    void ReadOutput();

    QProcess process_;
    QByteArray pending_;
    QList<QStringList> lines_;
    QString errors_;
    QString handle_;
};
