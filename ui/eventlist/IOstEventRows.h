#pragma once

#include "EventRecord.h"

#include <QList>
#include <QString>
#include <cstdint>

// The event rows as the transfers change them; the event model is the real one. Rows are
// addressed by their index from the top; an index outside the rows does nothing.
class IOstEventRows {
public:
    virtual ~IOstEventRows() = default;
    virtual void AddEvent(const EventRecord& record, std::uint32_t transferId = 0) = 0;
    // For the first row carrying the transfer id; a row that shows a final state keeps it.
    virtual void SetProgress(std::uint32_t transferId, int value) = 0;
    virtual int FindByTransferId(std::uint32_t transferId) const = 0;
    // A transfer that ended without completing: the Cancel button goes.
    virtual void EndTransfer(int index) = 0;
    virtual bool GetRecord(int index, EventRecord& record) const = 0;
    virtual QString GetPeerName(int index) const = 0;
    // The photo of the row is now called name (in the row's folder).
    virtual void SetEventName(int index, const QString& name) = 0;
};
