#pragma once

#include "OstVideoInputDevice.h"

#include <QString>

#include <memory>
#include <mutex>
#include <vector>

// The capture devices present now, in the order they were added: what a graph searches for
// its device path and what the device monitor lists.
class OstVideoInputCategory {
public:
    static OstVideoInputCategory& GetInstance();

    OstVideoInputCategory();
    ~OstVideoInputCategory();
    OstVideoInputCategory(const OstVideoInputCategory&) = delete;
    OstVideoInputCategory& operator=(const OstVideoInputCategory&) = delete;

    void Add(std::shared_ptr<OstVideoInputDevice> device);
    // Removes the first device of exactly this path; false when there is none.
    bool Remove(const QString& devicePath);
    // A snapshot: devices stay alive while a caller holds them, even once removed.
    std::vector<std::shared_ptr<OstVideoInputDevice>> Devices() const;

private:
    mutable std::mutex lock_;
    std::vector<std::shared_ptr<OstVideoInputDevice>> devices_;
};
