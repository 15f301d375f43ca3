#pragma once

#include "OstObject.h"
#include "SkypeUserStatus.h"

#include <QString>

// One Skype contact of the signed-in user.
class OstUser : public OstObject {
public:
    explicit OstUser(QString handle) : handle_(handle), shownName_(std::move(handle)) {}

    const QString& GetHandle() const { return handle_; }
    const QString& GetFullName() const { return fullName_; }
    const QString& GetDisplayName() const { return displayName_; }
    // The display name once a non-empty one arrived, else the full name, else the handle.
    const QString& GetShownName() const { return shownName_; }
    std::int32_t GetOnlineStatus() const { return onlineStatus_; }
    bool IsOnline() const { return onlineStatus_ >= SKYPE_STATUS_ONLINE; }

private:
    friend class OstUserMonitor;
    QString handle_;
    QString fullName_;
    QString displayName_;
    QString shownName_;
    std::int32_t onlineStatus_ = SKYPE_STATUS_UNKNOWN;
};
