#include "ApiEndpoint.h"

#include "PeerCommand.h"
#include "PeerNetwork.h"
#include "SkypePeerNames.h"

#include <QDBusConnectionInterface>

#include <utility>

using namespace SkypePeerNames;

ApiEndpoint::ApiEndpoint(PeerNetwork& network, QString handle, QString address, QObject* parent)
    : QObject(parent), network_(network), handle_(std::move(handle)), address_(std::move(address)) {
    const PeerUser* user = network_.User(handle_);
    if (user) {
        attachMode_ = user->attachMode;
        attachDelayMs_ = user->attachDelayMs;
        replyDelayMs_ = user->replyDelayMs;
        handleDelayMs_ = user->handleDelayMs;
    }
    clock_.start();
    drainTimer_.setSingleShot(true);
    connect(&drainTimer_, &QTimer::timeout, this, &ApiEndpoint::Drain);
    watcher_.setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
    connect(&watcher_, &QDBusServiceWatcher::serviceUnregistered, this, &ApiEndpoint::ClientGone);
    network_.SetLink(handle_, this);
}

ApiEndpoint::~ApiEndpoint() {
    network_.SetLink(handle_, nullptr);
    if (!connectionName_.isEmpty()) {
        QDBusConnection connection = Connection();
        connection.unregisterObject(QLatin1String(kApiPath));
        if (ownsName_)
            connection.interface()->unregisterService(QLatin1String(kApiService));
        QDBusConnection::disconnectFromBus(connectionName_);
    }
}

bool ApiEndpoint::Connect(QString* error) {
    const QString previous = connectionName_;
    connectionName_ = QStringLiteral("skype-peer-api-%1-%2").arg(handle_).arg(++generation_);
    QDBusConnection connection =
        address_ == QLatin1String("session")
            ? QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName_)
            : QDBusConnection::connectToBus(address_, connectionName_);
    if (!previous.isEmpty()) {
        QDBusConnection(previous).unregisterObject(QLatin1String(kApiPath));
        QDBusConnection::disconnectFromBus(previous);
    }
    if (!connection.isConnected() || connection.baseService().isEmpty()) {
        *error = QStringLiteral("%1: cannot connect to bus %2: %3")
                     .arg(handle_, address_, connection.lastError().message());
        return false;
    }
    watcher_.setConnection(connection);
    if (!connection.registerObject(QLatin1String(kApiPath), this,
                                   QDBusConnection::ExportScriptableSlots)) {
        *error = QStringLiteral("%1: cannot register %2").arg(handle_, QLatin1String(kApiPath));
        return false;
    }
    return true;
}

bool ApiEndpoint::Publish(QString* error) {
    if (!Connect(error))
        return false;
    const PeerUser* user = network_.User(handle_);
    if (user && user->skypeRunning)
        return OwnName(error);
    return true;
}

bool ApiEndpoint::OwnName(QString* error) {
    if (ownsName_)
        return true;
    if (released_ && !Connect(error))
        return false;
    released_ = false;
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
        Connection().interface()->registerService(QLatin1String(kApiService),
                                                  QDBusConnectionInterface::DontQueueService,
                                                  QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid() || reply.value() != QDBusConnectionInterface::ServiceRegistered) {
        *error = QStringLiteral("%1: cannot own %2 on its bus (is another Skype there?) %3")
                     .arg(handle_, QLatin1String(kApiService), reply.error().message());
        return false;
    }
    ownsName_ = true;
    return true;
}

void ApiEndpoint::ReleaseName() {
    if (!ownsName_)
        return;
    Connection().interface()->unregisterService(QLatin1String(kApiService));
    ownsName_ = false;
    released_ = true;
    DetachAll();
    network_.ClientsGone(handle_);
}

bool ApiEndpoint::SetAttachMode(const QString& mode, int delayMs, QString* error) {
    if (mode != QLatin1String("accept") && mode != QLatin1String("refuse") &&
        mode != QLatin1String("delay")) {
        *error = QStringLiteral("attach mode must be accept, refuse or delay");
        return false;
    }
    attachMode_ = mode;
    attachDelayMs_ = qMax(0, delayMs);
    return true;
}

QString ApiEndpoint::Invoke(const QString& command) {
    setDelayedReply(true);
    const QDBusMessage request = message();
    if (!ownsName_) {
        // Reached through the unique name after the well-known one was given up.
        connection().send(request.createErrorReply(QDBusError::ServiceUnknown,
                                                   QStringLiteral("Skype is not running")));
        return {};
    }
    network_.Log(handle_, QStringLiteral(">"), command);
    Outgoing placeholder;
    placeholder.sequence = nextSequence_++;
    placeholder.due = clock_.elapsed() + replyDelayMs_;
    placeholder.reply = true;
    placeholder.ready = false;
    placeholder.request = request;
    placeholder.connection = connectionName_;
    const quint64 sequence = placeholder.sequence;
    if (!followPrefix_.isEmpty() && command.startsWith(followPrefix_)) {
        placeholder.follower = followText_;
        followPrefix_.clear();
        followText_.clear();
    }
    outbox_.push_back(placeholder);
    const QString reply = Answer(request.service(), command, sequence);
    for (Outgoing& item : outbox_) {
        if (item.sequence == sequence) {
            item.text = reply;
            item.ready = true;
        }
    }
    Drain();
    return {};
}

QString ApiEndpoint::Answer(const QString& client, const QString& command, quint64 sequence) {
    const PeerCommand parsed(command);
    if (parsed.Is(0, "NAME")) {
        if (parsed.Count() < 2)
            return QStringLiteral("ERROR 1 GENERAL SYNTAX ERROR");
        const PeerUser* user = network_.User(handle_);
        if (!user || !user->loggedIn)
            return QStringLiteral("CONNSTATUS LOGGEDOUT");
        if (attachMode_ == QLatin1String("refuse"))
            return QStringLiteral("ERROR 68 Access denied");
        if (attachMode_ == QLatin1String("delay")) {
            for (Outgoing& item : outbox_) {
                if (item.sequence == sequence)
                    item.due = clock_.elapsed() + attachDelayMs_;
            }
        }
        Attach(client);
        for (const QString& text : {QStringLiteral("CURRENTUSERHANDLE ") + handle_,
                                    QStringLiteral("USERSTATUS ") + user->status}) {
            const bool isHandle = text.startsWith(u"CURRENTUSERHANDLE ");
            if (isHandle && handleDelayMs_ < 0)
                continue;
            Outgoing item;
            item.sequence = nextSequence_++;
            item.text = text;
            item.targets = {client};
            if (isHandle)
                item.holdMs = handleDelayMs_;
            Enqueue(item);
        }
        return QStringLiteral("OK");
    }
    if (!clients_.contains(client))
        return QStringLiteral("ERROR 68 Access denied");
    if (parsed.Is(0, "PROTOCOL")) {
        bool numeric = false;
        const int asked = parsed.Token(1).toInt(&numeric);
        if (!numeric || parsed.Count() != 2 || asked < 1)
            return QStringLiteral("ERROR 1 GENERAL SYNTAX ERROR");
        protocol_ = qMin(asked, 8);
        return QStringLiteral("PROTOCOL ") + QString::number(protocol_);
    }
    return network_.Execute(handle_, command);
}

void ApiEndpoint::Attach(const QString& client) {
    if (clients_.contains(client))
        return;
    clients_.append(client);
    watcher_.addWatchedService(client);
    // The client may already have gone between its call and this point.
    if (!Connection().interface()->isServiceRegistered(client))
        ClientGone(client);
}

void ApiEndpoint::ClientGone(const QString& client) {
    if (!clients_.removeOne(client))
        return;
    ++detachRound_;
    watcher_.removeWatchedService(client);
    if (clients_.isEmpty())
        network_.ClientsGone(handle_);
}

void ApiEndpoint::DetachAll() {
    ++detachRound_;
    for (const QString& client : clients_)
        watcher_.removeWatchedService(client);
    clients_.clear();
}

void ApiEndpoint::Notify(const QString& text) {
    if (clients_.isEmpty())
        return;
    Outgoing item;
    item.sequence = nextSequence_++;
    item.text = text;
    item.targets = clients_;
    Enqueue(item);
}

bool ApiEndpoint::NotifyAfterReply(const QString& commandPrefix, const QString& text,
                                   QString* error) {
    if (commandPrefix.isEmpty() || text.isEmpty()) {
        *error = QStringLiteral("NotifyAfterReply wants a command prefix and a text");
        return false;
    }
    followPrefix_ = commandPrefix;
    followText_ = text;
    return true;
}

void ApiEndpoint::Enqueue(Outgoing item) {
    if (item.due == 0)
        item.due = clock_.elapsed();
    outbox_.push_back(std::move(item));
    Drain();
}

void ApiEndpoint::SendNotify(const QString& text, const QStringList& targets) {
    network_.Log(handle_, QStringLiteral("!"), text);
    for (const QString& target : targets) {
        QDBusMessage call = QDBusMessage::createMethodCall(target, QLatin1String(kClientPath),
                                                           QLatin1String(kClientInterface),
                                                           QStringLiteral("Notify"));
        call << text;
        call.setAutoStartService(false);
        // send() marks the call as wanting no reply; nothing here waits on a client.
        Connection().send(call);
    }
}

void ApiEndpoint::Hold(Outgoing item) {
    const quint64 round = detachRound_;
    const int holdMs = std::exchange(item.holdMs, 0);
    QTimer::singleShot(holdMs, this, [this, round, item = std::move(item)]() mutable {
        // Clients detached since (a log-out, a restart, a client that left) no longer get it,
        // also when they have attached again.
        if (round != detachRound_)
            return;
        item.targets.removeIf([this](const QString& target) { return !clients_.contains(target); });
        if (item.targets.isEmpty())
            return;
        item.sequence = nextSequence_++;
        item.due = 0;
        Enqueue(std::move(item));
    });
}

void ApiEndpoint::Drain() {
    while (!outbox_.empty()) {
        Outgoing& front = outbox_.front();
        if (!front.ready)
            return;
        const qint64 wait = front.due - clock_.elapsed();
        if (wait > 0) {
            drainTimer_.start(int(wait));
            return;
        }
        if (front.holdMs > 0) {
            Hold(std::move(front));
            outbox_.pop_front();
            continue;
        }
        if (front.reply) {
            network_.Log(handle_, QStringLiteral("<"), front.text);
            // On the connection the command came in on; gone after a restart, and so is the reply.
            QDBusConnection(front.connection).send(front.request.createReply(front.text));
            if (!front.follower.isEmpty())
                SendNotify(front.follower, clients_);
        } else {
            SendNotify(front.text, front.targets);
        }
        const bool wasReply = front.reply;
        outbox_.pop_front();
        // What a command caused goes out from the next pass of the event loop, after the
        // reply has left: a program that hands replies from a worker thread to its UI thread
        // gets the chance to do so first.
        if (wasReply && !outbox_.empty()) {
            drainTimer_.start(0);
            return;
        }
    }
}
