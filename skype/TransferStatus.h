#pragma once

#include <cstdint>

// What a transfer thread reports; the side that sends each code is noted.
enum TransferStatus : std::int32_t {
    TRANSFER_CREATE_FAILED = 2,      // sender: "CREATE APPLICATION " not confirmed in time
    TRANSFER_CONNECT_FAILED = 4,     // sender: no stream after CONNECT
    TRANSFER_PACKET_SENT = 6,        // sender: a packet was acknowledged, more to come
    TRANSFER_SEND_OVERTIME = 7,      // sender: no acknowledgement in time
    TRANSFER_ANNOUNCED = 8,          // receiver: a new incoming file was announced
    TRANSFER_PACKET_RECEIVED = 9,    // receiver: a data packet arrived and was acknowledged
    TRANSFER_RECEIVE_OVERTIME = 10,  // receiver: no packet in time
    TRANSFER_OPEN_FAILED = 11,       // sender: the file cannot be read
    TRANSFER_WRITE_FAILED = 12,      // receiver: the file cannot be taken, created or written
    TRANSFER_FILE_CREATED = 13,      // receiver: the file was created; writing starts
    TRANSFER_SENT = 14,              // sender: the last packet was acknowledged
    TRANSFER_RECEIVED = 15,          // receiver: the file was written completely
    TRANSFER_CANCELLED = 16,         // either: cancelled on this side
    TRANSFER_CANCELLED_BY_PEER = 17, // either: cancelled or refused by the other side
};
