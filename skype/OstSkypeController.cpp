#include "OstSkypeController.h"

#include "OstDBusSkypeTransport.h"
#include "OstNotificationCenter.h"
#include "OstQueuedCall.h"
#include "OstText.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QThread>
#include <cstdio>

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
    timer_.setSingleShot(true);
    timer_.setInterval(discoveryIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &OstSkypeController::OnTimer);
    connect(transport_.get(), &OstSkypeTransport::attachAnswered, this,
            &OstSkypeController::OnAttachAnswered);
    connect(transport_.get(), &OstSkypeTransport::textReceived, this,
            &OstSkypeController::OnTextArrived);
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
        if (!outbox_.empty() || (onUiThread && sliceSpent_ >= kSendSlice)) {
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
    if (!transport_->Send(text))
        failed.push_back(link);
}

void OstSkypeController::ScheduleDrainLocked() {
    if (drainScheduled_)
        return;
    drainScheduled_ = true;
    OstQueuedCall::Post(this, [this] { DrainOutbox(); });
}

void OstSkypeController::DrainOutbox() {
    std::vector<std::uint64_t> failed;
    {
        std::lock_guard guard(sendLock_);
        drainScheduled_ = false;
        const auto start = std::chrono::steady_clock::now();
        while (!outbox_.empty() && std::chrono::steady_clock::now() - start < kSendSlice) {
            Pending next = std::move(outbox_.front());
            outbox_.pop_front();
            // Commands of an attach that has gone are dropped, as they are while detached.
            if (next.link == liveLink_.load())
                SendLocked(next.text, next.link, failed);
        }
        sliceSpent_ = {};
        if (!outbox_.empty())
            ScheduleDrainLocked();
    }
    for (const std::uint64_t link : failed)
        LinkFailed(link);
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
        outbox_.clear();
    }
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
