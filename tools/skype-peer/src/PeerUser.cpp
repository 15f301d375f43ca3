#include "PeerUser.h"

QString PeerUser::VisibleStatus() const {
    if (!loggedIn || status == QLatin1String("INVISIBLE"))
        return QStringLiteral("OFFLINE");
    return status;
}

bool PeerUser::IsReachable() const {
    const QString visible = VisibleStatus();
    return visible == QLatin1String("ONLINE") || visible == QLatin1String("AWAY") ||
           visible == QLatin1String("NA") || visible == QLatin1String("DND") ||
           visible == QLatin1String("SKYPEME");
}

QString PeerUser::ShownName() const {
    if (!displayName.isEmpty())
        return displayName;
    if (!fullName.isEmpty())
        return fullName;
    return handle;
}
