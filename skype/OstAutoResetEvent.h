#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>

// An auto-reset event whose waits can also be cut short: a waiter passes a test that is
// re-checked whenever Wake is called, so stop and cancel flags take effect at once.
class OstAutoResetEvent {
public:
    using Interrupt = std::function<bool()>;

    // Signals one wait; a signal that nobody waits for is kept for the next wait.
    void Set();
    // Drops a kept signal.
    void Reset();
    // Makes current waits re-check their interrupt test.
    void Wake();

    // Returns true when the event was signalled (the signal is consumed), false when the time
    // ran out or interrupted() became true first.
    bool Wait(int timeoutMs, const Interrupt& interrupted);
    // Sleeps for ms unless interrupted() becomes true first; signals are left alone.
    void Pause(int ms, const Interrupt& interrupted);

private:
    std::mutex lock_;
    std::condition_variable changed_;
    bool signalled_ = false;
};
