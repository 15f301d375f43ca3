#include "OstNotificationCenter.h"

#include <algorithm>

OstNotificationCenter& OstNotificationCenter::GetInstance() {
    static OstNotificationCenter instance;
    return instance;
}

OstNotificationCenter::~OstNotificationCenter() = default;

void OstNotificationCenter::AddObserver(void* observer, NotificationCallback callback,
                                        const QString& name) {
    std::lock_guard guard(lock_);
    auto& entries = observers_[name];
    const ObserverEntry entry{observer, callback};
    if (std::find(entries.begin(), entries.end(), entry) == entries.end())
        entries.push_back(entry);
}

void OstNotificationCenter::RemoveObserver(void* observer, const QString& name) {
    std::lock_guard guard(lock_);
    auto removeFrom = [observer](std::vector<ObserverEntry>& entries) {
        std::erase_if(entries, [observer](const ObserverEntry& e) { return e.observer == observer; });
    };
    if (name.isEmpty()) {
        for (auto& [key, entries] : observers_)
            removeFrom(entries);
        return;
    }
    if (auto it = observers_.find(name); it != observers_.end())
        removeFrom(it->second);
}

void OstNotificationCenter::PostNotification(const QString& name, void* payload) {
    std::lock_guard guard(lock_);
    auto it = observers_.find(name);
    if (it == observers_.end())
        return;
    // Index-based walk re-reading the size each step: callbacks may change this very array.
    const auto& entries = it->second;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const ObserverEntry entry = entries[i];
        entry.callback(entry.observer, payload, name);
    }
}

void OstNotificationCenter::ForwardToObject(void* observer, void* payload, const QString& name) {
    static_cast<OstObject*>(observer)->OnNotification(payload, name);
}

bool OstNotificationCenter::HasEntry(const QString& name) const {
    std::lock_guard guard(lock_);
    return observers_.contains(name);
}

std::size_t OstNotificationCenter::ObserverCount(const QString& name) const {
    std::lock_guard guard(lock_);
    auto it = observers_.find(name);
    return it == observers_.end() ? 0 : it->second.size();
}
