#pragma once

#include <QString>
#include <cstdint>

// Online status codes shared by the signed-in user and the contacts; "online" is 2 or more.
enum SkypeUserStatus : std::int32_t {
    SKYPE_STATUS_UNKNOWN = 0,
    SKYPE_STATUS_OFFLINE = 1,
    SKYPE_STATUS_ONLINE = 2,
    SKYPE_STATUS_AWAY = 3,
    SKYPE_STATUS_NA = 4,
    SKYPE_STATUS_DND = 5,
    SKYPE_STATUS_INVISIBLE = 6,
    SKYPE_STATUS_SKYPEOUT = 7,
};
