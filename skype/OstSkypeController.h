#pragma once

#include "OstCallMonitor.h"
#include "OstObject.h"
#include "OstSkypeTransport.h"
#include "OstUserMonitor.h"
#include "SkypeUserStatus.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

// The one link to Skype: attaches, sends commands, and classifies every text Skype sends
// into the two monitors or a named notification. Lives on the UI thread; SendCommand may
// be called from any thread.
class OstSkypeController : public QObject, public OstObject {
    Q_OBJECT
public:
    static constexpr int kDiscoveryIntervalMs = 1000;
    // How long the UI thread sends commands in one pass of its event loop before the rest of
    // a burst waits for the next pass, so the window keeps painting.
    static constexpr std::chrono::milliseconds kSendSlice{4};
    // A command the bus turned down goes again after a pause that doubles with each round of
    // refusals without any answer in between; after this many rounds the link counts as lost.
    static constexpr int kMaxRefusalRounds = 6;
    static constexpr int kFirstRetryPauseMs = 10;
    static inline const QString kClientName = QStringLiteral("Orbit");

    // The process-wide controller on the session bus, built on first use.
    static OstSkypeController& GetInstance();

    explicit OstSkypeController(std::unique_ptr<OstSkypeTransport> transport,
                                int discoveryIntervalMs = kDiscoveryIntervalMs,
                                QObject* parent = nullptr);
    ~OstSkypeController() override;

    // Asks for the attach and re-asks every interval until Skype accepts.
    void Discover();
    // Dropped without report while detached. Never waits for Skype: the reply is classified
    // later on the UI thread, in the order Skype sent it. Commands leave in the order of the
    // calls; a burst from the UI thread is spread over passes of its event loop, and at most
    // the transport's MaxInFlight wait for their replies at a time.
    void SendCommand(const QString& text);
    void OpenFileTransfer(const QString& handle, const QString& folder);

    // Classifies one text from Skype; runs on the UI thread.
    void OnSkypeMessage(const QString& text);

    QString GetCurrentUserHandle() const { return currentUserHandle_; }
    std::int32_t GetUserStatus() const { return userStatus_; }
    std::uint64_t GetSkypeVersion() const { return skypeVersion_; }
    bool IsAttached() const { return liveLink_.load() != 0; }
    bool IsDiscovering() const { return timer_.isActive(); }
    OstUserMonitor& GetUserMonitor() { return userMonitor_; }
    OstCallMonitor& GetCallMonitor() { return callMonitor_; }

    // Writes the traffic to standard error ("Skype=>PC: ..." and "PC=>Skype: '...'").
    void SetTrace(bool on) { trace_ = on; }

    // "a.b.c.d" -> each piece's leading digits, shifted in 8 bits at a time.
    static std::uint64_t ParseVersion(QStringView text);

signals:
    // On the UI thread, when Skype names a user other than the one known so far; Skype may
    // name the user only some time after it accepted the attach.
    void CurrentUserHandleChanged(const QString& handle);

private:
    void OnTimer();
    void OnAttachAnswered(int status);
    void OnTextArrived(const QString& text);
    void OnDisconnected();
    void LinkFailed(std::uint64_t link);
    void OnCommandSettled();
    void OnCommandRefused(const QString& text);
    void OnRetryPauseOver();
    // With the send lock held.
    void SendLocked(const QString& text, std::uint64_t link, std::vector<std::uint64_t>& failed);
    void ScheduleDrainLocked();
    // Sends from the outbox on the UI thread while the window and the slice allow.
    void PumpLocked(std::vector<std::uint64_t>& failed);
    bool MayPumpLocked() const { return !retryPaused_ && inFlight_ < window_; }
    void ResetWindowLocked();
    void DrainOutbox();
    void Trace(const QString& line) const;

    std::unique_ptr<OstSkypeTransport> transport_;
    QTimer timer_;
    QString currentUserHandle_;
    OstCallMonitor callMonitor_;
    OstUserMonitor userMonitor_;
    std::mutex sendLock_;
    // Commands waiting for the UI thread's next pass (guarded by the send lock). While it
    // holds anything, every command, from any thread, queues behind it, so none overtakes.
    struct Pending {
        QString text;
        std::uint64_t link;
    };
    std::deque<Pending> outbox_;
    // Refused commands waiting at the front of the outbox, in the order they were sent.
    std::size_t retriesAhead_ = 0;
    bool drainScheduled_ = false;
    // Commands handed to the transport and not yet settled, and how many may be (it shrinks
    // after a refusal and grows back with each answer, up to the transport's bound). Guarded
    // by the send lock.
    int inFlight_ = 0;
    int window_ = 0;
    int maxWindow_ = 0;
    bool retryPaused_ = false;
    int refusalRounds_ = 0;
    QTimer retryTimer_;
    // Time the UI thread spent sending since its event loop last ran the drain.
    std::chrono::steady_clock::duration sliceSpent_{};
    std::uint64_t skypeVersion_ = 0;
    std::int32_t userStatus_ = SKYPE_STATUS_OFFLINE;
    // Number of the current attach, 0 while detached; texts and failures of an older
    // attach are recognised by it and ignored.
    std::atomic<std::uint64_t> liveLink_{0};
    std::uint64_t attachCount_ = 0;
    std::atomic<bool> trace_{false};
};
