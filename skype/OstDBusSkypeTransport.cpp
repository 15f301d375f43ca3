#include "OstDBusSkypeTransport.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QSet>

namespace {
const QString kSkypeService = QStringLiteral("com.Skype.API");
const QString kSkypePath = QStringLiteral("/com/Skype");
const QString kSkypeInterface = QStringLiteral("com.Skype.API");
const QString kClientPath = QStringLiteral("/com/Skype/Client");

QDBusMessage InvokeMessage(const QString& service, const QString& text) {
    QDBusMessage msg =
        QDBusMessage::createMethodCall(service, kSkypePath, kSkypeInterface, QStringLiteral("Invoke"));
    msg << text;
    // Never start a Skype through bus activation: an absent Skype is simply not found.
    msg.setAutoStartService(false);
    return msg;
}
} // namespace

OstDBusSkypeTransport::OstDBusSkypeTransport(QDBusConnection connection, int callTimeoutMs,
                                             QObject* parent)
    : OstSkypeTransport(parent), connection_(std::move(connection)),
      callTimeoutMs_(callTimeoutMs) {
    registered_ = connection_.registerObject(kClientPath, this, QDBusConnection::ExportScriptableSlots);
    watcher_ = new QDBusServiceWatcher(this);
    watcher_->setConnection(connection_);
    watcher_->setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
    connect(watcher_, &QDBusServiceWatcher::serviceUnregistered, this, [this](const QString& name) {
        if (IsPeer(name))
            emit linkLost();
    });
}

OstDBusSkypeTransport::~OstDBusSkypeTransport() {
    if (registered_)
        connection_.unregisterObject(kClientPath);
}

void OstDBusSkypeTransport::RequestAttach(const QString& clientName) {
    // One request at a time: a Skype that is slow to answer must not collect a queue of them.
    // No question to the connection first: that takes a lock its thread holds while it reads
    // a burst of replies. A call on a dead connection simply fails like an absent Skype.
    if (attachPending_)
        return;
    attachPending_ = true;
    auto* watch = new QDBusPendingCallWatcher(
        connection_.asyncCall(InvokeMessage(kSkypeService, QStringLiteral("NAME ") + clientName),
                              callTimeoutMs_),
        this);
    connect(watch, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        attachPending_ = false;
        const QDBusMessage reply = w->reply();
        if (reply.type() != QDBusMessage::ReplyMessage) {
            earlyTexts_.clear();
            return; // no Skype on the bus: discovery simply goes on
        }
        const QString answer = reply.arguments().value(0).toString();
        OnAttachReply(reply.service(), answer);
    });
}

void OstDBusSkypeTransport::OnAttachReply(const QString& peer, const QString& answer) {
    std::deque<std::pair<QString, QString>> early;
    early.swap(earlyTexts_);
    if (answer != u"OK") {
        emit attachAnswered(1);
        return;
    }
    {
        std::lock_guard guard(peerLock_);
        if (!peer_.isEmpty())
            watcher_->removeWatchedService(peer_);
        peer_ = peer;
    }
    watcher_->addWatchedService(peer);
    emit attachAnswered(0);
    // What Skype said right after "OK" (who the user is, the user's status) comes next, in
    // the order it was sent.
    for (const auto& [sender, text] : early) {
        if (IsPeer(sender))
            emit textReceived(text);
    }
}

bool OstDBusSkypeTransport::Send(const QString& text) {
    QString peer;
    {
        std::lock_guard guard(peerLock_);
        peer = peer_;
    }
    if (peer.isEmpty())
        return false;
    // Addressed to the unique name that accepted the attach, so a Skype that restarted under
    // the same well-known name is a lost link, as a closed window was. The reply goes to
    // slots of this object: Qt's connection thread posts it to the UI thread the moment it
    // reads it, exactly as it posts an incoming Notify, so both keep the order of the bus.
    // A message the connection refuses outright (it is gone) is a lost link as well.
    return connection_.callWithCallback(InvokeMessage(peer, text), this,
                                        SLOT(OnInvokeReply(QDBusMessage)),
                                        SLOT(OnInvokeError(QDBusError, QDBusMessage)),
                                        callTimeoutMs_);
}

bool OstDBusSkypeTransport::IsPeer(const QString& name) const {
    std::lock_guard guard(peerLock_);
    return !peer_.isEmpty() && name == peer_;
}

void OstDBusSkypeTransport::OnInvokeReply(const QDBusMessage& reply) {
    if (!IsPeer(reply.service()))
        return; // the answer of a Skype this program no longer talks to
    emit textReceived(reply.arguments().value(0).toString());
    emit commandSettled();
}

OstDBusSkypeTransport::Failure OstDBusSkypeTransport::Classify(const QString& errorName) {
    // The other end is not there (anymore), or what is there is no Skype or cannot be talked
    // to: nothing sent to it will ever be answered.
    static const QSet<QString> kGone = {
        QStringLiteral("org.freedesktop.DBus.Error.ServiceUnknown"),
        QStringLiteral("org.freedesktop.DBus.Error.NameHasNoOwner"),
        QStringLiteral("org.freedesktop.DBus.Error.Disconnected"),
        QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"),
        QStringLiteral("org.freedesktop.DBus.Error.UnknownObject"),
        QStringLiteral("org.freedesktop.DBus.Error.UnknownInterface"),
        QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"),
        QStringLiteral("org.freedesktop.DBus.Error.AccessDenied"),
    };
    // The bus (or the library under it) turned the call down before it left for Skype.
    static const QSet<QString> kRefused = {
        QStringLiteral("org.freedesktop.DBus.Error.LimitsExceeded"),
        QStringLiteral("org.freedesktop.DBus.Error.NoMemory"),
    };
    if (kGone.contains(errorName))
        return Failure::Gone;
    if (kRefused.contains(errorName))
        return Failure::Refused;
    return Failure::Unanswered;
}

void OstDBusSkypeTransport::OnInvokeError(const QDBusError& error, const QDBusMessage& sent) {
    // Only a command sent to the attached Skype counts; errors of commands sent to an earlier
    // Skype arrive after that link was already given up.
    if (!IsPeer(sent.service()))
        return;
    switch (Classify(error.name())) {
    case Failure::Gone:
        emit linkLost();
        break;
    case Failure::Refused:
        emit commandRefused(sent.arguments().value(0).toString());
        break;
    case Failure::Unanswered:
        // A slow or troubled Skype that is still on the bus: the answer is lost, the link is
        // not (a Skype that leaves the bus is noticed by the watcher).
        qWarning("Skype left a command unanswered (%s): %s", qPrintable(error.name()),
                 qPrintable(sent.arguments().value(0).toString().left(80)));
        emit commandSettled();
        break;
    }
}

void OstDBusSkypeTransport::Detach() {
    std::lock_guard guard(peerLock_);
    if (!peer_.isEmpty())
        watcher_->removeWatchedService(peer_);
    peer_.clear();
}

void OstDBusSkypeTransport::Notify(const QString& text) {
    const QString sender = message().service();
    if (!IsPeer(sender)) {
        // A bounded few, so a stranger cannot fill the memory while an answer is awaited.
        constexpr std::size_t kMaxEarlyTexts = 64;
        if (attachPending_ && earlyTexts_.size() < kMaxEarlyTexts)
            earlyTexts_.emplace_back(sender, text);
        return; // only the attached Skype may feed the program
    }
    emit textReceived(text);
}
