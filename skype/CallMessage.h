#pragma once

#include <cstdint>

class OstCall;

// The property a "CALL " text reported.
enum CallChange : std::int32_t {
    CALL_CHANGE_PARTNER_HANDLE = 2,
    CALL_CHANGE_PARTNER_DISPNAME = 3,
    CALL_CHANGE_CONF_ID = 4,
    CALL_CHANGE_TYPE = 5,
    CALL_CHANGE_STATUS = 6,
    CALL_CHANGE_VIDEO_SEND_STATUS = 8,
    CALL_CHANGE_VIDEO_RECEIVE_STATUS = 9,
    CALL_CHANGE_CONF_PARTICIPANT = 13,
    CALL_CHANGE_CONF_PARTICIPANTS_COUNT = 14,
};

// Payload of "SKYPE_CALL_MESSAGE"; valid only during the post.
struct CallMessage {
    OstCall* call = nullptr;
    std::int32_t change = 0;
};
