#include "OstGst.h"

#include <gst/gst.h>

#include <mutex>

#if defined(__SANITIZE_THREAD__)
#define ORBIT_TSAN 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define ORBIT_TSAN 1
#endif
#endif
#ifdef ORBIT_TSAN
#include <sanitizer/tsan_interface.h>
#endif

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

#ifdef ORBIT_TSAN
void HandOver(const void* tag) {
    __tsan_release(const_cast<void*>(tag));
}
void TakeOver(const void* tag) {
    __tsan_acquire(const_cast<void*>(tag));
}
#else
void HandOver(const void*) {}
void TakeOver(const void*) {}
#endif

void ObjectUnref::operator()(void* object) const {
    if (object)
        gst_object_unref(object);
}

void CapsUnref::operator()(GstCaps* caps) const {
    if (caps)
        gst_caps_unref(caps);
}

} // namespace OstGst
