#include "Ap2ApDriverProcess.h"

QString Ap2ApDriverProcess::ExecutablePath() {
    const QString env = qEnvironmentVariable("ORBIT_AP2AP_DRIVER");
    return env.isEmpty() ? QStringLiteral(ORBIT_AP2AP_DRIVER) : env;
}

bool Ap2ApDriverProcess::Start(const QString& busAddress, const QString& receiveFolder,
                               const QStringList& extraArguments, int timeoutMs) {
    if (!StartProcess(ExecutablePath(), QStringList{QStringLiteral("--bus"), busAddress,
                                                    QStringLiteral("--folder"), receiveFolder} +
                                            extraArguments))
        return false;
    const int ready =
        WaitForLine([](const QStringList& f) { return f.value(0) == u"ready"; }, timeoutMs);
    if (ready < 0)
        return false;
    handle_ = Lines()[ready].value(1);
    return true;
}

qint64 Ap2ApDriverProcess::Send(const QString& contact, const QString& path,
                                const QString& resolution, const QString& size) {
    const int from = LineCount();
    Command({QStringLiteral("send"), contact, path, resolution, size});
    const int at = WaitForLine(
        [&](const QStringList& f) { return f.value(0) == u"queued" && f.value(2) == path; }, 10000,
        from);
    return at < 0 ? -1 : Lines()[at].value(1).toLongLong();
}

bool Ap2ApDriverProcess::Cancel(std::uint32_t id) {
    const int from = LineCount();
    const QString text = QString::number(id);
    Command({QStringLiteral("cancel"), text});
    const int at = WaitForLine(
        [&](const QStringList& f) { return f.value(0) == u"cancel" && f.value(1) == text; }, 10000,
        from);
    return at >= 0 && Lines()[at].value(2) == u"1";
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
    return at < 0 ? QStringList() : Lines()[at];
}

QStringList Ap2ApDriverProcess::ReportsOf(std::uint32_t id) const {
    const QString text = QString::number(id);
    QStringList out;
    for (const QStringList& f : Lines()) {
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
    return at < 0 ? 0 : Lines()[at].value(1).toUInt();
}
