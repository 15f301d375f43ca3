#pragma once

#include <QtGlobal>

// Waits, pauses and limits of the photo transfer; the defaults are the protocol's own values,
// tests shorten them.
struct Ap2ApConfig {
    int createTimeoutMs = 5000;   // "CREATE APPLICATION " confirmed
    int connectTimeoutMs = 20000; // a stream after CONNECT
    int ackTimeoutMs = 30000;     // the receiver's acknowledgement of a packet
    int packetTimeoutMs = 30000;  // the sender's next packet
    int pauseMs = 50;             // before every WRITE and READ
    // Largest photo sent or accepted; also bounds what a receiver holds in memory.
    qint64 maxFileBytes = qint64{64} * 1024 * 1024;
    // Incoming files received at the same time; announcements beyond it are not taken.
    int maxIncomingFiles = 32;
};
