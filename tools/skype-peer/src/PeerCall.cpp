#include "PeerCall.h"

bool PeerCall::IsEnded() const {
    static const char* const kEnded[] = {"FAILED",  "FINISHED",     "MISSED",
                                         "REFUSED", "BUSY",         "CANCELLED",
                                         "VM_SENT", "VM_CANCELLED", "VM_FAILED"};
    for (const char* word : kEnded) {
        if (status == QLatin1String(word))
            return true;
    }
    return false;
}
