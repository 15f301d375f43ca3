#pragma once

#include <cstdint>

class OstUser;

enum FriendChange : std::int32_t {
    FRIEND_LIST_REBUILT = 0,
    FRIEND_ADDED = 1,
    FRIEND_FULLNAME = 2,
    FRIEND_DISPLAYNAME = 3,
    FRIEND_ONLINESTATUS = 16,
};

// Payload of "SKYPE_FRIEND_INFO_UPDATE"; valid only during the post.
struct FriendInfoUpdate {
    OstUser* contact = nullptr;
    std::int32_t change = FRIEND_LIST_REBUILT;
};
