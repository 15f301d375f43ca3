#include "ControlEndpoint.h"

#include "ApiEndpoint.h"
#include "PeerGarbage.h"
#include "PeerHost.h"
#include "PeerNetwork.h"
#include "ScriptedPhotoApp.h"
#include "SkypePeerNames.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>

ControlEndpoint::ControlEndpoint(PeerHost& host, QObject* parent) : QObject(parent), host_(host) {}

bool ControlEndpoint::Check(bool ok, const QString& error) {
    if (!ok)
        sendErrorReply(QLatin1String(SkypePeerNames::kControlError), error);
    return ok;
}

ApiEndpoint* ControlEndpoint::Endpoint(const QString& handle) {
    ApiEndpoint* endpoint = host_.Endpoint(handle);
    Check(endpoint != nullptr, QStringLiteral("\"%1\" is not a user served on a bus").arg(handle));
    return endpoint;
}

ScriptedPhotoApp* ControlEndpoint::Photo(const QString& handle) {
    ScriptedPhotoApp* photo = host_.Network().PhotoApp(handle);
    Check(
        photo != nullptr,
        QStringLiteral("\"%1\" is not a scripted user running the photo application").arg(handle));
    return photo;
}

QStringList ControlEndpoint::Users() {
    return host_.Network().Handles();
}

QString ControlEndpoint::UserInfo(const QString& handle) {
    const PeerUser* user = host_.Network().User(handle);
    if (!Check(user != nullptr, QStringLiteral("no user \"%1\"").arg(handle)))
        return {};
    QJsonObject info{{"handle", user->handle},
                     {"fullName", user->fullName},
                     {"displayName", user->displayName},
                     {"status", user->status},
                     {"visibleStatus", user->VisibleStatus()},
                     {"loggedIn", user->loggedIn},
                     {"friends", QJsonArray::fromStringList(user->friends)},
                     {"program", user->IsProgram()},
                     {"photoApp", user->photoApp}};
    if (ApiEndpoint* endpoint = host_.Endpoint(handle)) {
        info.insert(QStringLiteral("ownsName"), endpoint->OwnsName());
        info.insert(QStringLiteral("clients"), QJsonArray::fromStringList(endpoint->Clients()));
    }
    if (ScriptedPhotoApp* photo = host_.Network().PhotoApp(handle))
        info.insert(QStringLiteral("receiveFolder"), photo->Folder());
    return QString::fromUtf8(QJsonDocument(info).toJson(QJsonDocument::Compact));
}

void ControlEndpoint::SetSkypeVersion(const QString& version) {
    if (Check(!version.isEmpty() && !version.contains(QLatin1Char(' ')),
              QStringLiteral("a version is one word")))
        host_.Network().SetSkypeVersion(version);
}

void ControlEndpoint::SetLatency(int ms) {
    host_.Network().SetLatency(qMax(0, ms));
}

void ControlEndpoint::Quit() {
    // Reply first, then leave the event loop.
    QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
}

void ControlEndpoint::SetStatus(const QString& handle, const QString& status) {
    QString error;
    Check(host_.Network().SetStatus(handle, status, &error), error);
}

void ControlEndpoint::SetFullName(const QString& handle, const QString& name) {
    QString error;
    Check(host_.Network().SetFullName(handle, name, &error), error);
}

void ControlEndpoint::SetDisplayName(const QString& handle, const QString& name) {
    QString error;
    Check(host_.Network().SetDisplayName(handle, name, &error), error);
}

void ControlEndpoint::LogOut(const QString& handle) {
    QString error;
    Check(host_.Network().LogOut(handle, &error), error);
}

void ControlEndpoint::LogIn(const QString& handle) {
    QString error;
    Check(host_.Network().LogIn(handle, &error), error);
}

void ControlEndpoint::SetAttachMode(const QString& handle, const QString& mode, int delayMs) {
    QString error;
    if (ApiEndpoint* endpoint = Endpoint(handle))
        Check(endpoint->SetAttachMode(mode, delayMs, &error), error);
}

void ControlEndpoint::SetReplyDelay(const QString& handle, int ms) {
    if (ApiEndpoint* endpoint = Endpoint(handle))
        endpoint->SetReplyDelay(ms);
}

void ControlEndpoint::DropBusName(const QString& handle) {
    if (ApiEndpoint* endpoint = Endpoint(handle))
        endpoint->ReleaseName();
}

void ControlEndpoint::RestoreBusName(const QString& handle) {
    QString error;
    if (ApiEndpoint* endpoint = Endpoint(handle))
        Check(endpoint->OwnName(&error), error);
}

int ControlEndpoint::AttachedClients(const QString& handle) {
    ApiEndpoint* endpoint = Endpoint(handle);
    return endpoint ? endpoint->ClientCount() : 0;
}

int ControlEndpoint::CutStreams(const QString& handle, const QString& app) {
    QString error;
    int count = 0;
    Check(host_.Network().CutStreams(handle, app, &count, &error), error);
    return count;
}

void ControlEndpoint::DropWrites(const QString& handle, int count) {
    QString error;
    Check(host_.Network().DropWrites(handle, count, &error), error);
}

void ControlEndpoint::DuplicateWrites(const QString& handle, int count) {
    QString error;
    Check(host_.Network().DuplicateWrites(handle, count, &error), error);
}

int ControlEndpoint::SendGarbage(const QString& handle, int count) {
    ApiEndpoint* endpoint = Endpoint(handle);
    if (!endpoint || endpoint->ClientCount() == 0)
        return 0;
    for (int i = 0; i < count; ++i)
        endpoint->Notify(PeerGarbage::At(i));
    return qMax(0, count);
}

void ControlEndpoint::SendRaw(const QString& handle, const QString& text) {
    if (ApiEndpoint* endpoint = Endpoint(handle))
        endpoint->Notify(text);
}

void ControlEndpoint::NotifyAfterReply(const QString& handle, const QString& commandPrefix,
                                       const QString& text) {
    QString error;
    if (ApiEndpoint* endpoint = Endpoint(handle))
        Check(endpoint->NotifyAfterReply(commandPrefix, text, &error), error);
}

QString ControlEndpoint::IncomingCall(const QString& to, const QString& from) {
    QString id;
    QString error;
    Check(host_.Network().IncomingCall(to, from, &id, &error), error);
    return id;
}

QString ControlEndpoint::IncomingConference(const QString& to, const QString& host,
                                            const QStringList& others) {
    QString id;
    QString error;
    Check(host_.Network().IncomingConference(to, host, others, &id, &error), error);
    return id;
}

QString ControlEndpoint::IncomingPstnCall(const QString& to, const QString& number) {
    QString id;
    QString error;
    Check(host_.Network().IncomingPstnCall(to, number, &id, &error), error);
    return id;
}

void ControlEndpoint::SetCallStatus(const QString& callId, const QString& status) {
    QString error;
    Check(host_.Network().SetCallStatus(callId, status, &error), error);
}

void ControlEndpoint::EndCall(const QString& callId) {
    QString error;
    Check(host_.Network().EndCall(callId, &error), error);
}

QString ControlEndpoint::CallProperty(const QString& callId, const QString& property) {
    QString value;
    QString error;
    Check(host_.Network().CallProperty(callId, property, &value, &error), error);
    return value;
}

QString ControlEndpoint::TypeMessage(const QString& from, const QString& to, const QString& body) {
    QString id;
    QString error;
    Check(host_.Network().TypeMessage(from, to, body, &id, &error), error);
    return id;
}

QList<PeerRecord> ControlEndpoint::ChatLog(const QString& handle, int from) {
    return host_.Network().ChatLog(handle, from);
}

QList<PeerRecord> ControlEndpoint::CommandLog(const QString& handle, int from) {
    return host_.Network().CommandLog(handle, from);
}

QList<PeerRecord> ControlEndpoint::TrafficLog(const QString& handle, int from) {
    return host_.Network().TrafficLog(handle, from);
}

void ControlEndpoint::ClearLogs(const QString& handle) {
    host_.Network().ClearLogs(handle);
}

QString ControlEndpoint::ReceiveFolder(const QString& handle) {
    ScriptedPhotoApp* photo = Photo(handle);
    return photo ? photo->Folder() : QString();
}

void ControlEndpoint::SetReceiveMode(const QString& handle, const QString& mode, int count) {
    QString error;
    if (ScriptedPhotoApp* photo = Photo(handle))
        Check(photo->SetReceiveMode(mode, count, &error), error);
}

void ControlEndpoint::SetAckDelay(const QString& handle, int ms) {
    if (ScriptedPhotoApp* photo = Photo(handle))
        photo->SetAckDelay(ms);
}

void ControlEndpoint::SetReceiveTimeout(const QString& handle, int ms) {
    if (ScriptedPhotoApp* photo = Photo(handle))
        photo->SetReceiveTimeout(ms);
}

QString ControlEndpoint::OfferFile(const QString& from, const QString& to, const QString& path,
                                   const QVariantMap& options) {
    QString id;
    QString error;
    if (ScriptedPhotoApp* photo = Photo(from))
        Check(photo->Offer(to, path, options, &id, &error), error);
    return id;
}

void ControlEndpoint::CancelOffer(const QString& offerId) {
    QString error;
    if (ScriptedPhotoApp* photo = Photo(offerId.section(QLatin1Char('#'), 0, 0)))
        Check(photo->CancelOffer(offerId, &error), error);
}

QList<PeerRecord> ControlEndpoint::Transfers(const QString& handle) {
    ScriptedPhotoApp* photo = Photo(handle);
    return photo ? photo->Transfers() : QList<PeerRecord>();
}
