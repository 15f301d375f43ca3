#pragma once

#include "OstObject.h"
#include "OstUser.h"

#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <vector>

// The signed-in user's contacts, fed by the controller with "USERS " and "USER " texts.
// Every change is posted as "SKYPE_FRIEND_INFO_UPDATE". UI thread only.
class OstUserMonitor : public OstObject {
public:
    using SendFunction = std::function<void(const QString&)>;

    explicit OstUserMonitor(SendFunction send);
    ~OstUserMonitor() override;

    void OnUsersReply(const QString& text);
    void OnUserReply(const QString& text);

    // The contact of the handle; an unknown handle is added, queried and announced first.
    OstUser* GetUser(const QString& handle);
    // The contact of the handle, or null; never adds.
    OstUser* FindUser(const QString& handle) const;
    void RequestUserInfo(const QString& handle);
    // Appends every contact with a known status other than SKYPEOUT, sorted by shown name.
    void GetFriendList(std::vector<OstUser*>& list) const;
    void ClearUsers();
    std::size_t GetUserCount() const { return users_.size(); }

    // a < A < b < B < ... < z < Z; other characters by code; a prefix sorts first.
    static bool ShownNameLess(const OstUser* a, const OstUser* b);

private:
    OstUser* AddUser(const QString& handle);
    static void Post(OstUser* contact, std::int32_t change);

    SendFunction send_;
    std::map<QString, std::unique_ptr<OstUser>> users_;
};
