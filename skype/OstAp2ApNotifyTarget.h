#pragma once

#include "TransferReport.h"

// The window that gets "WM_SKYPE_AP2APMESSAGE": the transfer object calls it on the thread
// the transfer object was built on (the UI thread), and the reporting thread waits until the
// call has returned.
class OstAp2ApNotifyTarget {
public:
    virtual void OnSkypeAp2ApMessage(const TransferReport& report) = 0;

protected:
    OstAp2ApNotifyTarget() = default;
    ~OstAp2ApNotifyTarget() = default;
};
