#pragma once

#include "PeerCall.h"
#include "PeerChat.h"
#include "PeerMessage.h"
#include "PeerRecord.h"
#include "PeerStream.h"
#include "PeerUser.h"

#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantMap>

#include <functional>
#include <memory>

class PeerCommand;
class PeerScenario;
class PeerUserLink;
class ScriptedPhotoApp;

// The simulated network: its users, calls, chats and application streams. It answers each
// command a program user sends with the reply text the desktop API gave, and sends the unasked
// texts through each program user's link. Nothing here blocks; work that Skype did "later"
// (a stream being set up, video starting, a message arriving) runs from the event loop after
// the configured latency.
class PeerNetwork : public QObject {
    Q_OBJECT
public:
    explicit PeerNetwork(QObject* parent = nullptr);
    ~PeerNetwork() override;

    bool Load(const PeerScenario& scenario, QString* error);
    void SetTrace(bool on) { trace_ = on; }

    QStringList Handles() const;
    const PeerUser* User(const QString& handle) const;
    QString SkypeVersion() const { return skypeVersion_; }
    void SetSkypeVersion(const QString& version) { skypeVersion_ = version; }
    int Latency() const { return latencyMs_; }
    void SetLatency(int ms) { latencyMs_ = ms; }
    void SetLink(const QString& handle, PeerUserLink* link);

    // A command from an attached program user; returns the reply text.
    QString Execute(const QString& handle, const QString& command);
    // The last program client of a user went away: Skype drops what the client had set up.
    void ClientsGone(const QString& handle);

    void Log(const QString& handle, const QString& kind, const QString& text);
    QList<PeerRecord> CommandLog(const QString& handle, int from) const;
    QList<PeerRecord> TrafficLog(const QString& handle, int from) const;
    QList<PeerRecord> ChatLog(const QString& handle, int from) const;
    void ClearLogs(const QString& handle);

    // Injected events; false with *error set when the arguments do not fit the network.
    bool SetStatus(const QString& handle, const QString& status, QString* error);
    bool SetFullName(const QString& handle, const QString& name, QString* error);
    bool SetDisplayName(const QString& handle, const QString& name, QString* error);
    bool LogOut(const QString& handle, QString* error);
    bool LogIn(const QString& handle, QString* error);
    bool CutStreams(const QString& handle, const QString& app, int* count, QString* error);
    bool DropWrites(const QString& handle, int count, QString* error);
    bool DuplicateWrites(const QString& handle, int count, QString* error);
    bool IncomingCall(const QString& to, const QString& from, QString* id, QString* error);
    bool IncomingConference(const QString& to, const QString& host, const QStringList& others,
                            QString* id, QString* error);
    bool IncomingPstnCall(const QString& to, const QString& number, QString* id, QString* error);
    bool SetCallStatus(const QString& id, const QString& status, QString* error);
    bool EndCall(const QString& id, QString* error);
    bool CallProperty(const QString& id, const QString& property, QString* value,
                      QString* error) const;
    bool TypeMessage(const QString& from, const QString& to, const QString& body, QString* id,
                     QString* error);
    ScriptedPhotoApp* PhotoApp(const QString& handle) const;

    // Application streams; each returns an empty text on success or the error reply.
    QString AppCreate(const QString& user, const QString& app);
    QString AppDelete(const QString& user, const QString& app);
    QString AppConnect(const QString& user, const QString& app, const QString& target);
    QString AppWrite(const QString& user, const QString& app, const QString& stream,
                     const QString& data);
    QString AppRead(const QString& user, const QString& app, const QString& stream, QString* data);
    QString AppDisconnect(const QString& user, const QString& app, const QString& stream);

    // Runs fn from the event loop after the network's latency.
    void Later(std::function<void()> fn);

private:
    struct Application {
        QList<PeerStream> streams;
    };
    using Applications = QMap<QString, Application>;

    PeerUser* FindUser(const QString& handle);
    const PeerUser* FindUser(const QString& handle) const;
    void NotifyUser(const QString& handle, const QString& text);
    void NotifyFriendsOf(const QString& handle, const QString& text);
    QString MessageWord(const QString& handle) const;
    bool RequireUser(const QString& handle, QString* error) const;
    bool RequireProgramUser(const QString& handle, QString* error) const;

    QString HandleGet(PeerUser& me, const PeerCommand& command);
    QString HandleSet(PeerUser& me, const PeerCommand& command);
    QString HandleSearch(PeerUser& me, const PeerCommand& command);
    QString HandleOpen(PeerUser& me, const PeerCommand& command);
    QString GetUser(const PeerUser& me, const PeerCommand& command) const;
    QString SetUserStatus(PeerUser& me, const QString& word);

    // Calls
    PeerCall* FindCall(const PeerUser& me, const QString& id, QString* error, const char* invalid,
                       const char* unknown);
    PeerCall* FindCallById(const QString& id);
    const PeerCall* FindCallById(const QString& id) const;
    QString NewCall(PeerCall call);
    QString GetCall(PeerUser& me, const PeerCommand& command);
    QString SetCall(PeerUser& me, const PeerCommand& command);
    QString AlterCall(PeerUser& me, const PeerCommand& command);
    QString CallValue(const PeerCall& call, const QString& property, const QString& argument,
                      bool* ok) const;
    QString ChangeCallStatus(PeerCall& call, const QString& status, bool notify);
    void StartVideo(PeerCall& call, bool send);
    void StopVideo(PeerCall& call, bool send);
    void EndVideo(PeerCall& call);

    // Chats
    PeerChat* DialogChat(const QString& a, const QString& b, bool create);
    PeerChat* FindChat(const QString& name);
    QString ChatCreate(PeerUser& me, const PeerCommand& command);
    QString GetChat(PeerUser& me, const PeerCommand& command);
    QString PostMessage(const QString& from, PeerChat& chat, const QString& body,
                        bool senderIsProgram);
    QString SendChatMessage(PeerUser& me, const PeerCommand& command);
    QString SendDirectMessage(PeerUser& me, const PeerCommand& command);
    QString GetMessage(PeerUser& me, const PeerCommand& command);
    QString SetMessage(PeerUser& me, const PeerCommand& command);
    void DeliverMessage(int id);

    // Applications
    QString CreateApplication(PeerUser& me, const PeerCommand& command);
    QString DeleteApplication(PeerUser& me, const PeerCommand& command);
    QString AlterApplication(PeerUser& me, const PeerCommand& command);
    QString GetApplication(PeerUser& me, const PeerCommand& command);
    PeerStream* FindStream(const QString& user, const QString& app, const QString& stream);
    QString StreamsText(const QString& user, const QString& app) const;
    QString ReceivedText(const QString& user, const QString& app) const;
    void FinishConnect(const QString& user, const QString& app, const QString& target);
    // keepArrived: what reached the far end stays readable there (an orderly close); a cut
    // stream loses it.
    void RemoveStream(const QString& user, const QString& app, const QString& stream,
                      bool notifyOwner, bool keepArrived = true);
    void DropIfDrained(const QString& user, const QString& app, const QString& stream);
    void RemoveApplications(const QString& user);
    void StreamDataArrived(const QString& user, const QString& app, const QString& stream);
    void DeliverScripted(const QString& user, const QString& app, const QString& stream);

    QString skypeVersion_;
    int latencyMs_ = 0;
    bool trace_ = false;
    QList<PeerUser> users_;
    QMap<QString, PeerUserLink*> links_;
    QMap<QString, ScriptedPhotoApp*> photoApps_;
    std::unique_ptr<QTemporaryDir> scratch_;

    QList<PeerCall> calls_;
    QList<PeerChat> chats_;
    QList<PeerMessage> messages_;
    QMap<QString, Applications> apps_;
    QMap<QString, int> streamCounters_;
    QMap<QString, int> dropWrites_;
    QMap<QString, int> duplicateWrites_;
    int nextCallId_ = 1001;
    int nextMessageId_ = 5001;
    int chatCounter_ = 0;

    QMap<QString, QList<PeerRecord>> commands_;
    QMap<QString, QList<PeerRecord>> traffic_;
    QMap<QString, QList<PeerRecord>> chatLogs_;
};
