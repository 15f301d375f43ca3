#pragma once

#include "CallMessage.h"
#include "FriendInfoUpdate.h"
#include "OstCall.h"
#include "OstNotificationCenter.h"
#include "OstUser.h"

#include <QStringList>

// Records every notification of the Skype link as one readable line.
class NotificationLog {
public:
    static inline const QStringList kNames = {
        u"SKYPE_CONNECTED"_qs,          u"SKYPE_DISCONNECTED"_qs, u"SKYPE_USERSTATUS"_qs,
        u"SKYPE_FRIEND_INFO_UPDATE"_qs, u"SKYPE_CALL_MESSAGE"_qs, u"SKYPE_CHAT_MESSAGE"_qs,
        u"SKYPE_MESSAGE_MESSAGE"_qs,    u"SKYPE_APPLICATION_MESSAGE"_qs};

    NotificationLog() {
        for (const QString& name : kNames)
            OstNotificationCenter::GetInstance().AddObserver(this, &NotificationLog::Record, name);
    }
    ~NotificationLog() { OstNotificationCenter::GetInstance().RemoveObserver(this, QString()); }

    QStringList lines;

private:
    static void Record(void* observer, void* payload, const QString& name) {
        auto* self = static_cast<NotificationLog*>(observer);
        QString line = name;
        if (name == u"SKYPE_USERSTATUS") {
            line += u' ' + QString::number(*static_cast<std::int32_t*>(payload));
        } else if (name == u"SKYPE_FRIEND_INFO_UPDATE") {
            const auto* update = static_cast<FriendInfoUpdate*>(payload);
            line += u' ' + QString::number(update->change) + u' ' +
                    (update->contact ? update->contact->GetHandle() : u"-"_qs);
        } else if (name == u"SKYPE_CALL_MESSAGE") {
            const auto* message = static_cast<CallMessage*>(payload);
            line += u' ' + message->call->GetId() + u' ' + QString::number(message->change);
        } else if (payload) {
            line += u' ' + *static_cast<const QString*>(payload);
        }
        self->lines.append(line);
    }
};
