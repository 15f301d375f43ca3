#pragma once

#include <QString>
#include <cstdint>

// The details of every report but the announcement: done and total count packets (data
// packets only; the announcement is packet 0 on the sending side).
struct TransferProgress {
    QString fileName;
    std::int32_t done = 0;
    std::int32_t total = 0;
    bool operator==(const TransferProgress&) const = default;
};
