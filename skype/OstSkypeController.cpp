#include "OstSkypeController.h"

#include "OstDBusSkypeTransport.h"
#include "OstNotificationCenter.h"
#include "OstQueuedCall.h"
#include "OstText.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QThread>
#include <cstdio>
#include <limits>

namespace {

OstSkypeController* g_instance = nullptr;

bool StartsWith(const QString& text, QStringView piece) { return text.startsWith(piece); }

void Post(const char16_t* name, void* payload) {
    OstNotificationCenter::GetInstance().PostNotification(QString::fromUtf16(name), payload);
}

} // namespace

OstSkypeController& OstSkypeController::GetInstance() {
    if (!g_instance) {
        g_instance = new OstSkypeController(
            std::make_unique<OstDBusSkypeTransport>(QDBusConnection::sessionBus()));
        // Destroyed with the application object, in the reverse order of first use.
        qAddPostRoutine([] {
            delete g_instance;
            g_instance = nullptr;
        });
    }
    return *g_instance;
}

OstSkypeController::OstSkypeController(std::unique_ptr<OstSkypeTransport> transport,
                                       int discoveryIntervalMs, QObject* parent)
    : QObject(parent), transport_(std::move(transport)),
      callMonitor_([this](const QString& text) { SendCommand(text); }),
      userMonitor_([this](const QString& text) { SendCommand(text); }) {
    ResetWindowLocked(); // nobody sends before the first attach
    timer_.setSingleShot(true);
    timer_.setInterval(discoveryIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &OstSkypeController::OnTimer);
    retryTimer_.setSingleShot(true);
    connect(&retryTimer_, &QTimer::timeout, this, &OstSkypeController::OnRetryPauseOver);
    connect(transport_.get(), &OstSkypeTransport::attachAnswered, this,
            &OstSkypeController::OnAttachAnswered);
    connect(transport_.get(), &OstSkypeTransport::textReceived, this,
            &OstSkypeController::OnTextArrived);
    connect(transport_.get(), &OstSkypeTransport::commandSettled, this,
            &OstSkypeController::OnCommandSettled);
    connect(transport_.get(), &OstSkypeTransport::commandRefused, this,
            &OstSkypeController::OnCommandRefused);
    // A command the bus failed after it left, or a Skype that left the bus.
    connect(transport_.get(), &OstSkypeTransport::linkLost, this, [this] {
        if (IsAttached()) {
            OnDisconnected();
            Discover();
        }
    });
}

OstSkypeController::~OstSkypeController() {
    timer_.stop();
    retryTimer_.stop();
    transport_->disconnect(this);
}

void OstSkypeController::Discover() {
    transport_->RequestAttach(kClientName);
    timer_.start();
}

void OstSkypeController::OnTimer() {
    timer_.stop();
    if (IsAttached())
        return;
    transport_->RequestAttach(kClientName);
    timer_.start();
}

void OstSkypeController::OnAttachAnswered(int status) {
    // A second acceptance of a live link changes nothing.
    if (status != 0 || IsAttached())
        return;
    {
        // Answers still owed by an earlier link must not hold this one back.
        std::lock_guard guard(sendLock_);
        ResetWindowLocked();
    }
    liveLink_ = ++attachCount_;
    Post(u"SKYPE_CONNECTED", nullptr);
    SendCommand(QStringLiteral("GET SKYPEVERSION"));
    SendCommand(QStringLiteral("PING"));
}

void OstSkypeController::SendCommand(const QString& text) {
    if (liveLink_.load() == 0)
        return;
    std::vector<std::uint64_t> failed;
    {
        std::lock_guard guard(sendLock_);
        const std::uint64_t link = liveLink_.load();
        if (link == 0)
            return;
        const bool onUiThread = QThread::currentThread() == thread();
        if (!outbox_.empty() || !MayPumpLocked() || (onUiThread && sliceSpent_ >= kSendSlice)) {
            outbox_.push_back({text, link});
            ScheduleDrainLocked();
            return;
        }
        const auto start = std::chrono::steady_clock::now();
        SendLocked(text, link, failed);
        if (onUiThread) {
            sliceSpent_ += std::chrono::steady_clock::now() - start;
            // The next pass of the event loop starts a new slice.
            ScheduleDrainLocked();
        }
    }
    // Nothing is posted while the send lock is held: a lost link is handled on the UI thread.
    for (const std::uint64_t link : failed)
        LinkFailed(link);
}

void OstSkypeController::SendLocked(const QString& text, std::uint64_t link,
                                    std::vector<std::uint64_t>& failed) {
    Trace(QStringLiteral("PC=>Skype: '") + text + u'\'');
    if (transport_->Send(text))
        ++inFlight_;
    else
        failed.push_back(link);
}

void OstSkypeController::ScheduleDrainLocked() {
    if (drainScheduled_)
        return;
    drainScheduled_ = true;
    OstQueuedCall::Post(this, [this] { DrainOutbox(); });
}

void OstSkypeController::PumpLocked(std::vector<std::uint64_t>& failed) {
    const auto start = std::chrono::steady_clock::now();
    const auto spent = [&] { return sliceSpent_ + (std::chrono::steady_clock::now() - start); };
    while (!outbox_.empty() && MayPumpLocked() && spent() < kSendSlice) {
        Pending next = std::move(outbox_.front());
        outbox_.pop_front();
        if (retriesAhead_ > 0)
            --retriesAhead_;
        // Commands of an attach that has gone are dropped, as they are while detached.
        if (next.link == liveLink_.load())
            SendLocked(next.text, next.link, failed);
    }
    sliceSpent_ = spent();
    // With the slice used up the rest goes in the next pass; with the window full or during a
    // pause, an answer or the end of the pause pumps again.
    if (!outbox_.empty() && MayPumpLocked())
        ScheduleDrainLocked();
}

void OstSkypeController::DrainOutbox() {
    std::vector<std::uint64_t> failed;
    {
        std::lock_guard guard(sendLock_);
        drainScheduled_ = false;
        sliceSpent_ = {};
        PumpLocked(failed);
    }
    for (const std::uint64_t link : failed)
        LinkFailed(link);
}

void OstSkypeController::OnCommandSettled() {
    if (!IsAttached())
        return;
    std::vector<std::uint64_t> failed;
    {
        std::lock_guard guard(sendLock_);
        // Late answers of an earlier link were not counted in this one.
        inFlight_ = std::max(0, inFlight_ - 1);
        if (window_ < maxWindow_)
            ++window_;
        refusalRounds_ = 0;
        // The next command leaves as soon as a place is free, not one pass later.
        PumpLocked(failed);
    }
    for (const std::uint64_t link : failed)
        LinkFailed(link);
}

void OstSkypeController::OnCommandRefused(const QString& text) {
    const std::uint64_t link = liveLink_.load();
    if (link == 0)
        return;
    int pauseMs = 0;
    bool giveUp = false;
    {
        std::lock_guard guard(sendLock_);
        inFlight_ = std::max(0, inFlight_ - 1);
        // Ahead of everything still waiting, behind the commands refused before it.
        outbox_.insert(outbox_.begin() + std::ptrdiff_t(retriesAhead_), Pending{text, link});
        ++retriesAhead_;
        if (!retryPaused_) {
            // One round per pause: the refusals of a whole burst arrive together.
            retryPaused_ = true;
            // Below what the bus just turned down: what was waiting, the refused one included.
            window_ = std::max(1, std::min(window_, inFlight_ + 1) / 2);
            if (++refusalRounds_ < kMaxRefusalRounds)
                pauseMs = kFirstRetryPauseMs << (refusalRounds_ - 1);
            else
                giveUp = true;
        }
    }
    if (pauseMs > 0)
        retryTimer_.start(pauseMs);
    // A bus that has answered nothing but refusals for this long is no way to Skype.
    if (giveUp)
        LinkFailed(link);
}

void OstSkypeController::OnRetryPauseOver() {
    std::vector<std::uint64_t> failed;
    {
        std::lock_guard guard(sendLock_);
        retryPaused_ = false;
        PumpLocked(failed);
    }
    for (const std::uint64_t link : failed)
        LinkFailed(link);
}

void OstSkypeController::ResetWindowLocked() {
    outbox_.clear();
    retriesAhead_ = 0;
    inFlight_ = 0;
    const int bound = transport_->MaxInFlight();
    maxWindow_ = bound > 0 ? bound : std::numeric_limits<int>::max();
    window_ = maxWindow_;
    retryPaused_ = false;
    refusalRounds_ = 0;
}

void OstSkypeController::LinkFailed(std::uint64_t link) {
    // Only the first sender to see this link fail hands it over; from then on commands are
    // dropped, as they are after the disconnect handling.
    if (!liveLink_.compare_exchange_strong(link, 0))
        return;
    OstQueuedCall::Post(this, [this] {
        if (IsAttached())
            return; // a new attach already happened
        OnDisconnected();
        Discover();
    });
}

void OstSkypeController::OpenFileTransfer(const QString& handle, const QString& folder) {
    SendCommand(QStringLiteral("OPEN FILETRANSFER ") + handle + QStringLiteral(" IN ") + folder);
}

void OstSkypeController::OnTextArrived(const QString& text) {
    if (!IsAttached())
        return; // a text of a link that has gone
    Trace(QStringLiteral("Skype=>PC: ") + text);
    OnSkypeMessage(text);
}

void OstSkypeController::OnSkypeMessage(const QString& text) {
    const qsizetype app = text.indexOf(u"APPLICATION");
    if (app >= 0 && app < 10) {
        if (userStatus_ != SKYPE_STATUS_OFFLINE) {
            QString payload = text;
            Post(u"SKYPE_APPLICATION_MESSAGE", &payload);
        }
        return;
    }
    if (StartsWith(text, u"USER ")) {
        userMonitor_.OnUserReply(text);
    } else if (StartsWith(text, u"CHAT ")) {
        QString payload = text;
        Post(u"SKYPE_CHAT_MESSAGE", &payload);
    } else if (StartsWith(text, u"MESSAGE ")) {
        QString payload = text;
        Post(u"SKYPE_MESSAGE_MESSAGE", &payload);
    } else if (StartsWith(text, u"CALL ")) {
        callMonitor_.OnCallReply(text);
    } else if (StartsWith(text, u"USERS ")) {
        userMonitor_.OnUsersReply(text);
    } else if (StartsWith(text, u"CURRENTUSERHANDLE ")) {
        QString handle = text.mid(18);
        if (!handle.isEmpty() && handle != currentUserHandle_) {
            currentUserHandle_ = std::move(handle);
            emit CurrentUserHandleChanged(currentUserHandle_);
        }
    } else if (StartsWith(text, u"SKYPEVERSION")) {
        skypeVersion_ = ParseVersion(QStringView(text).mid(std::min<qsizetype>(13, text.size())));
    } else if (text == u"CONNSTATUS LOGGEDOUT") {
        userStatus_ = SKYPE_STATUS_OFFLINE;
        OnDisconnected();
        Discover();
    } else if (StartsWith(text, u"USERSTATUS ")) {
        static const std::pair<const char16_t*, std::int32_t> kWords[] = {
            {u"UNKNOWN", SKYPE_STATUS_UNKNOWN}, {u"OFFLINE", SKYPE_STATUS_OFFLINE},
            {u"ONLINE", SKYPE_STATUS_ONLINE},   {u"AWAY", SKYPE_STATUS_AWAY},
            {u"NA", SKYPE_STATUS_NA},           {u"DND", SKYPE_STATUS_DND},
            {u"INVISIBLE", SKYPE_STATUS_INVISIBLE}};
        const QStringView word = QStringView(text).mid(11);
        for (const auto& [name, code] : kWords) {
            if (word == QStringView(name))
                userStatus_ = code;
        }
        std::int32_t status = userStatus_;
        Post(u"SKYPE_USERSTATUS", &status);
    }
}

void OstSkypeController::OnDisconnected() {
    liveLink_ = 0;
    {
        std::lock_guard guard(sendLock_);
        ResetWindowLocked();
    }
    retryTimer_.stop();
    transport_->Detach();
    userMonitor_.ClearUsers();
    Post(u"SKYPE_DISCONNECTED", nullptr);
}

std::uint64_t OstSkypeController::ParseVersion(QStringView text) {
    std::uint64_t value = 0;
    for (const QStringView piece : text.split(u'.', Qt::SkipEmptyParts)) {
        const auto part = static_cast<std::int64_t>(OstText::LeadingDigits(piece));
        value = (value << 8) | static_cast<std::uint64_t>(part);
    }
    return value;
}

void OstSkypeController::Trace(const QString& line) const {
    if (trace_)
        std::fprintf(stderr, "%s\n", line.toUtf8().constData());
}
