#include "OstAutoResetEvent.h"

#include <chrono>

void OstAutoResetEvent::Set() {
    {
        std::lock_guard guard(lock_);
        signalled_ = true;
    }
    changed_.notify_all();
}

void OstAutoResetEvent::Reset() {
    std::lock_guard guard(lock_);
    signalled_ = false;
}

void OstAutoResetEvent::Wake() {
    // Taking the lock orders the caller's flag change before the waiter's next test.
    { std::lock_guard guard(lock_); }
    changed_.notify_all();
}

bool OstAutoResetEvent::Wait(int timeoutMs, const Interrupt& interrupted) {
    std::unique_lock guard(lock_);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    changed_.wait_until(guard, deadline,
                        [&] { return signalled_ || (interrupted && interrupted()); });
    const bool signalled = signalled_;
    signalled_ = false;
    return signalled;
}

void OstAutoResetEvent::Pause(int ms, const Interrupt& interrupted) {
    if (ms <= 0)
        return;
    std::unique_lock guard(lock_);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    changed_.wait_until(guard, deadline, [&] { return interrupted && interrupted(); });
}
