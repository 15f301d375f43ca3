#include "OstGst.h"

#include <gst/gst.h>

#include <mutex>

namespace OstGst {

bool EnsureInitialized() {
    static std::once_flag once;
    static bool initialized = false;
    std::call_once(once, [] {
        GError* error = nullptr;
        initialized = gst_init_check(nullptr, nullptr, &error);
        if (error)
            g_error_free(error);
    });
    return initialized;
}

void ObjectUnref::operator()(void* object) const {
    if (object)
        gst_object_unref(object);
}

void CapsUnref::operator()(GstCaps* caps) const {
    if (caps)
        gst_caps_unref(caps);
}

} // namespace OstGst
