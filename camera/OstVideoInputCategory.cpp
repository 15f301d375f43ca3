#include "OstVideoInputCategory.h"

#include <algorithm>

OstVideoInputCategory& OstVideoInputCategory::GetInstance() {
    static OstVideoInputCategory instance;
    return instance;
}

OstVideoInputCategory::OstVideoInputCategory() = default;
OstVideoInputCategory::~OstVideoInputCategory() = default;

void OstVideoInputCategory::Add(std::shared_ptr<OstVideoInputDevice> device) {
    if (!device)
        return;
    std::lock_guard guard(lock_);
    devices_.push_back(std::move(device));
}

bool OstVideoInputCategory::Remove(const QString& devicePath) {
    std::lock_guard guard(lock_);
    const auto it = std::find_if(devices_.begin(), devices_.end(),
                                 [&](const auto& d) { return d->DevicePath() == devicePath; });
    if (it == devices_.end())
        return false;
    devices_.erase(it);
    return true;
}

std::vector<std::shared_ptr<OstVideoInputDevice>> OstVideoInputCategory::Devices() const {
    std::lock_guard guard(lock_);
    return devices_;
}
