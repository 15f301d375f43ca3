#pragma once

#include <QString>

// The details of TRANSFER_ANNOUNCED: what the sender's "PKT-BEGIN " said about the photo.
struct TransferAnnounce {
    QString fileName;
    QString resolution;
    QString pictureSize;
    bool operator==(const TransferAnnounce&) const = default;
};
