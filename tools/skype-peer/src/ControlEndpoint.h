#pragma once

#include "PeerRecord.h"

#include <QDBusContext>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

class PeerHost;

// The control interface local.skypepeer.Control at /SkypePeer, served on every bus of the
// peer under the name local.skypepeer. Every method acts on the one network, whichever bus
// it was called on; a bad argument gives the D-Bus error local.skypepeer.Error.
class ControlEndpoint : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "local.skypepeer.Control")
public:
    explicit ControlEndpoint(PeerHost& host, QObject* parent = nullptr);

public Q_SLOTS:
    Q_SCRIPTABLE QStringList Users();
    Q_SCRIPTABLE QString UserInfo(const QString& handle);
    Q_SCRIPTABLE void SetSkypeVersion(const QString& version);
    Q_SCRIPTABLE void SetLatency(int ms);
    Q_SCRIPTABLE void Quit();

    Q_SCRIPTABLE void SetStatus(const QString& handle, const QString& status);
    Q_SCRIPTABLE void SetFullName(const QString& handle, const QString& name);
    Q_SCRIPTABLE void SetDisplayName(const QString& handle, const QString& name);
    Q_SCRIPTABLE void LogOut(const QString& handle);
    Q_SCRIPTABLE void LogIn(const QString& handle);

    Q_SCRIPTABLE void SetAttachMode(const QString& handle, const QString& mode, int delayMs);
    Q_SCRIPTABLE void SetReplyDelay(const QString& handle, int ms);
    Q_SCRIPTABLE void DropBusName(const QString& handle);
    Q_SCRIPTABLE void RestoreBusName(const QString& handle);
    Q_SCRIPTABLE int AttachedClients(const QString& handle);
    Q_SCRIPTABLE int CutStreams(const QString& handle, const QString& app);
    Q_SCRIPTABLE void DropWrites(const QString& handle, int count);
    Q_SCRIPTABLE void DuplicateWrites(const QString& handle, int count);
    Q_SCRIPTABLE int SendGarbage(const QString& handle, int count);
    Q_SCRIPTABLE void SendRaw(const QString& handle, const QString& text);
    Q_SCRIPTABLE void NotifyAfterReply(const QString& handle, const QString& commandPrefix,
                                       const QString& text);

    Q_SCRIPTABLE QString IncomingCall(const QString& to, const QString& from);
    Q_SCRIPTABLE QString IncomingConference(const QString& to, const QString& host,
                                            const QStringList& others);
    Q_SCRIPTABLE QString IncomingPstnCall(const QString& to, const QString& number);
    Q_SCRIPTABLE void SetCallStatus(const QString& callId, const QString& status);
    Q_SCRIPTABLE void EndCall(const QString& callId);
    Q_SCRIPTABLE QString CallProperty(const QString& callId, const QString& property);

    Q_SCRIPTABLE QString TypeMessage(const QString& from, const QString& to, const QString& body);
    Q_SCRIPTABLE QList<PeerRecord> ChatLog(const QString& handle, int from);

    Q_SCRIPTABLE QList<PeerRecord> CommandLog(const QString& handle, int from);
    Q_SCRIPTABLE QList<PeerRecord> TrafficLog(const QString& handle, int from);
    Q_SCRIPTABLE void ClearLogs(const QString& handle);

    Q_SCRIPTABLE QString ReceiveFolder(const QString& handle);
    Q_SCRIPTABLE void SetReceiveMode(const QString& handle, const QString& mode, int count);
    Q_SCRIPTABLE void SetAckDelay(const QString& handle, int ms);
    Q_SCRIPTABLE void SetReceiveTimeout(const QString& handle, int ms);
    Q_SCRIPTABLE QString OfferFile(const QString& from, const QString& to, const QString& path,
                                   const QVariantMap& options);
    Q_SCRIPTABLE void CancelOffer(const QString& offerId);
    Q_SCRIPTABLE QList<PeerRecord> Transfers(const QString& handle);

private:
    bool Check(bool ok, const QString& error);
    class ApiEndpoint* Endpoint(const QString& handle);
    class ScriptedPhotoApp* Photo(const QString& handle);

    PeerHost& host_;
};
