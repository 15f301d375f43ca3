#pragma once

#include "OstAutoResetEvent.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <atomic>
#include <cstdint>
#include <deque>
#include <thread>

// One file being received, with the receiving thread that acknowledges its packets and
// writes it once every packet has arrived.
struct IncomingFile {
    struct Chunk {
        std::int32_t index = 0; // the number after "PKT-"
        QString text;           // base64 text as it arrived
        bool present = false;   // the packet had a data token
    };

    IncomingFile(QString handle, QString streamName, QString name, std::int32_t count,
                 QString announcement, std::uint32_t id)
        : senderHandle(std::move(handle)), stream(std::move(streamName)),
          announcedName(std::move(name)), expectedCount(count), descriptor(std::move(announcement)),
          transferId(id) {}

    const QString senderHandle; // the stream name up to its last ":"
    const QString stream;
    const QString announcedName; // the name every packet of the file carries
    const std::int32_t expectedCount;
    const QString descriptor; // resolution "&" picture size
    const std::uint32_t transferId;

    // Guarded by the transfer object's receive lock: what the UI thread queued for the thread.
    std::deque<Chunk> chunks;
    qsizetype queuedChars = 0;
    bool overflow = false; // more text queued than one file may carry
    // Every packet is in, or the file has ended: later packets of that name are not its own.
    bool closed = false;

    // The receiving thread's own state.
    QString fileName; // the announced name until a free name is chosen in the folder
    std::int32_t receivedCount = 0;
    QList<QByteArray> data;
    qint64 dataBytes = 0;

    // Set on each packet for this file.
    OstAutoResetEvent packetEvent;
    std::atomic<bool> stop{false};      // CancelTransfer
    std::atomic<bool> cancelled{false}; // the sender's "PKT-Cancel "
    std::atomic<bool> linkLost{false};  // Skype went away
    std::atomic<bool> shutdown{false};  // the transfer object is being destroyed

    std::thread thread;
};
