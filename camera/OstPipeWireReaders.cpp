#include "OstPipeWireReaders.h"

#include <pipewire/pipewire.h>

#include <cstring>

struct OstPipeWireReaders::Listener {
    spa_hook hook{};
    pw_registry_events events{};
};

namespace {

void OnGlobal(void* data, std::uint32_t id, std::uint32_t, const char* type, std::uint32_t,
              const spa_dict* props) {
    static_cast<OstPipeWireReaders*>(data)->Added(id, type, props);
}

void OnGlobalRemove(void* data, std::uint32_t id) {
    static_cast<OstPipeWireReaders*>(data)->Removed(id);
}

} // namespace

OstPipeWireReaders::OstPipeWireReaders(QString nodeName) : nodeName_(std::move(nodeName)) {}

OstPipeWireReaders::~OstPipeWireReaders() {
    Stop();
}

bool OstPipeWireReaders::Start() {
    Stop();
    pw_init(nullptr, nullptr);
    loop_ = pw_thread_loop_new("orbit-readers", nullptr);
    if (!loop_)
        return false;
    context_ = pw_context_new(pw_thread_loop_get_loop(loop_), nullptr, 0);
    if (!context_ || pw_thread_loop_start(loop_) < 0) {
        Stop();
        return false;
    }
    pw_thread_loop_lock(loop_);
    core_ = pw_context_connect(context_, nullptr, 0);
    if (core_) {
        listener_ = new Listener;
        listener_->events.version = PW_VERSION_REGISTRY_EVENTS;
        listener_->events.global = OnGlobal;
        listener_->events.global_remove = OnGlobalRemove;
// PipeWire's method macros are GNU statement expressions.
#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wgnu-statement-expression"
#endif
        registry_ = pw_core_get_registry(core_, PW_VERSION_REGISTRY, 0);
        pw_registry_add_listener(registry_, &listener_->hook, &listener_->events, this);
#if defined(__clang__)
#pragma clang diagnostic pop
#endif
    }
    pw_thread_loop_unlock(loop_);
    if (!core_) {
        Stop();
        return false;
    }
    return true;
}

void OstPipeWireReaders::Stop() {
    if (loop_)
        pw_thread_loop_stop(loop_);
    if (listener_) {
        spa_hook_remove(&listener_->hook);
        delete listener_;
        listener_ = nullptr;
    }
    if (registry_) {
        pw_proxy_destroy(reinterpret_cast<pw_proxy*>(registry_));
        registry_ = nullptr;
    }
    if (core_) {
        pw_core_disconnect(core_);
        core_ = nullptr;
    }
    if (context_) {
        pw_context_destroy(context_);
        context_ = nullptr;
    }
    if (loop_) {
        pw_thread_loop_destroy(loop_);
        loop_ = nullptr;
    }
    nodes_.clear();
    linkOutputs_.clear();
    readers_.store(0, std::memory_order_release);
}

void OstPipeWireReaders::Added(std::uint32_t id, const char* type, const spa_dict* props) {
    if (!type || !props)
        return;
    if (std::strcmp(type, PW_TYPE_INTERFACE_Node) == 0) {
        const char* name = spa_dict_lookup(props, PW_KEY_NODE_NAME);
        if (name && nodeName_ == QString::fromUtf8(name))
            nodes_.insert(id);
    } else if (std::strcmp(type, PW_TYPE_INTERFACE_Link) == 0) {
        const char* output = spa_dict_lookup(props, PW_KEY_LINK_OUTPUT_NODE);
        if (output)
            linkOutputs_[id] = std::uint32_t(std::strtoul(output, nullptr, 10));
    } else {
        return;
    }
    Count();
}

void OstPipeWireReaders::Removed(std::uint32_t id) {
    nodes_.erase(id);
    linkOutputs_.erase(id);
    Count();
}

void OstPipeWireReaders::Count() {
    int readers = 0;
    for (const auto& [link, output] : linkOutputs_)
        readers += nodes_.count(output) ? 1 : 0;
    readers_.store(readers, std::memory_order_release);
}
