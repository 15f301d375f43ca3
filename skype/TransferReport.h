#pragma once

#include "TransferAnnounce.h"
#include "TransferProgress.h"
#include "TransferStatus.h"

#include <QString>
#include <cstdint>
#include <variant>

// One step of a transfer, as "WM_SKYPE_AP2APMESSAGE" carried it; valid only during the call.
struct TransferReport {
    QString peer; // the contact's handle
    std::uint32_t transferId = 0;
    TransferStatus status = TRANSFER_CANCELLED;
    // The announce block for TRANSFER_ANNOUNCED, the progress block for every other status.
    std::variant<TransferProgress, TransferAnnounce> details;

    const QString& FileName() const {
        if (const auto* announce = std::get_if<TransferAnnounce>(&details))
            return announce->fileName;
        return std::get<TransferProgress>(details).fileName;
    }
    // Null for TRANSFER_ANNOUNCED, whose block has no counts.
    const TransferProgress* Progress() const { return std::get_if<TransferProgress>(&details); }
    const TransferAnnounce* Announce() const { return std::get_if<TransferAnnounce>(&details); }
};
