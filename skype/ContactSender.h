#pragma once

#include "OstAutoResetEvent.h"
#include "SendJob.h"

#include <QString>
#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>

// One contact being sent to: its application stream, its queue of photos and the sending
// thread that works through them one after the other.
struct ContactSender {
    explicit ContactSender(QString contact) : application(std::move(contact)) {}

    // Set when Skype confirms the application creation or gives a stream.
    OstAutoResetEvent replyEvent;
    // The contact's handle; also the peer named in reports.
    const QString application;
    // Guarded by the transfer object's send lock; empty until Skype gives one.
    QString stream;

    // Guards the job queue and the current transfer id.
    std::mutex senderLock;
    std::uint32_t currentTransferId = 0;
    std::deque<SendJob> jobs;

    // Set on each acknowledgement from the receiver.
    OstAutoResetEvent ackEvent;
    std::atomic<bool> cancel{false};   // CancelTransfer of the current job
    std::atomic<bool> refused{false};  // the receiver's acknowledgement carried "Cancel"
    std::atomic<bool> linkLost{false}; // Skype went away
    std::atomic<bool> shutdown{false}; // the transfer object is being destroyed

    std::thread thread;
};
