#pragma once

#include <QString>

// Common base of the model objects; observers that register with ForwardToObject receive
// their notifications through OnNotification.
class OstObject {
public:
    virtual ~OstObject();
    // The payload belongs to the poster and is valid only during the call.
    virtual void OnNotification(void* payload, const QString& name);
};
