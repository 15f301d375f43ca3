#pragma once

#include "OstCall.h"
#include "OstObject.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

// Follows the signed-in user's calls from the "CALL " texts and posts "SKYPE_CALL_MESSAGE"
// for each reported property. UI thread only.
class OstCallMonitor : public OstObject {
public:
    using SendFunction = std::function<void(const QString&)>;

    // More participant queries than this are never sent for one report: a conference is far
    // smaller, and a hostile count must not stall the program.
    static constexpr std::int32_t kMaxParticipantQueries = 100;

    explicit OstCallMonitor(SendFunction send);
    ~OstCallMonitor() override;

    void OnCallReply(const QString& text);
    // The record of the id; an unknown id gets a new record.
    OstCall* GetCall(const QString& id);
    std::size_t GetCallCount() const { return calls_.size(); }

private:
    SendFunction send_;
    std::vector<std::unique_ptr<OstCall>> calls_;
};
