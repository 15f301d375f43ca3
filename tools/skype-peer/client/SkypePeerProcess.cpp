#include "SkypePeerProcess.h"

#include "PeerRecord.h"
#include "SkypePeerNames.h"

#include <QDBusArgument>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QTimer>

#include <atomic>
#include <cstdio>

using namespace SkypePeerNames;

namespace {

constexpr int kCallTimeoutMs = 5000;

std::atomic<int> connectionCounter{0};

} // namespace

SkypePeerProcess::SkypePeerProcess(QObject* parent) : QObject(parent) {
    PeerRecord::RegisterDBusTypes();
    connect(&process_, &QProcess::readyReadStandardOutput, this,
            [this] { output_ += process_.readAllStandardOutput(); });
    connect(&process_, &QProcess::readyReadStandardError, this, [this] {
        const QByteArray chunk = process_.readAllStandardError();
        errorOutput_ += QString::fromLocal8Bit(chunk);
        // Shown as it comes, so a failing test carries the peer's own words.
        std::fwrite(chunk.constData(), 1, size_t(chunk.size()), stderr);
    });
}

SkypePeerProcess::~SkypePeerProcess() {
    Stop();
}

QString SkypePeerProcess::ExecutablePath() {
    const QString overridden = qEnvironmentVariable("SKYPE_PEER");
    if (!overridden.isEmpty())
        return overridden;
    return QStringLiteral(SKYPE_PEER_EXECUTABLE);
}

bool SkypePeerProcess::WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

bool SkypePeerProcess::Start(const QString& scenario, const QMap<QString, QString>& buses,
                             int timeoutMs, const QStringList& extraArguments) {
    Stop();
    stoppedCleanly_ = false;
    lastError_.clear();
    errorOutput_.clear();
    output_.clear();
    QString path = scenario;
    if (scenario.trimmed().startsWith(QLatin1Char('{'))) {
        scenarioFile_ = std::make_unique<QTemporaryFile>(QDir::tempPath() +
                                                         QStringLiteral("/skype-peer-XXXXXX.json"));
        if (!scenarioFile_->open() || scenarioFile_->write(scenario.toUtf8()) < 0 ||
            !scenarioFile_->flush()) {
            lastError_ = QStringLiteral("cannot write the scenario to a temporary file");
            return false;
        }
        path = scenarioFile_->fileName();
    }
    QStringList arguments{QStringLiteral("--scenario"), path};
    for (auto it = buses.begin(); it != buses.end(); ++it)
        arguments << QStringLiteral("--bus") << it.key() + QLatin1Char('=') + it.value();
    arguments << extraArguments;
    // Lets a failing test show the whole traffic without being rebuilt.
    if (qEnvironmentVariableIsSet("SKYPE_PEER_TRACE"))
        arguments << QStringLiteral("--trace");
    process_.start(ExecutablePath(), arguments);
    if (!process_.waitForStarted(timeoutMs)) {
        lastError_ =
            QStringLiteral("cannot start %1: %2").arg(ExecutablePath(), process_.errorString());
        return false;
    }
    const QByteArray ready = QByteArray(kReadyLine) + '\n';
    if (!WaitUntil([&] { return output_.contains(ready) || process_.state() != QProcess::Running; },
                   timeoutMs) ||
        !output_.contains(ready)) {
        lastError_ = QStringLiteral("skype-peer did not get ready: %1").arg(errorOutput_.trimmed());
        Stop();
        return false;
    }
    // Control goes over a connection of its own, apart from any the test acts as a program on.
    QString controlAddress;
    for (auto it = buses.begin(); it != buses.end(); ++it)
        controlAddress = controlAddress.isEmpty() ? it.value() : controlAddress;
    const int at = extraArguments.indexOf(QStringLiteral("--control-bus"));
    if (controlAddress.isEmpty() && at >= 0)
        controlAddress = extraArguments.value(at + 1);
    if (controlAddress.isEmpty()) {
        lastError_ = QStringLiteral("no bus to reach the peer's control interface on");
        Stop();
        return false;
    }
    connectionName_ = QStringLiteral("skype-peer-control-%1").arg(++connectionCounter);
    QDBusConnection connection =
        controlAddress == QLatin1String("session")
            ? QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName_)
            : QDBusConnection::connectToBus(controlAddress, connectionName_);
    if (!connection.isConnected()) {
        lastError_ = QStringLiteral("cannot reach the control bus: %1")
                         .arg(connection.lastError().message());
        Stop();
        return false;
    }
    ready_ = true;
    return true;
}

void SkypePeerProcess::Stop() {
    bool asked = false;
    if (ready_ && process_.state() == QProcess::Running)
        asked = Call(QStringLiteral("Quit"), {}).type() == QDBusMessage::ReplyMessage;
    ready_ = false;
    if (process_.state() != QProcess::NotRunning) {
        const bool quit = process_.waitForFinished(3000);
        stoppedCleanly_ = asked && quit && process_.exitStatus() == QProcess::NormalExit &&
                          process_.exitCode() == 0;
        if (!quit) {
            process_.terminate();
            if (!process_.waitForFinished(3000)) {
                process_.kill();
                process_.waitForFinished(3000);
            }
        }
    }
    if (!connectionName_.isEmpty()) {
        QDBusConnection::disconnectFromBus(connectionName_);
        connectionName_.clear();
    }
    if (process_.isOpen())
        errorOutput_ += QString::fromLocal8Bit(process_.readAllStandardError());
    scenarioFile_.reset();
}

bool SkypePeerProcess::IsRunning() const {
    return ready_ && process_.state() == QProcess::Running;
}

QDBusMessage SkypePeerProcess::Call(const QString& method, const QVariantList& arguments) {
    if (!ready_) {
        lastError_ = QStringLiteral("skype-peer is not running");
        return QDBusMessage::createError(QLatin1String(kControlError), lastError_);
    }
    QDBusMessage message =
        QDBusMessage::createMethodCall(QLatin1String(kControlService), QLatin1String(kControlPath),
                                       QLatin1String(kControlInterface), method);
    message.setArguments(arguments);
    const QDBusMessage reply =
        QDBusConnection(connectionName_).call(message, QDBus::Block, kCallTimeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage)
        lastError_ = method + QStringLiteral(": ") + reply.errorMessage();
    return reply;
}

bool SkypePeerProcess::CallOk(const QString& method, const QVariantList& arguments) {
    return Call(method, arguments).type() == QDBusMessage::ReplyMessage;
}

QString SkypePeerProcess::CallString(const QString& method, const QVariantList& arguments) {
    const QDBusMessage reply = Call(method, arguments);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    return reply.arguments().first().toString();
}

int SkypePeerProcess::CallInt(const QString& method, const QVariantList& arguments, int failure) {
    const QDBusMessage reply = Call(method, arguments);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return failure;
    return reply.arguments().first().toInt();
}

QList<PeerRecord> SkypePeerProcess::CallRecords(const QString& method,
                                                const QVariantList& arguments) {
    const QDBusMessage reply = Call(method, arguments);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    QList<PeerRecord> records;
    reply.arguments().first().value<QDBusArgument>() >> records;
    return records;
}

QStringList SkypePeerProcess::Users() {
    const QDBusMessage reply = Call(QStringLiteral("Users"), {});
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()
               ? reply.arguments().first().toStringList()
               : QStringList();
}

QString SkypePeerProcess::UserInfo(const QString& handle) {
    return CallString(QStringLiteral("UserInfo"), {handle});
}

bool SkypePeerProcess::SetSkypeVersion(const QString& version) {
    return CallOk(QStringLiteral("SetSkypeVersion"), {version});
}

bool SkypePeerProcess::SetLatency(int ms) {
    return CallOk(QStringLiteral("SetLatency"), {ms});
}

bool SkypePeerProcess::SetStatus(const QString& handle, const QString& status) {
    return CallOk(QStringLiteral("SetStatus"), {handle, status});
}

bool SkypePeerProcess::SetFullName(const QString& handle, const QString& name) {
    return CallOk(QStringLiteral("SetFullName"), {handle, name});
}

bool SkypePeerProcess::SetDisplayName(const QString& handle, const QString& name) {
    return CallOk(QStringLiteral("SetDisplayName"), {handle, name});
}

bool SkypePeerProcess::LogOut(const QString& handle) {
    return CallOk(QStringLiteral("LogOut"), {handle});
}

bool SkypePeerProcess::LogIn(const QString& handle) {
    return CallOk(QStringLiteral("LogIn"), {handle});
}

bool SkypePeerProcess::SetAttachMode(const QString& handle, const QString& mode, int delayMs) {
    return CallOk(QStringLiteral("SetAttachMode"), {handle, mode, delayMs});
}

bool SkypePeerProcess::SetReplyDelay(const QString& handle, int ms) {
    return CallOk(QStringLiteral("SetReplyDelay"), {handle, ms});
}

bool SkypePeerProcess::DropBusName(const QString& handle) {
    return CallOk(QStringLiteral("DropBusName"), {handle});
}

bool SkypePeerProcess::RestoreBusName(const QString& handle) {
    return CallOk(QStringLiteral("RestoreBusName"), {handle});
}

int SkypePeerProcess::AttachedClients(const QString& handle) {
    return CallInt(QStringLiteral("AttachedClients"), {handle}, -1);
}

int SkypePeerProcess::CutStreams(const QString& handle, const QString& app) {
    return CallInt(QStringLiteral("CutStreams"), {handle, app}, -1);
}

bool SkypePeerProcess::DropWrites(const QString& handle, int count) {
    return CallOk(QStringLiteral("DropWrites"), {handle, count});
}

bool SkypePeerProcess::DuplicateWrites(const QString& handle, int count) {
    return CallOk(QStringLiteral("DuplicateWrites"), {handle, count});
}

int SkypePeerProcess::SendGarbage(const QString& handle, int count) {
    return CallInt(QStringLiteral("SendGarbage"), {handle, count}, -1);
}

bool SkypePeerProcess::SendRaw(const QString& handle, const QString& text) {
    return CallOk(QStringLiteral("SendRaw"), {handle, text});
}

bool SkypePeerProcess::NotifyAfterReply(const QString& handle, const QString& commandPrefix,
                                        const QString& text) {
    return CallOk(QStringLiteral("NotifyAfterReply"), {handle, commandPrefix, text});
}

QString SkypePeerProcess::IncomingCall(const QString& to, const QString& from) {
    return CallString(QStringLiteral("IncomingCall"), {to, from});
}

QString SkypePeerProcess::IncomingConference(const QString& to, const QString& host,
                                             const QStringList& others) {
    return CallString(QStringLiteral("IncomingConference"), {to, host, others});
}

QString SkypePeerProcess::IncomingPstnCall(const QString& to, const QString& number) {
    return CallString(QStringLiteral("IncomingPstnCall"), {to, number});
}

bool SkypePeerProcess::SetCallStatus(const QString& callId, const QString& status) {
    return CallOk(QStringLiteral("SetCallStatus"), {callId, status});
}

bool SkypePeerProcess::EndCall(const QString& callId) {
    return CallOk(QStringLiteral("EndCall"), {callId});
}

QString SkypePeerProcess::CallProperty(const QString& callId, const QString& property) {
    return CallString(QStringLiteral("CallProperty"), {callId, property});
}

QString SkypePeerProcess::TypeMessage(const QString& from, const QString& to, const QString& body) {
    return CallString(QStringLiteral("TypeMessage"), {from, to, body});
}

QList<SkypePeerProcess::ChatLine> SkypePeerProcess::ChatLog(const QString& handle, int from) {
    QList<ChatLine> lines;
    for (const PeerRecord& record : CallRecords(QStringLiteral("ChatLog"), {handle, from}))
        lines.append({record.timeMs, record.fields.value(0), record.fields.value(1),
                      record.fields.value(2)});
    return lines;
}

QList<SkypePeerProcess::Entry> SkypePeerProcess::CommandLog(const QString& handle, int from) {
    QList<Entry> entries;
    for (const PeerRecord& record : CallRecords(QStringLiteral("CommandLog"), {handle, from}))
        entries.append({record.timeMs, record.fields.value(0)});
    return entries;
}

QList<SkypePeerProcess::Traffic> SkypePeerProcess::TrafficLog(const QString& handle, int from) {
    QList<Traffic> entries;
    for (const PeerRecord& record : CallRecords(QStringLiteral("TrafficLog"), {handle, from}))
        entries.append({record.timeMs, record.fields.value(0), record.fields.value(1)});
    return entries;
}

bool SkypePeerProcess::ClearLogs(const QString& handle) {
    return CallOk(QStringLiteral("ClearLogs"), {handle});
}

int SkypePeerProcess::WaitForCommand(const QString& handle, const QString& prefix, int timeoutMs,
                                     int from) {
    int found = -1;
    int seen = qMax(0, from);
    WaitUntil(
        [&] {
            const QList<Entry> entries = CommandLog(handle, seen);
            for (qsizetype i = 0; i < entries.size(); ++i) {
                if (entries[i].text.startsWith(prefix)) {
                    found = seen + int(i);
                    return true;
                }
            }
            seen += int(entries.size());
            return !IsRunning();
        },
        timeoutMs);
    return found;
}

QString SkypePeerProcess::ReceiveFolder(const QString& handle) {
    return CallString(QStringLiteral("ReceiveFolder"), {handle});
}

bool SkypePeerProcess::SetReceiveMode(const QString& handle, const QString& mode, int count) {
    return CallOk(QStringLiteral("SetReceiveMode"), {handle, mode, count});
}

bool SkypePeerProcess::SetAckDelay(const QString& handle, int ms) {
    return CallOk(QStringLiteral("SetAckDelay"), {handle, ms});
}

bool SkypePeerProcess::SetReceiveTimeout(const QString& handle, int ms) {
    return CallOk(QStringLiteral("SetReceiveTimeout"), {handle, ms});
}

QString SkypePeerProcess::OfferFile(const QString& from, const QString& to, const QString& path,
                                    const QVariantMap& options) {
    return CallString(QStringLiteral("OfferFile"), {from, to, path, options});
}

bool SkypePeerProcess::CancelOffer(const QString& offerId) {
    return CallOk(QStringLiteral("CancelOffer"), {offerId});
}

QList<SkypePeerProcess::Transfer> SkypePeerProcess::Transfers(const QString& handle) {
    QList<Transfer> transfers;
    for (const PeerRecord& record : CallRecords(QStringLiteral("Transfers"), {handle})) {
        const QStringList& f = record.fields;
        transfers.append({record.timeMs, f.value(0), f.value(1), f.value(2), f.value(3), f.value(4),
                          f.value(5).toInt(), f.value(6).toInt(), f.value(7)});
    }
    return transfers;
}

SkypePeerProcess::Transfer SkypePeerProcess::WaitForTransfer(const QString& handle,
                                                             const QString& id,
                                                             const QStringList& states,
                                                             int timeoutMs) {
    Transfer result;
    WaitUntil(
        [&] {
            const QList<Transfer> all = Transfers(handle);
            for (auto it = all.rbegin(); it != all.rend(); ++it) {
                if (!id.isEmpty() && it->id != id)
                    continue;
                if (states.contains(it->state)) {
                    result = *it;
                    return true;
                }
                if (id.isEmpty())
                    break;
            }
            return !IsRunning();
        },
        timeoutMs);
    return result;
}
