#pragma once

#include "PeerUserLink.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <deque>

class PeerNetwork;

// The desktop API on one user's bus: owns com.Skype.API, serves /com/Skype Invoke(s) -> s,
// and calls Notify(s) on /com/Skype/Client of every attached program without waiting for it.
// Replies and unasked texts leave through one queue, so a text caused by a command always
// follows that command's reply, also when replies are delayed. It has a bus connection of its
// own: giving the name up and taking it again is a Skype that went away and started anew,
// under a new unique name, as a real restart would be.
class ApiEndpoint : public QObject, protected QDBusContext, public PeerUserLink {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.Skype.API")
public:
    ApiEndpoint(PeerNetwork& network, QString handle, QString address, QObject* parent = nullptr);
    ~ApiEndpoint() override;

    // Connects, registers /com/Skype and, when this user's Skype runs, the well-known name.
    bool Publish(QString* error);
    // Takes the name; after a ReleaseName on a fresh connection, so the old unique name is gone.
    bool OwnName(QString* error);
    // Gives the name up and refuses every call: the program's next command fails.
    void ReleaseName();
    bool OwnsName() const { return ownsName_; }

    bool SetAttachMode(const QString& mode, int delayMs, QString* error);
    void SetReplyDelay(int ms) { replyDelayMs_ = qMax(0, ms); }
    int ClientCount() const { return int(clients_.size()); }
    QStringList Clients() const { return clients_; }

    void Notify(const QString& text) override;
    // The reply to the next command that starts with commandPrefix is followed by `text` as a
    // notification in the same pass of the event loop, with nothing of the peer in between.
    bool NotifyAfterReply(const QString& commandPrefix, const QString& text, QString* error);
    int Protocol() const override { return protocol_; }
    void DetachAll() override;

public Q_SLOTS:
    Q_SCRIPTABLE QString Invoke(const QString& command);

private:
    struct Outgoing {
        quint64 sequence = 0;
        QString connection;
        qint64 due = 0;
        bool reply = false;
        // Sent right after this reply, without the usual pause.
        QString follower;
        // Taken out of the queue when its turn comes and sent alone this much later, so the
        // texts behind it are not held back with it.
        int holdMs = 0;
        bool ready = true;
        QDBusMessage request;
        QString text;
        QStringList targets;
    };

    bool Connect(QString* error);
    QDBusConnection Connection() const { return QDBusConnection(connectionName_); }
    QString Answer(const QString& client, const QString& command, quint64 sequence);
    void Attach(const QString& client);
    void ClientGone(const QString& client);
    void Enqueue(Outgoing item);
    void Drain();
    void Hold(Outgoing item);
    void SendNotify(const QString& text, const QStringList& targets);

    PeerNetwork& network_;
    QString handle_;
    QString address_;
    QString connectionName_;
    int generation_ = 0;
    bool released_ = false;
    QDBusServiceWatcher watcher_;
    QStringList clients_;
    std::deque<Outgoing> outbox_;
    quint64 nextSequence_ = 1;
    QElapsedTimer clock_;
    QTimer drainTimer_;
    int protocol_ = 1;
    bool ownsName_ = false;
    QString attachMode_;
    int attachDelayMs_ = 0;
    int replyDelayMs_ = 0;
    int handleDelayMs_ = 0;
    // Counts detaches, so a text held back for a client is dropped once it has detached.
    quint64 detachRound_ = 0;
    QString followPrefix_;
    QString followText_;
};
