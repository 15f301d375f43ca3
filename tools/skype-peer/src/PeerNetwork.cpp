#include "PeerNetwork.h"

#include "PeerCommand.h"
#include "PeerScenario.h"
#include "PeerUserLink.h"
#include "ScriptedPhotoApp.h"

#include <QDateTime>
#include <QDir>
#include <QTimer>

#include <cstdio>

namespace {

qint64 NowMs() {
    return QDateTime::currentMSecsSinceEpoch();
}

QList<PeerRecord> Slice(const QList<PeerRecord>& list, int from) {
    if (from <= 0)
        return list;
    if (from >= list.size())
        return {};
    return list.mid(from);
}

const char kUnknownCommand[] = "ERROR 2 Unknown command";

} // namespace

PeerNetwork::PeerNetwork(QObject* parent) : QObject(parent) {}

PeerNetwork::~PeerNetwork() = default;

bool PeerNetwork::Load(const PeerScenario& scenario, QString* error) {
    if (!scenario.Validate(error))
        return false;
    skypeVersion_ = scenario.skypeVersion;
    latencyMs_ = scenario.latencyMs;
    users_ = scenario.users;
    for (PeerUser& user : users_) {
        if (!user.photoApp)
            continue;
        if (user.receiveFolder.isEmpty()) {
            if (!scratch_) {
                scratch_ = std::make_unique<QTemporaryDir>(QDir::tempPath() +
                                                           QStringLiteral("/skype-peer-XXXXXX"));
                if (!scratch_->isValid()) {
                    *error = QStringLiteral("cannot create a folder for received files");
                    return false;
                }
            }
            user.receiveFolder = scratch_->path() + QLatin1Char('/') + user.handle;
        }
        user.receiveFolder = QDir::cleanPath(QDir(user.receiveFolder).absolutePath());
        if (!QDir().mkpath(user.receiveFolder)) {
            *error = QStringLiteral("%1: cannot create %2").arg(user.handle, user.receiveFolder);
            return false;
        }
        photoApps_.insert(user.handle, new ScriptedPhotoApp(*this, user, this));
        if (user.loggedIn)
            apps_[user.handle].insert(user.handle, Application());
    }
    return true;
}

QStringList PeerNetwork::Handles() const {
    QStringList handles;
    for (const PeerUser& user : users_)
        handles.append(user.handle);
    return handles;
}

const PeerUser* PeerNetwork::User(const QString& handle) const {
    return FindUser(handle);
}

PeerUser* PeerNetwork::FindUser(const QString& handle) {
    for (PeerUser& user : users_) {
        if (user.handle == handle)
            return &user;
    }
    return nullptr;
}

const PeerUser* PeerNetwork::FindUser(const QString& handle) const {
    for (const PeerUser& user : users_) {
        if (user.handle == handle)
            return &user;
    }
    return nullptr;
}

void PeerNetwork::SetLink(const QString& handle, PeerUserLink* link) {
    if (link)
        links_.insert(handle, link);
    else
        links_.remove(handle);
}

ScriptedPhotoApp* PeerNetwork::PhotoApp(const QString& handle) const {
    return photoApps_.value(handle, nullptr);
}

void PeerNetwork::Later(std::function<void()> fn) {
    QTimer::singleShot(latencyMs_, this, std::move(fn));
}

void PeerNetwork::NotifyUser(const QString& handle, const QString& text) {
    if (PeerUserLink* link = links_.value(handle, nullptr))
        link->Notify(text);
}

void PeerNetwork::NotifyFriendsOf(const QString& handle, const QString& text) {
    for (const PeerUser& user : users_) {
        if (user.IsProgram() && user.handle != handle && user.friends.contains(handle))
            NotifyUser(user.handle, text);
    }
}

QString PeerNetwork::MessageWord(const QString& handle) const {
    const PeerUserLink* link = links_.value(handle, nullptr);
    return link && link->Protocol() >= 3 ? QStringLiteral("CHATMESSAGE")
                                         : QStringLiteral("MESSAGE");
}

bool PeerNetwork::RequireUser(const QString& handle, QString* error) const {
    if (FindUser(handle))
        return true;
    *error = QStringLiteral("no user \"%1\" in the network").arg(handle);
    return false;
}

bool PeerNetwork::RequireProgramUser(const QString& handle, QString* error) const {
    const PeerUser* user = FindUser(handle);
    if (user && user->IsProgram())
        return true;
    *error = QStringLiteral("\"%1\" is not a user served on a bus").arg(handle);
    return false;
}

// ---- logs

void PeerNetwork::Log(const QString& handle, const QString& kind, const QString& text) {
    const qint64 now = NowMs();
    traffic_[handle].append(PeerRecord{now, {kind, text}});
    if (kind == QLatin1String(">"))
        commands_[handle].append(PeerRecord{now, {text}});
    if (trace_) {
        const QString shown = text.size() > 300 ? text.left(300) + QStringLiteral("...") : text;
        std::fprintf(stderr, "skype-peer: %s %s %s\n", qPrintable(handle), qPrintable(kind),
                     shown.toUtf8().constData());
    }
}

QList<PeerRecord> PeerNetwork::CommandLog(const QString& handle, int from) const {
    return Slice(commands_.value(handle), from);
}

QList<PeerRecord> PeerNetwork::TrafficLog(const QString& handle, int from) const {
    return Slice(traffic_.value(handle), from);
}

QList<PeerRecord> PeerNetwork::ChatLog(const QString& handle, int from) const {
    return Slice(chatLogs_.value(handle), from);
}

void PeerNetwork::ClearLogs(const QString& handle) {
    commands_.remove(handle);
    traffic_.remove(handle);
    chatLogs_.remove(handle);
}

// ---- commands

QString PeerNetwork::Execute(const QString& handle, const QString& text) {
    PeerUser* me = FindUser(handle);
    const PeerCommand command(text);
    if (!me || command.Count() == 0)
        return QLatin1String(kUnknownCommand);
    if (command.Is(0, "PING"))
        return QStringLiteral("PONG");
    if (command.Is(0, "GET"))
        return HandleGet(*me, command);
    if (command.Is(0, "SET"))
        return HandleSet(*me, command);
    if (command.Is(0, "SEARCH"))
        return HandleSearch(*me, command);
    if (command.Is(0, "FOCUS") && command.Count() == 1)
        return QStringLiteral("FOCUS");
    if (command.Is(0, "MINIMIZE") && command.Count() == 1)
        return QStringLiteral("MINIMIZE");
    if (command.Is(0, "OPEN"))
        return HandleOpen(*me, command);
    if (command.Is(0, "CHAT") && command.Is(1, "CREATE"))
        return ChatCreate(*me, command);
    if (command.Is(0, "CHATMESSAGE"))
        return SendChatMessage(*me, command);
    if (command.Is(0, "MESSAGE"))
        return SendDirectMessage(*me, command);
    if (command.Is(0, "ALTER") && command.Is(1, "CALL"))
        return AlterCall(*me, command);
    if (command.Is(0, "ALTER") && command.Is(1, "APPLICATION"))
        return AlterApplication(*me, command);
    if (command.Is(0, "CREATE"))
        return CreateApplication(*me, command);
    if (command.Is(0, "DELETE"))
        return DeleteApplication(*me, command);
    return QLatin1String(kUnknownCommand);
}

QString PeerNetwork::HandleGet(PeerUser& me, const PeerCommand& command) {
    if (command.Is(1, "SKYPEVERSION"))
        return QStringLiteral("SKYPEVERSION ") + skypeVersion_;
    if (command.Is(1, "CURRENTUSERHANDLE"))
        return QStringLiteral("CURRENTUSERHANDLE ") + me.handle;
    if (command.Is(1, "USERSTATUS"))
        return QStringLiteral("USERSTATUS ") + me.status;
    if (command.Is(1, "CONNSTATUS"))
        return QStringLiteral("CONNSTATUS ONLINE");
    if (command.Is(1, "MUTE"))
        return me.muted ? QStringLiteral("MUTE ON") : QStringLiteral("MUTE OFF");
    if (command.Is(1, "USER"))
        return GetUser(me, command);
    if (command.Is(1, "CALL"))
        return GetCall(me, command);
    if (command.Is(1, "CHAT"))
        return GetChat(me, command);
    if (command.Is(1, "MESSAGE") || command.Is(1, "CHATMESSAGE"))
        return GetMessage(me, command);
    if (command.Is(1, "APPLICATION"))
        return GetApplication(me, command);
    return QStringLiteral("ERROR 7 GET: invalid WHAT");
}

QString PeerNetwork::GetUser(const PeerUser& me, const PeerCommand& command) const {
    const QString handle = command.Token(2);
    if (!PeerScenario::IsValidHandle(handle))
        return QStringLiteral("ERROR 8 Invalid user handle");
    const QString property = command.Token(3).toUpper();
    const PeerUser* user = FindUser(handle);
    const bool isFriend = me.friends.contains(handle);
    QString value;
    if (property == QLatin1String("HANDLE"))
        value = handle;
    else if (property == QLatin1String("FULLNAME"))
        value = user ? user->fullName : QString();
    else if (property == QLatin1String("DISPLAYNAME"))
        value = user ? user->displayName : QString();
    else if (property == QLatin1String("ONLINESTATUS"))
        value = !user ? QStringLiteral("UNKNOWN") : user == &me ? me.status : user->VisibleStatus();
    else if (property == QLatin1String("BUDDYSTATUS"))
        value = isFriend ? QStringLiteral("3") : QStringLiteral("1");
    else if (property == QLatin1String("ISAUTHORIZED"))
        value = isFriend ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    else if (property == QLatin1String("ISBLOCKED"))
        value = QStringLiteral("FALSE");
    else if (property == QLatin1String("MOOD_TEXT"))
        value = QString();
    else
        return QStringLiteral("ERROR 10 Invalid PROP");
    return QStringLiteral("USER %1 %2 %3").arg(handle, property, value);
}

QString PeerNetwork::HandleSet(PeerUser& me, const PeerCommand& command) {
    if (command.Is(1, "USERSTATUS"))
        return SetUserStatus(me, command.Token(2));
    if (command.Is(1, "MUTE")) {
        if (command.Is(2, "ON") || command.Is(2, "OFF")) {
            me.muted = command.Is(2, "ON");
            return me.muted ? QStringLiteral("MUTE ON") : QStringLiteral("MUTE OFF");
        }
        return QStringLiteral("ERROR 18 SET: invalid WHAT");
    }
    if (command.Is(1, "CALL"))
        return SetCall(me, command);
    if (command.Is(1, "MESSAGE") || command.Is(1, "CHATMESSAGE"))
        return SetMessage(me, command);
    return QStringLiteral("ERROR 18 SET: invalid WHAT");
}

QString PeerNetwork::SetUserStatus(PeerUser& me, const QString& word) {
    if (!PeerScenario::IsUserStatus(word) || word == QLatin1String("UNKNOWN") ||
        word == QLatin1String("SKYPEOUT"))
        return QStringLiteral("ERROR 28 Unknown userstatus");
    const QString before = me.VisibleStatus();
    me.status = word;
    if (me.VisibleStatus() != before)
        NotifyFriendsOf(
            me.handle,
            QStringLiteral("USER %1 ONLINESTATUS %2").arg(me.handle, me.VisibleStatus()));
    return QStringLiteral("USERSTATUS ") + word;
}

QString PeerNetwork::HandleSearch(PeerUser& me, const PeerCommand& command) {
    if (command.Is(1, "FRIENDS") && command.Count() == 2)
        return QStringLiteral("USERS ") + me.friends.join(QStringLiteral(", "));
    if (command.Is(1, "USERS")) {
        const QString target = command.RestAfter(1).trimmed();
        if (target.isEmpty())
            return QStringLiteral("ERROR 4 Empty target not allowed");
        QStringList found;
        for (const PeerUser& user : users_) {
            if (user.handle == me.handle)
                continue;
            if (user.handle.contains(target, Qt::CaseInsensitive) ||
                user.fullName.contains(target, Qt::CaseInsensitive) ||
                user.displayName.contains(target, Qt::CaseInsensitive))
                found.append(user.handle);
        }
        return QStringLiteral("USERS ") + found.join(QStringLiteral(", "));
    }
    if (command.Is(1, "CALLS") || command.Is(1, "ACTIVECALLS") || command.Is(1, "MISSEDCALLS")) {
        QStringList ids;
        for (const PeerCall& call : calls_) {
            if (call.owner != me.handle)
                continue;
            if (command.Is(1, "ACTIVECALLS") && call.IsEnded())
                continue;
            if (command.Is(1, "MISSEDCALLS") && call.status != QLatin1String("MISSED"))
                continue;
            ids.append(QString::number(call.id));
        }
        return QStringLiteral("CALLS ") + ids.join(QStringLiteral(", "));
    }
    if (command.Is(1, "CHATS") || command.Is(1, "ACTIVECHATS") || command.Is(1, "RECENTCHATS")) {
        QStringList names;
        for (const PeerChat& chat : chats_) {
            if (chat.members.contains(me.handle))
                names.append(chat.name);
        }
        return QStringLiteral("CHATS ") + names.join(QStringLiteral(", "));
    }
    return QStringLiteral("ERROR 3 SEARCH: unknown WHAT");
}

QString PeerNetwork::HandleOpen(PeerUser& me, const PeerCommand& command) {
    Q_UNUSED(me);
    static const char* const kWindows[] = {"FILETRANSFER", "IM",      "CHAT",        "USERINFO",
                                           "ADDAFRIEND",   "OPTIONS", "PROFILE",     "SEARCH",
                                           "CONTACTS",     "DIALPAD", "SENDCONTACTS"};
    for (const char* window : kWindows) {
        if (command.Is(1, window))
            return command.Text();
    }
    return QStringLiteral("ERROR 69 OPEN: invalid WHAT");
}

void PeerNetwork::ClientsGone(const QString& handle) {
    RemoveApplications(handle);
}

// ---- injected user events

bool PeerNetwork::SetStatus(const QString& handle, const QString& status, QString* error) {
    PeerUser* user = FindUser(handle);
    if (!RequireUser(handle, error))
        return false;
    if (!PeerScenario::IsUserStatus(status)) {
        *error = QStringLiteral("unknown status \"%1\"").arg(status);
        return false;
    }
    const QString before = user->VisibleStatus();
    user->status = status;
    if (user->IsProgram() && user->loggedIn)
        NotifyUser(handle, QStringLiteral("USERSTATUS ") + status);
    if (user->VisibleStatus() != before)
        NotifyFriendsOf(
            handle, QStringLiteral("USER %1 ONLINESTATUS %2").arg(handle, user->VisibleStatus()));
    return true;
}

bool PeerNetwork::SetFullName(const QString& handle, const QString& name, QString* error) {
    if (!RequireUser(handle, error))
        return false;
    FindUser(handle)->fullName = name;
    NotifyFriendsOf(handle, QStringLiteral("USER %1 FULLNAME %2").arg(handle, name));
    return true;
}

bool PeerNetwork::SetDisplayName(const QString& handle, const QString& name, QString* error) {
    if (!RequireUser(handle, error))
        return false;
    FindUser(handle)->displayName = name;
    NotifyFriendsOf(handle, QStringLiteral("USER %1 DISPLAYNAME %2").arg(handle, name));
    return true;
}

bool PeerNetwork::LogOut(const QString& handle, QString* error) {
    if (!RequireUser(handle, error))
        return false;
    PeerUser* user = FindUser(handle);
    if (!user->loggedIn) {
        *error = QStringLiteral("\"%1\" is logged out already").arg(handle);
        return false;
    }
    const QString before = user->VisibleStatus();
    if (PeerUserLink* link = links_.value(handle, nullptr)) {
        link->Notify(QStringLiteral("CONNSTATUS LOGGEDOUT"));
        link->DetachAll();
    }
    user->loggedIn = false;
    RemoveApplications(handle);
    for (PeerCall& call : calls_) {
        if (call.owner == handle && !call.IsEnded())
            call.status = QStringLiteral("FINISHED");
    }
    if (ScriptedPhotoApp* photo = PhotoApp(handle))
        photo->LoggedOut();
    if (before != user->VisibleStatus())
        NotifyFriendsOf(handle, QStringLiteral("USER %1 ONLINESTATUS OFFLINE").arg(handle));
    return true;
}

bool PeerNetwork::LogIn(const QString& handle, QString* error) {
    if (!RequireUser(handle, error))
        return false;
    PeerUser* user = FindUser(handle);
    if (user->loggedIn) {
        *error = QStringLiteral("\"%1\" is logged in already").arg(handle);
        return false;
    }
    user->loggedIn = true;
    if (user->photoApp)
        apps_[handle].insert(handle, Application());
    if (user->VisibleStatus() != QLatin1String("OFFLINE"))
        NotifyFriendsOf(
            handle, QStringLiteral("USER %1 ONLINESTATUS %2").arg(handle, user->VisibleStatus()));
    return true;
}

bool PeerNetwork::DropWrites(const QString& handle, int count, QString* error) {
    if (!RequireUser(handle, error))
        return false;
    dropWrites_[handle] = qMax(0, count);
    return true;
}

bool PeerNetwork::DuplicateWrites(const QString& handle, int count, QString* error) {
    if (!RequireUser(handle, error))
        return false;
    duplicateWrites_[handle] = qMax(0, count);
    return true;
}
