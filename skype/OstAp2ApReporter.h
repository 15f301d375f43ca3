#pragma once

#include "OstAp2ApNotifyTarget.h"
#include "TransferReport.h"

#include <QObject>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

// Carries reports from transfer threads to the notify target on the thread the reporter was
// built on, and lets the reporting thread wait until the target has handled each one, as a
// blocking queued call would. Unlike a blocking queued call it can be closed: from then on
// no report reaches the target and every waiting thread is released at once, so the owner
// may join its threads from the UI thread, even from inside a report handler.
class OstAp2ApReporter {
public:
    explicit OstAp2ApReporter(OstAp2ApNotifyTarget* target);
    ~OstAp2ApReporter();
    OstAp2ApReporter(const OstAp2ApReporter&) = delete;
    OstAp2ApReporter& operator=(const OstAp2ApReporter&) = delete;

    // From a worker: returns once the target has handled the report, or at once when closed.
    // From the reporter's own thread: the target is called directly.
    void Send(const TransferReport& report);
    // Hands the report to the target later, from the event loop, without waiting.
    void Post(const TransferReport& report);
    // Runs task on the reporter's thread after ms (0: from the event loop), unless closed by
    // then. Callable from any thread when ms is 0, else from the reporter's thread only.
    void Later(int ms, std::function<void()> task);

    // Idempotent; must be called on the reporter's thread.
    void Close();
    bool IsOpen() const;

private:
    struct Gate {
        std::mutex lock;
        std::condition_variable changed;
        bool open = true;
        bool IsOpen() {
            std::lock_guard guard(lock);
            return open;
        }
    };
    // Completes one Send when the delivery has run or was thrown away unrun.
    struct Delivery {
        Delivery(std::shared_ptr<Gate> g, std::shared_ptr<bool> d)
            : gate(std::move(g)), done(std::move(d)) {}
        ~Delivery() { Finish(); }
        Delivery(const Delivery&) = delete;
        Delivery& operator=(const Delivery&) = delete;
        void Finish();
        std::shared_ptr<Gate> gate;
        std::shared_ptr<bool> done; // guarded by gate->lock
    };

    OstAp2ApNotifyTarget* const target_;
    const std::shared_ptr<Gate> gate_;
    QObject context_; // lives on the UI thread; queued deliveries and timers run on it
};
