// Chats and chat messages between users of the network.
#include "PeerNetwork.h"

#include "PeerCommand.h"
#include "PeerScenario.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QRegularExpression>

namespace {

bool IsNumber(const QString& text) {
    static const QRegularExpression kDigits(QStringLiteral("^[0-9]{1,9}$"));
    return kDigits.match(text).hasMatch();
}

} // namespace

PeerChat* PeerNetwork::FindChat(const QString& name) {
    for (PeerChat& chat : chats_) {
        if (chat.name == name)
            return &chat;
    }
    return nullptr;
}

PeerChat* PeerNetwork::DialogChat(const QString& a, const QString& b, bool create) {
    for (PeerChat& chat : chats_) {
        if (chat.status == QLatin1String("DIALOG") && chat.members.size() == 2 &&
            chat.members.contains(a) && chat.members.contains(b))
            return &chat;
    }
    if (!create)
        return nullptr;
    // A stable suffix per creation keeps runs reproducible while names stay unique.
    const QByteArray seed = QStringLiteral("%1/%2/%3").arg(a, b).arg(++chatCounter_).toUtf8();
    const QString suffix = QString::fromLatin1(
        QCryptographicHash::hash(seed, QCryptographicHash::Sha1).left(8).toHex());
    PeerChat chat;
    chat.name = QStringLiteral("#%1/$%2;%3").arg(a, b, suffix);
    chat.members = {a, b};
    chat.createdSecs = QDateTime::currentSecsSinceEpoch();
    chats_.append(chat);
    return &chats_.last();
}

QString PeerNetwork::ChatCreate(PeerUser& me, const PeerCommand& command) {
    QStringList targets;
    for (const QString& part : command.RestAfter(1).split(QLatin1Char(','))) {
        const QString handle = part.trimmed();
        if (!handle.isEmpty())
            targets.append(handle);
    }
    if (targets.isEmpty())
        return QStringLiteral("ERROR 4 Empty target not allowed");
    for (const QString& handle : targets) {
        if (!PeerScenario::IsValidHandle(handle) || handle == me.handle)
            return QStringLiteral("ERROR 8 Invalid user handle");
    }
    PeerChat* chat = nullptr;
    if (targets.size() == 1) {
        chat = DialogChat(me.handle, targets.first(), true);
    } else {
        const QByteArray seed = QStringLiteral("%1/%2").arg(me.handle).arg(++chatCounter_).toUtf8();
        PeerChat multi;
        multi.name = QStringLiteral("#%1/$%2").arg(
            me.handle,
            QString::fromLatin1(
                QCryptographicHash::hash(seed, QCryptographicHash::Sha1).left(8).toHex()));
        multi.members = QStringList{me.handle} + targets;
        multi.status = QStringLiteral("MULTI_SUBSCRIBED");
        multi.createdSecs = QDateTime::currentSecsSinceEpoch();
        chats_.append(multi);
        chat = &chats_.last();
    }
    return QStringLiteral("CHAT %1 STATUS %2").arg(chat->name, chat->status);
}

QString PeerNetwork::GetChat(PeerUser& me, const PeerCommand& command) {
    PeerChat* chat = FindChat(command.Token(2));
    if (!chat || !chat->members.contains(me.handle))
        return QStringLiteral("ERROR 105 Invalid chat name");
    const QString property = command.Token(3).toUpper();
    QString value;
    if (property == QLatin1String("NAME")) {
        value = chat->name;
    } else if (property == QLatin1String("STATUS")) {
        value = chat->status;
    } else if (property == QLatin1String("MEMBERS") || property == QLatin1String("ACTIVEMEMBERS")) {
        value = chat->members.join(QLatin1Char(' '));
    } else if (property == QLatin1String("FRIENDLYNAME")) {
        QStringList names;
        for (const QString& member : chat->members) {
            if (member == me.handle)
                continue;
            const PeerUser* user = FindUser(member);
            names.append(user ? user->ShownName() : member);
        }
        value = names.join(QStringLiteral(", "));
    } else if (property == QLatin1String("TIMESTAMP")) {
        value = QString::number(chat->createdSecs);
    } else if (property == QLatin1String("TOPIC") || property == QLatin1String("ADDER")) {
        value = QString();
    } else if (property == QLatin1String("TYPE")) {
        value = chat->status == QLatin1String("DIALOG") ? QStringLiteral("DIALOG")
                                                        : QStringLiteral("MULTICHAT");
    } else {
        return QStringLiteral("ERROR 106 Invalid PROP");
    }
    return QStringLiteral("CHAT %1 %2 %3").arg(chat->name, property, value);
}

QString PeerNetwork::PostMessage(const QString& from, PeerChat& chat, const QString& body,
                                 bool senderIsProgram) {
    PeerMessage message;
    message.id = nextMessageId_++;
    message.chat = chat.name;
    message.from = from;
    message.body = body;
    message.timeSecs = QDateTime::currentSecsSinceEpoch();
    message.statusOf.insert(from,
                            senderIsProgram ? QStringLiteral("SENDING") : QStringLiteral("SENT"));
    messages_.append(message);
    const int id = message.id;
    Later([this, id] { DeliverMessage(id); });
    return QString::number(id);
}

void PeerNetwork::DeliverMessage(int id) {
    PeerMessage* message = nullptr;
    for (PeerMessage& candidate : messages_) {
        if (candidate.id == id)
            message = &candidate;
    }
    if (!message)
        return;
    const PeerChat* chat = FindChat(message->chat);
    if (!chat)
        return;
    const QString number = QString::number(id);
    for (const QString& member : chat->members) {
        if (member == message->from)
            continue;
        const PeerUser* user = FindUser(member);
        if (!user || !user->loggedIn)
            continue;
        message->statusOf.insert(member, QStringLiteral("RECEIVED"));
        if (user->IsProgram())
            NotifyUser(member,
                       QStringLiteral("%1 %2 STATUS RECEIVED").arg(MessageWord(member), number));
        else
            chatLogs_[member].append(PeerRecord{QDateTime::currentMSecsSinceEpoch(),
                                                {message->chat, message->from, message->body}});
    }
    if (message->statusOf.value(message->from) == QLatin1String("SENDING")) {
        message->statusOf.insert(message->from, QStringLiteral("SENT"));
        NotifyUser(message->from,
                   QStringLiteral("%1 %2 STATUS SENT").arg(MessageWord(message->from), number));
    }
}

QString PeerNetwork::SendChatMessage(PeerUser& me, const PeerCommand& command) {
    PeerChat* chat = FindChat(command.Token(1));
    if (!chat || !chat->members.contains(me.handle))
        return QStringLiteral("ERROR 105 Invalid chat name");
    const QString body = command.RestAfter(1);
    if (body.isEmpty())
        return QStringLiteral("ERROR 43 Cannot send empty message");
    const QString id = PostMessage(me.handle, *chat, body, true);
    return QStringLiteral("%1 %2 STATUS SENDING").arg(MessageWord(me.handle), id);
}

QString PeerNetwork::SendDirectMessage(PeerUser& me, const PeerCommand& command) {
    const QString handle = command.Token(1);
    if (!PeerScenario::IsValidHandle(handle) || handle == me.handle)
        return QStringLiteral("ERROR 8 Invalid user handle");
    const QString body = command.RestAfter(1);
    if (body.isEmpty())
        return QStringLiteral("ERROR 43 Cannot send empty message");
    PeerChat* chat = DialogChat(me.handle, handle, true);
    const QString id = PostMessage(me.handle, *chat, body, true);
    return QStringLiteral("%1 %2 STATUS SENDING").arg(MessageWord(me.handle), id);
}

QString PeerNetwork::GetMessage(PeerUser& me, const PeerCommand& command) {
    const QString word = command.Token(1).toUpper();
    const QString id = command.Token(2);
    if (!IsNumber(id))
        return QStringLiteral("ERROR 14 Invalid message id");
    const PeerMessage* message = nullptr;
    for (const PeerMessage& candidate : messages_) {
        if (QString::number(candidate.id) == id)
            message = &candidate;
    }
    const PeerChat* chat = message ? FindChat(message->chat) : nullptr;
    if (!message || !chat || !chat->members.contains(me.handle))
        return QStringLiteral("ERROR 15 Unknown message");
    QString partner = message->from;
    if (partner == me.handle) {
        for (const QString& member : chat->members) {
            if (member != me.handle) {
                partner = member;
                break;
            }
        }
    }
    auto shownName = [this](const QString& handle) {
        const PeerUser* user = FindUser(handle);
        return user ? user->ShownName() : handle;
    };
    const QString property = command.Token(3).toUpper();
    QString value;
    if (property == QLatin1String("STATUS"))
        value = message->statusOf.value(me.handle, QStringLiteral("RECEIVED"));
    else if (property == QLatin1String("PARTNER_HANDLE"))
        value = partner;
    else if (property == QLatin1String("PARTNER_DISPNAME"))
        value = shownName(partner);
    else if (property == QLatin1String("FROM_HANDLE"))
        value = message->from;
    else if (property == QLatin1String("FROM_DISPNAME"))
        value = shownName(message->from);
    else if (property == QLatin1String("BODY"))
        value = message->body;
    else if (property == QLatin1String("CHATNAME"))
        value = message->chat;
    else if (property == QLatin1String("TIMESTAMP"))
        value = QString::number(message->timeSecs);
    else if (property == QLatin1String("TYPE"))
        value = QStringLiteral("SAID");
    else
        return QStringLiteral("ERROR 16 Invalid PROP");
    return QStringLiteral("%1 %2 %3 %4").arg(word, id, property, value);
}

QString PeerNetwork::SetMessage(PeerUser& me, const PeerCommand& command) {
    const QString word = command.Token(1).toUpper();
    const QString id = command.Token(2);
    if (!IsNumber(id))
        return QStringLiteral("ERROR 14 Invalid message id");
    if (!command.Is(3, "SEEN") || command.Count() != 4)
        return QStringLiteral("ERROR 18 SET: invalid WHAT");
    for (PeerMessage& message : messages_) {
        if (QString::number(message.id) != id)
            continue;
        const PeerChat* chat = FindChat(message.chat);
        if (!chat || !chat->members.contains(me.handle))
            break;
        if (message.from != me.handle)
            message.statusOf.insert(me.handle, QStringLiteral("READ"));
        return QStringLiteral("%1 %2 STATUS %3").arg(word, id, message.statusOf.value(me.handle));
    }
    return QStringLiteral("ERROR 15 Unknown message");
}

bool PeerNetwork::TypeMessage(const QString& from, const QString& to, const QString& body,
                              QString* id, QString* error) {
    if (!RequireUser(from, error) || !RequireUser(to, error))
        return false;
    if (from == to) {
        *error = QStringLiteral("a user cannot chat with itself");
        return false;
    }
    if (body.isEmpty()) {
        *error = QStringLiteral("a chat message needs a body");
        return false;
    }
    PeerChat* chat = DialogChat(from, to, true);
    *id = PostMessage(from, *chat, body, FindUser(from)->IsProgram());
    return true;
}
