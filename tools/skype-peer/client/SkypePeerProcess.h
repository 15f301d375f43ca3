#pragma once

#include "PeerRecord.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QMap>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryFile>
#include <QVariantMap>

#include <functional>
#include <memory>

// Starts the skype-peer executable for a test and drives it through its control interface.
// Use it from one thread (the one that created it). Every call is a short blocking D-Bus call
// to the peer process, which never waits on anyone; failures return false, an empty value or
// an empty list, and LastError() says why.
class SkypePeerProcess : public QObject {
    Q_OBJECT
public:
    struct Entry { // one command a program user sent
        qint64 timeMs = 0;
        QString text;
    };
    struct Traffic { // one text either way: kind ">" command, "<" reply, "!" notification
        qint64 timeMs = 0;
        QString kind;
        QString text;
    };
    struct ChatLine { // a chat message delivered to a scripted user
        qint64 timeMs = 0;
        QString chat;
        QString from;
        QString body;
    };
    struct Transfer { // a file a scripted user received or offered
        qint64 timeMs = 0;
        QString id;
        QString direction; // "in" or "out"
        QString peer;
        QString name;
        QString state;
        int done = 0;
        int total = 0;
        QString path;
    };

    explicit SkypePeerProcess(QObject* parent = nullptr);
    ~SkypePeerProcess() override;
    SkypePeerProcess(const SkypePeerProcess&) = delete;
    SkypePeerProcess& operator=(const SkypePeerProcess&) = delete;

    // The built executable (overridden by the SKYPE_PEER environment variable).
    static QString ExecutablePath();

    // scenario: a JSON file path, or JSON text (anything starting with "{"), written to a
    // temporary file. buses: handle -> bus address of each program user. Returns once the
    // peer owns its names on every bus, or false (with LastError) within timeoutMs.
    bool Start(const QString& scenario, const QMap<QString, QString>& buses, int timeoutMs = 10000,
               const QStringList& extraArguments = {});
    // Asks the peer to quit, then terminates it if it does not.
    void Stop();
    bool IsRunning() const;
    // After Stop: the peer left on its own with status 0 (no crash, no sanitizer report).
    bool StoppedCleanly() const { return stoppedCleanly_; }
    QString LastError() const { return lastError_; }
    // Everything the peer wrote to standard error so far.
    QString ErrorOutput() const { return errorOutput_; }

    // Network
    QStringList Users();
    QString UserInfo(const QString& handle); // JSON object text
    bool SetSkypeVersion(const QString& version);
    bool SetLatency(int ms);

    // Users
    bool SetStatus(const QString& handle, const QString& status);
    bool SetFullName(const QString& handle, const QString& name);
    bool SetDisplayName(const QString& handle, const QString& name);
    bool LogOut(const QString& handle); // "CONNSTATUS LOGGEDOUT", clients detached
    bool LogIn(const QString& handle);

    // Faults
    bool SetAttachMode(const QString& handle, const QString& mode,
                       int delayMs = 0); // accept|refuse|delay
    bool SetReplyDelay(const QString& handle, int ms);
    bool DropBusName(const QString& handle);
    bool RestoreBusName(const QString& handle);
    int AttachedClients(const QString& handle);
    int CutStreams(const QString& handle, const QString& app = QString()); // -1 on failure
    bool DropWrites(const QString& handle, int count);
    bool DuplicateWrites(const QString& handle, int count);
    int SendGarbage(const QString& handle, int count); // texts sent, -1 on failure
    bool SendRaw(const QString& handle, const QString& text);
    // The reply to the handle's next command starting with commandPrefix is followed at once
    // by `text` as a notification.
    bool NotifyAfterReply(const QString& handle, const QString& commandPrefix, const QString& text);

    // Calls (returned ids are empty on failure)
    QString IncomingCall(const QString& to, const QString& from);
    QString IncomingConference(const QString& to, const QString& host, const QStringList& others);
    QString IncomingPstnCall(const QString& to, const QString& number);
    // A status word of the call list, or "VIDEO_SEND_STATUS=word" / "VIDEO_RECEIVE_STATUS=word".
    bool SetCallStatus(const QString& callId, const QString& status);
    bool EndCall(const QString& callId); // the remote side hangs up
    QString CallProperty(const QString& callId, const QString& property);

    // Chats
    QString TypeMessage(const QString& from, const QString& to, const QString& body);
    QList<ChatLine> ChatLog(const QString& handle, int from = 0);

    // Logs
    QList<Entry> CommandLog(const QString& handle, int from = 0);
    QList<Traffic> TrafficLog(const QString& handle, int from = 0);
    bool ClearLogs(const QString& handle);
    // Waits until a command starting with prefix is in the log at or after index from;
    // returns its index or -1.
    int WaitForCommand(const QString& handle, const QString& prefix, int timeoutMs = 5000,
                       int from = 0);

    // Scripted photo-application users
    QString ReceiveFolder(const QString& handle);
    bool SetReceiveMode(const QString& handle, const QString& mode, int count = 0);
    bool SetAckDelay(const QString& handle, int ms);
    bool SetReceiveTimeout(const QString& handle, int ms);
    // options: name, resolution, pictureSize, cancelAfter, ackTimeoutMs, connectTimeoutMs.
    QString OfferFile(const QString& from, const QString& to, const QString& path,
                      const QVariantMap& options = {});
    bool CancelOffer(const QString& offerId);
    QList<Transfer> Transfers(const QString& handle);
    // Waits until the transfer with this id (an offer id, or "" for the latest of the user)
    // is in one of the given states; returns it, or a Transfer with an empty id.
    Transfer WaitForTransfer(const QString& handle, const QString& id, const QStringList& states,
                             int timeoutMs = 10000);

    // Runs the event loop until condition() holds or timeoutMs passed; true if it held.
    static bool WaitUntil(const std::function<bool()>& condition, int timeoutMs);

private:
    QDBusMessage Call(const QString& method, const QVariantList& arguments);
    bool CallOk(const QString& method, const QVariantList& arguments);
    QString CallString(const QString& method, const QVariantList& arguments);
    int CallInt(const QString& method, const QVariantList& arguments, int failure);
    QList<PeerRecord> CallRecords(const QString& method, const QVariantList& arguments);

    QProcess process_;
    std::unique_ptr<QTemporaryFile> scenarioFile_;
    QString connectionName_;
    QString lastError_;
    QString errorOutput_;
    QByteArray output_;
    bool ready_ = false;
    bool stoppedCleanly_ = false;
};
