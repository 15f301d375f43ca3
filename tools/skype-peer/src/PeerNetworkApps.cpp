// Application-to-application streams between users of the network.
#include "PeerNetwork.h"

#include "PeerCommand.h"
#include "PeerScenario.h"
#include "ScriptedPhotoApp.h"

namespace {

// Skype limited application names to 32 bytes and one stream write to 0xFFFF bytes.
constexpr int kMaxAppNameBytes = 32;
constexpr int kMaxWriteBytes = 0xFFFF;

bool IsValidAppName(const QString& name) {
    if (name.isEmpty() || name.toUtf8().size() > kMaxAppNameBytes)
        return false;
    for (const QChar c : name) {
        if (c.isSpace() || !c.isPrint())
            return false;
    }
    return true;
}

} // namespace

PeerStream* PeerNetwork::FindStream(const QString& user, const QString& app,
                                    const QString& stream) {
    auto users = apps_.find(user);
    if (users == apps_.end())
        return nullptr;
    auto found = users->find(app);
    if (found == users->end())
        return nullptr;
    for (PeerStream& candidate : found->streams) {
        if (candidate.name == stream)
            return &candidate;
    }
    return nullptr;
}

QString PeerNetwork::StreamsText(const QString& user, const QString& app) const {
    QStringList names;
    for (const PeerStream& stream : apps_.value(user).value(app).streams) {
        if (!stream.closed)
            names.append(stream.name);
    }
    return QStringLiteral("APPLICATION %1 STREAMS %2").arg(app, names.join(QLatin1Char(' ')));
}

QString PeerNetwork::ReceivedText(const QString& user, const QString& app) const {
    QStringList pending;
    for (const PeerStream& stream : apps_.value(user).value(app).streams) {
        qsizetype bytes = 0;
        for (const QString& data : stream.unread)
            bytes += data.toUtf8().size();
        if (bytes > 0)
            pending.append(stream.name + QLatin1Char('=') + QString::number(bytes));
    }
    return QStringLiteral("APPLICATION %1 RECEIVED %2").arg(app, pending.join(QLatin1Char(' ')));
}

// ---- commands

QString PeerNetwork::CreateApplication(PeerUser& me, const PeerCommand& command) {
    if (command.Count() < 2)
        return QStringLiteral("ERROR 536 CREATE: no object or type given");
    if (!command.Is(1, "APPLICATION"))
        return QStringLiteral("ERROR 537 CREATE: Unknown object type given");
    const QString app = command.Token(2);
    if (command.Count() != 3 || !IsValidAppName(app))
        return QStringLiteral("ERROR 538 CREATE APPLICATION : Missing or invalid name");
    AppCreate(me.handle, app);
    return QStringLiteral("CREATE APPLICATION ") + app;
}

QString PeerNetwork::DeleteApplication(PeerUser& me, const PeerCommand& command) {
    if (command.Count() < 2)
        return QStringLiteral("ERROR 540 DELETE: no object or type given");
    if (!command.Is(1, "APPLICATION"))
        return QStringLiteral("ERROR 541 DELETE: Unknown object type given");
    const QString app = command.Token(2);
    if (command.Count() != 3 || !AppDelete(me.handle, app).isEmpty())
        return QStringLiteral("ERROR 542 DELETE APPLICATION : Missing or invalid application name");
    return QStringLiteral("DELETE APPLICATION ") + app;
}

QString PeerNetwork::AlterApplication(PeerUser& me, const PeerCommand& command) {
    const QString app = command.Token(2);
    if (!apps_.value(me.handle).contains(app))
        return QStringLiteral("ERROR 545 ALTER APPLICATION : Missing or invalid application name");
    const QString action = command.Token(3).toUpper();
    const QString target = command.Token(4);
    const QString echo = QStringLiteral("ALTER APPLICATION %1 %2 %3").arg(app, action, target);
    if (action == QLatin1String("CONNECT")) {
        if (command.Count() != 5 || !PeerScenario::IsValidHandle(target))
            return QStringLiteral("ERROR 547 ALTER APPLICATION CONNECT : Invalid user handle");
        AppConnect(me.handle, app, target);
        return echo;
    }
    if (action == QLatin1String("WRITE")) {
        const QString error = AppWrite(me.handle, app, target, command.RestAfter(4));
        return error.isEmpty() ? echo : error;
    }
    if (action == QLatin1String("READ")) {
        if (command.Count() != 5)
            return QStringLiteral("ERROR 550 ALTER APPLICATION READ : Missing or invalid stream "
                                  "identifier");
        QString data;
        const QString error = AppRead(me.handle, app, target, &data);
        if (!error.isEmpty())
            return error;
        return data.isEmpty() ? echo : echo + QLatin1Char(' ') + data;
    }
    if (action == QLatin1String("DISCONNECT")) {
        if (command.Count() != 5)
            return QStringLiteral("ERROR 548 ALTER APPLICATION DISCONNECT : Invalid stream "
                                  "identifier");
        const QString error = AppDisconnect(me.handle, app, target);
        return error.isEmpty() ? echo : error;
    }
    return QStringLiteral("ERROR 546 ALTER APPLICATION : Missing or invalid action");
}

QString PeerNetwork::GetApplication(PeerUser& me, const PeerCommand& command) {
    const QString app = command.Token(2);
    if (!apps_.value(me.handle).contains(app))
        return QStringLiteral("ERROR 545 ALTER APPLICATION : Missing or invalid application name");
    const QString property = command.Token(3).toUpper();
    if (property == QLatin1String("STREAMS"))
        return StreamsText(me.handle, app);
    if (property == QLatin1String("RECEIVED"))
        return ReceivedText(me.handle, app);
    if (property == QLatin1String("SENDING") || property == QLatin1String("CONNECTING"))
        return QStringLiteral("APPLICATION %1 %2 ").arg(app, property);
    if (property == QLatin1String("CONNECTABLE")) {
        QStringList handles;
        for (const PeerUser& user : users_) {
            if (user.handle != me.handle && user.IsReachable() &&
                apps_.value(user.handle).contains(app))
                handles.append(user.handle);
        }
        return QStringLiteral("APPLICATION %1 CONNECTABLE %2")
            .arg(app, handles.join(QLatin1Char(' ')));
    }
    return QStringLiteral("ERROR 7 GET: invalid WHAT");
}

// ---- stream operations shared by commands and scripted users

QString PeerNetwork::AppCreate(const QString& user, const QString& app) {
    const PeerUser* owner = FindUser(user);
    if (!owner || !owner->loggedIn || !IsValidAppName(app))
        return QStringLiteral("ERROR 538 CREATE APPLICATION : Missing or invalid name");
    // Creating an application that exists keeps it and its streams.
    if (!apps_[user].contains(app))
        apps_[user].insert(app, Application());
    return {};
}

QString PeerNetwork::AppDelete(const QString& user, const QString& app) {
    if (!apps_.value(user).contains(app))
        return QStringLiteral("ERROR 542 DELETE APPLICATION : Missing or invalid application name");
    QStringList names;
    for (const PeerStream& stream : apps_[user][app].streams)
        names.append(stream.name);
    for (const QString& name : names)
        RemoveStream(user, app, name, false);
    apps_[user].remove(app);
    return {};
}

QString PeerNetwork::AppConnect(const QString& user, const QString& app, const QString& target) {
    if (!apps_.value(user).contains(app))
        return QStringLiteral("ERROR 545 ALTER APPLICATION : Missing or invalid application name");
    NotifyUser(user, QStringLiteral("APPLICATION %1 CONNECTING %2").arg(app, target));
    Later([this, user, app, target] { FinishConnect(user, app, target); });
    return {};
}

void PeerNetwork::FinishConnect(const QString& user, const QString& app, const QString& target) {
    const PeerUser* from = FindUser(user);
    const PeerUser* to = FindUser(target);
    // Skype only ever connects to an online user who created an application of that name;
    // otherwise the caller sees nothing more and gives up on its own.
    if (!from || !to || from == to || !from->loggedIn || !to->IsReachable() ||
        !apps_.value(user).contains(app) || !apps_.value(target).contains(app))
        return;
    const int mine = ++streamCounters_[user + QLatin1Char('\n') + app];
    const int theirs = ++streamCounters_[target + QLatin1Char('\n') + app];
    PeerStream near;
    near.name = target + QLatin1Char(':') + QString::number(mine);
    near.peer = target;
    PeerStream far;
    far.name = user + QLatin1Char(':') + QString::number(theirs);
    far.peer = user;
    near.peerStream = far.name;
    far.peerStream = near.name;
    apps_[user][app].streams.append(near);
    apps_[target][app].streams.append(far);
    for (const auto& [owner, stream] : {std::pair{user, near.name}, std::pair{target, far.name}}) {
        if (FindUser(owner)->IsProgram()) {
            NotifyUser(owner, StreamsText(owner, app));
        } else {
            Later([this, owner = owner, app, stream = stream] {
                if (ScriptedPhotoApp* photo = PhotoApp(owner))
                    photo->StreamOpened(app, stream);
            });
        }
    }
}

QString PeerNetwork::AppWrite(const QString& user, const QString& app, const QString& stream,
                              const QString& data) {
    PeerStream* near = FindStream(user, app, stream);
    if (!near || near->closed)
        return QStringLiteral("ERROR 549 ALTER APPLICATION WRITE : Missing or invalid stream "
                              "identifier");
    if (data.isEmpty())
        return QStringLiteral("ERROR 551 ALTER APPLICATION WRITE : Missing data");
    if (data.toUtf8().size() > kMaxWriteBytes)
        return QStringLiteral("ERROR 552 ALTER APPLICATION WRITE : Data too long");
    if (dropWrites_.value(user) > 0) {
        --dropWrites_[user];
        return {};
    }
    int copies = 1;
    if (duplicateWrites_.value(user) > 0) {
        --duplicateWrites_[user];
        copies = 2;
    }
    const QString peer = near->peer;
    const QString peerStream = near->peerStream;
    PeerStream* far = FindStream(peer, app, peerStream);
    if (!far || far->closed)
        return {};
    for (int i = 0; i < copies; ++i)
        far->unread.append(data);
    StreamDataArrived(peer, app, peerStream);
    return {};
}

void PeerNetwork::StreamDataArrived(const QString& user, const QString& app,
                                    const QString& stream) {
    const PeerUser* owner = FindUser(user);
    if (!owner)
        return;
    if (owner->IsProgram())
        NotifyUser(user, ReceivedText(user, app));
    else
        Later([this, user, app, stream] { DeliverScripted(user, app, stream); });
}

void PeerNetwork::DeliverScripted(const QString& user, const QString& app, const QString& stream) {
    ScriptedPhotoApp* photo = PhotoApp(user);
    PeerStream* end = FindStream(user, app, stream);
    while (photo && end && !end->unread.isEmpty()) {
        const QString data = end->unread.takeFirst();
        photo->Received(app, stream, data);
        // Handling a packet can close the stream.
        end = FindStream(user, app, stream);
    }
    DropIfDrained(user, app, stream);
}

void PeerNetwork::DropIfDrained(const QString& user, const QString& app, const QString& stream) {
    PeerStream* end = FindStream(user, app, stream);
    if (!end || !end->closed || !end->unread.isEmpty())
        return;
    QList<PeerStream>& streams = apps_[user][app].streams;
    for (qsizetype i = 0; i < streams.size(); ++i) {
        if (streams[i].name == stream) {
            streams.removeAt(i);
            return;
        }
    }
}

QString PeerNetwork::AppRead(const QString& user, const QString& app, const QString& stream,
                             QString* data) {
    PeerStream* end = FindStream(user, app, stream);
    if (!end)
        return QStringLiteral("ERROR 550 ALTER APPLICATION READ : Missing or invalid stream "
                              "identifier");
    data->clear();
    if (!end->unread.isEmpty())
        *data = end->unread.takeFirst();
    DropIfDrained(user, app, stream);
    bool more = false;
    for (const PeerStream& candidate : apps_.value(user).value(app).streams)
        more = more || !candidate.unread.isEmpty();
    if (more)
        NotifyUser(user, ReceivedText(user, app));
    return {};
}

QString PeerNetwork::AppDisconnect(const QString& user, const QString& app, const QString& stream) {
    if (!FindStream(user, app, stream))
        return QStringLiteral("ERROR 548 ALTER APPLICATION DISCONNECT : Invalid stream identifier");
    RemoveStream(user, app, stream, true);
    return {};
}

void PeerNetwork::RemoveStream(const QString& user, const QString& app, const QString& stream,
                               bool notifyOwner, bool keepArrived) {
    PeerStream* end = FindStream(user, app, stream);
    if (!end)
        return;
    const QString peer = end->peer;
    const QString peerStream = end->peerStream;
    const bool wasOpen = !end->closed;
    QList<PeerStream>& streams = apps_[user][app].streams;
    for (qsizetype i = 0; i < streams.size(); ++i) {
        if (streams[i].name == stream) {
            streams.removeAt(i);
            break;
        }
    }
    if (!wasOpen)
        return;
    PeerStream* far = FindStream(peer, app, peerStream);
    if (far) {
        far->closed = true;
        if (!keepArrived)
            far->unread.clear();
        DropIfDrained(peer, app, peerStream);
    }
    auto tell = [this, &app](const QString& owner, const QString& name) {
        const PeerUser* who = FindUser(owner);
        if (!who)
            return;
        if (who->IsProgram()) {
            NotifyUser(owner, StreamsText(owner, app));
        } else {
            Later([this, owner, app, name] {
                if (ScriptedPhotoApp* photo = PhotoApp(owner))
                    photo->StreamClosed(app, name);
            });
        }
    };
    if (notifyOwner)
        tell(user, stream);
    if (far)
        tell(peer, peerStream);
}

void PeerNetwork::RemoveApplications(const QString& user) {
    const QStringList names = apps_.value(user).keys();
    for (const QString& app : names)
        AppDelete(user, app);
    apps_.remove(user);
}

bool PeerNetwork::CutStreams(const QString& handle, const QString& app, int* count,
                             QString* error) {
    if (!RequireUser(handle, error))
        return false;
    *count = 0;
    const QStringList names = app.isEmpty() ? apps_.value(handle).keys() : QStringList{app};
    for (const QString& application : names) {
        QStringList streams;
        for (const PeerStream& stream : apps_.value(handle).value(application).streams)
            streams.append(stream.name);
        for (const QString& stream : streams) {
            const PeerStream* end = FindStream(handle, application, stream);
            if (end && !end->closed)
                ++*count;
            RemoveStream(handle, application, stream, true, false);
        }
    }
    return true;
}
