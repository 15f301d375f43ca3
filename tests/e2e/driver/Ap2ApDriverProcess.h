#pragma once

#include "LineProcess.h"

#include <QString>
#include <QStringList>
#include <cstdint>

// Runs one orbit_ap2ap_driver process: the transfer side of one copy of the program.
class Ap2ApDriverProcess : public LineProcess {
    Q_OBJECT
public:
    static QString ExecutablePath();

    // Starts the driver on the bus and waits for its transfer object ("ready").
    bool Start(const QString& busAddress, const QString& receiveFolder,
               const QStringList& extraArguments = {}, int timeoutMs = 15000);

    // The id SendFile gave, 0 for a refused queueing, or -1 when no answer came.
    qint64 Send(const QString& contact, const QString& path, const QString& resolution = "640x480",
                const QString& size = "1.00KB");
    bool Cancel(std::uint32_t id);

    // Waits for a report of the transfer with one of the statuses; returns its fields.
    QStringList WaitForReport(std::uint32_t id, const QList<int>& statuses, int timeoutMs);
    // Reports of one transfer as "status name done/total" ("8 name resolution size").
    QStringList ReportsOf(std::uint32_t id) const;
    // The id of the first announcement (status 8) of name at or after line from, 0 if none.
    std::uint32_t IncomingId(const QString& name, int timeoutMs, int from = 0);

    QString Handle() const { return handle_; }

private:
    QString handle_;
};
