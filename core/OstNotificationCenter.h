#pragma once

#include "OstObject.h"

#include <QString>
#include <map>
#include <mutex>
#include <vector>

using NotificationCallback = void (*)(void* observer, void* payload, const QString& name);

struct ObserverEntry {
    void* observer = nullptr;
    NotificationCallback callback = nullptr;
    bool operator==(const ObserverEntry&) const = default;
};

// Process-wide broker of named notifications. Delivery is synchronous, on the posting thread,
// with the one recursive lock held, so observers may post, add or remove from their callbacks.
//
// Text payloads are passed as `const QString*`.
class OstNotificationCenter : public OstObject {
public:
    static OstNotificationCenter& GetInstance();

    OstNotificationCenter() = default;
    ~OstNotificationCenter() override;
    OstNotificationCenter(const OstNotificationCenter&) = delete;
    OstNotificationCenter& operator=(const OstNotificationCenter&) = delete;

    void AddObserver(void* observer, NotificationCallback callback, const QString& name);
    // An empty name removes the observer from every name.
    void RemoveObserver(void* observer, const QString& name);
    void PostNotification(const QString& name, void* payload);

    // The callback for OstObject observers: calls observer->OnNotification(payload, name).
    static void ForwardToObject(void* observer, void* payload, const QString& name);

    // For tests and diagnostics: whether the name has a map entry, and its entry count.
    bool HasEntry(const QString& name) const;
    std::size_t ObserverCount(const QString& name) const;

private:
    mutable std::recursive_mutex lock_;
    // Entries are never erased: an array may only become empty.
    std::map<QString, std::vector<ObserverEntry>> observers_;
};
