#pragma once

#include <QString>
#include <cstdint>

// One photo taken, sent or received, as kept in "EventList.xml"; each field is named after the
// element that holds it.
struct EventRecord {
    enum Kind : std::int32_t { Taken = 0, Sent = 1, Received = 2 };
    enum TransferStatus : std::int32_t {
        NoTransfer = 0,
        Transferring = 1,
        Completed = 2,
        // Failed, refused, cancelled, or still under way when the list was saved.
        Ended = 3,
    };

    std::int32_t EventType = Taken;
    std::int32_t Status = NoTransfer;
    // Ends in "/".
    QString EventFolder;
    QString EventName;
    QString FriendID;
    QString Resolution;
    QString PictureSize;

    QString FullPath() const { return EventFolder + EventName; }

    // The size text shown for a photo: "1024.00 Bytes", "1.50 KB", ... from the low 32 bits
    // of the size, divided in single precision as the stored lists always were.
    static QString SizeText(std::uint32_t bytes);
    // SizeText of the file's size; empty when the file cannot be examined.
    static QString SizeTextOfFile(const QString& path);
    // The record of a photo just written to path: folder and name split at the last "/".
    static EventRecord TakenPhoto(const QString& path, const QString& resolution);

    bool operator==(const EventRecord&) const = default;
};
