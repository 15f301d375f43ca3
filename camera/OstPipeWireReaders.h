#pragma once

#include <QString>

#include <atomic>
#include <cstdint>
#include <map>
#include <set>

struct pw_thread_loop;
struct pw_context;
struct pw_core;
struct pw_registry;

// Whether anybody reads a PipeWire node: the session's links whose output is a node of that
// name, followed through the registry on PipeWire's own thread. The shared camera hands frames
// on only while there is a reader, so an unwatched camera costs no conversion.
class OstPipeWireReaders {
public:
    explicit OstPipeWireReaders(QString nodeName);
    ~OstPipeWireReaders();
    OstPipeWireReaders(const OstPipeWireReaders&) = delete;
    OstPipeWireReaders& operator=(const OstPipeWireReaders&) = delete;

    // Connects to the session's PipeWire; false when it cannot be reached.
    bool Start();
    void Stop();
    bool HasReaders() const { return readers_.load(std::memory_order_acquire) > 0; }

    // Registry events, on PipeWire's thread.
    void Added(std::uint32_t id, const char* type, const struct spa_dict* props);
    void Removed(std::uint32_t id);

private:
    void Count();

    QString nodeName_;
    pw_thread_loop* loop_ = nullptr;
    pw_context* context_ = nullptr;
    pw_core* core_ = nullptr;
    pw_registry* registry_ = nullptr;
    struct Listener;
    Listener* listener_ = nullptr;
    // Only touched on PipeWire's thread.
    std::set<std::uint32_t> nodes_;
    std::map<std::uint32_t, std::uint32_t> linkOutputs_;
    std::atomic<int> readers_{0};
};
