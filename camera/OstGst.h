#pragma once

#include <memory>

typedef struct _GstCaps GstCaps;

// GStreamer plumbing shared by the camera classes.
namespace OstGst {

// Initialises GStreamer once per process; false when it cannot start (no plugins, ...).
bool EnsureInitialized();

// GStreamer hands work between the owner's thread and its streaming threads under GLib's
// locks, which ThreadSanitizer cannot see into. HandOver before such a hand-over and TakeOver
// after it tell the tool about the order GStreamer guarantees; otherwise they do nothing.
void HandOver(const void* tag);
void TakeOver(const void* tag);

struct ObjectUnref {
    void operator()(void* object) const;
};
struct CapsUnref {
    void operator()(GstCaps* caps) const;
};
// Owning references that unref on scope exit, for objects handed out by GStreamer.
template <typename T> using Ref = std::unique_ptr<T, ObjectUnref>;
using CapsRef = std::unique_ptr<GstCaps, CapsUnref>;

} // namespace OstGst
