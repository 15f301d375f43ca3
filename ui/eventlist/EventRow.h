#pragma once

#include "EventRecord.h"

#include <cstdint>

// One row of the event list: the event itself and the state of its transfer, which lives only
// as long as the row and is never saved.
struct EventRow {
    enum Button : std::int32_t { NoButton = 0, CancelButton = 1, CancelButtonHot = 2 };
    // Progress above 100 is the final state of a transfer that did not finish.
    enum ProgressCode : std::int32_t {
        NoProgress = -1,
        Connecting = 0,
        Finished = 100,
        ConnectFail = 101,
        Overtime = 102,
        Rejected = 103,
        Canceled = 104,
        OpenFailed = 105,
        WriteFailed = 106,
    };

    EventRecord Record;
    std::int32_t ButtonState = NoButton;
    std::int32_t Progress = NoProgress;
    // The transfer this row shows; 0 when it shows none.
    std::uint32_t TransferId = 0;

    bool HasButton() const { return ButtonState != NoButton; }
};
