// Loads a contact list of 3,000 friends through skype-peer (one "SEARCH FRIENDS", then three
// queries per contact) and reports the longest time the UI thread was kept from its event loop
// by the program: the longest a window would have stopped painting. Goal: no stall over 16 ms.
//
// A zero timer marks every pass of the UI thread's event loop. Between two passes, the stall is
// the processor time the UI thread used (CLOCK_THREAD_CPUTIME_ID) plus the time it spent
// blocked in a system call other than the event loop's poll (a lock, a blocking D-Bus call),
// which a watchdog thread samples every 0.5 ms from /proc/self/task/<id>/syscall. Time the
// thread waited for a processor is the machine's load, not the program's, and is left out:
// longest_stall_ms is the longest such stall. longest_gap_ms is the plain wall-clock gap
// between two passes, load included.

#include "FriendInfoUpdate.h"
#include "OstDBusSkypeTransport.h"
#include "OstNotificationCenter.h"
#include "OstSkypeController.h"
#include "PrivateBus.h"
#include "SkypePeerProcess.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <sys/syscall.h>
#include <thread>
#include <time.h>
#include <unistd.h>

namespace {

constexpr int kContacts = 3000;

QString Scenario() {
    QJsonArray users;
    QJsonArray friends;
    for (int i = 0; i < kContacts; ++i) {
        const QString handle = QStringLiteral("friend.%1").arg(i, 4, 10, QLatin1Char('0'));
        friends.append(handle);
        users.append(QJsonObject{
            {QStringLiteral("handle"), handle},
            {QStringLiteral("fullName"), QStringLiteral("Friend %1").arg(i)},
            {QStringLiteral("status"), i % 3 ? QStringLiteral("ONLINE") : QStringLiteral("AWAY")}});
    }
    users.prepend(QJsonObject{{QStringLiteral("handle"), QStringLiteral("me")},
                              {QStringLiteral("friends"), friends}});
    return QString::fromUtf8(QJsonDocument(QJsonObject{{QStringLiteral("users"), users}})
                                 .toJson(QJsonDocument::Compact));
}

// Counts the contacts whose online status has arrived.
struct StatusCounter : OstObject {
    int statuses = 0;
    void OnNotification(void* payload, const QString&) override {
        if (static_cast<FriendInfoUpdate*>(payload)->change == FRIEND_ONLINESTATUS)
            ++statuses;
    }
};

struct Link {
    PrivateBus bus;
    SkypePeerProcess peer;
    std::unique_ptr<OstSkypeController> controller;
    QString error;
    bool ok = false;

    Link() {
        if (!bus.IsValid()) {
            error = QStringLiteral("no private bus");
            return;
        }
        if (!peer.Start(Scenario(), {{QStringLiteral("me"), bus.Address()}}, 60000)) {
            error = QStringLiteral("skype-peer: ") + peer.LastError();
            return;
        }
        controller = std::make_unique<OstSkypeController>(
            std::make_unique<OstDBusSkypeTransport>(
                QDBusConnection::connectToBus(bus.Address(), QStringLiteral("stall-bench"))),
            100);
        controller->Discover();
        ok = SkypePeerProcess::WaitUntil([this] { return controller->IsAttached(); }, 10000);
        if (!ok)
            error = QStringLiteral("no attach");
    }
    ~Link() {
        controller.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("stall-bench"));
        peer.Stop();
    }
};

std::unique_ptr<Link> g_link;

qint64 ThreadCpu() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// Watches one thread: how long it was blocked in a system call other than poll.
class Watchdog {
public:
    explicit Watchdog(pid_t thread)
        : syscallFile_(QStringLiteral("/proc/self/task/%1/syscall").arg(thread)),
          sampler_([this] { Run(); }) {}
    ~Watchdog() {
        stop_ = true;
        sampler_.join();
    }
    // Nanoseconds blocked since the start.
    qint64 Blocked() const { return blocked_.load(); }

private:
    void Run() {
        constexpr auto kPeriod = std::chrono::microseconds(500);
        auto last = std::chrono::steady_clock::now();
        while (!stop_) {
            std::this_thread::sleep_for(kPeriod);
            const auto now = std::chrono::steady_clock::now();
            QFile file(syscallFile_);
            if (file.open(QIODevice::ReadOnly)) {
                // "running" when on a processor or waiting for one, else the call's number.
                const QByteArray first = file.readAll().split(' ').value(0);
                bool number = false;
                const long call = first.toLong(&number);
                if (number && call != SYS_poll && call != SYS_ppoll)
                    blocked_ +=
                        std::chrono::duration_cast<std::chrono::nanoseconds>(now - last).count();
            }
            last = now;
        }
    }
    const QString syscallFile_;
    std::atomic<bool> stop_{false};
    std::atomic<qint64> blocked_{0};
    std::thread sampler_;
};

void LoadContacts(benchmark::State& state) {
    if (!g_link || !g_link->ok) {
        const std::string why = g_link ? g_link->error.toStdString() : std::string("-");
        state.SkipWithError(why.c_str());
        return;
    }
    OstSkypeController& controller = *g_link->controller;
    StatusCounter counter;
    OstNotificationCenter::GetInstance().AddObserver(&counter,
                                                     OstNotificationCenter::ForwardToObject,
                                                     QStringLiteral("SKYPE_FRIEND_INFO_UPDATE"));
    Watchdog watchdog(static_cast<pid_t>(::syscall(SYS_gettid)));
    double worstStallMs = 0;
    double worstGapMs = 0;
    for (auto _ : state) {
        counter.statuses = 0;
        QElapsedTimer clock;
        qint64 last = 0;
        qint64 lastBlocked = watchdog.Blocked();
        qint64 lastCpu = ThreadCpu();
        qint64 longest = 0;
        qint64 longestGap = 0;
        QTimer heartbeat;
        heartbeat.setInterval(0);
        QObject::connect(&heartbeat, &QTimer::timeout, [&] {
            const qint64 now = clock.nsecsElapsed();
            const qint64 blocked = watchdog.Blocked();
            const qint64 cpu = ThreadCpu();
            longestGap = std::max(longestGap, now - last);
            longest = std::max(longest, (cpu - lastCpu) + (blocked - lastBlocked));
            last = now;
            lastBlocked = blocked;
            lastCpu = cpu;
        });
        clock.start();
        heartbeat.start();
        controller.SendCommand(QStringLiteral("SEARCH FRIENDS"));
        const bool loaded =
            SkypePeerProcess::WaitUntil([&] { return counter.statuses >= kContacts; }, 120000);
        const double seconds = clock.nsecsElapsed() / 1e9;
        heartbeat.stop();
        if (!loaded) {
            state.SkipWithError("the contact list did not load");
            break;
        }
        state.SetIterationTime(seconds);
        worstStallMs = std::max(worstStallMs, longest / 1e6);
        worstGapMs = std::max(worstGapMs, longestGap / 1e6);
        state.counters["longest_stall_ms"] = longest / 1e6;
        state.counters["longest_gap_ms"] = longestGap / 1e6;
        state.counters["contacts"] = kContacts;
    }
    state.counters["worst_stall_ms"] = worstStallMs;
    state.counters["worst_gap_ms"] = worstGapMs;
    OstNotificationCenter::GetInstance().RemoveObserver(&counter, QString());
}

BENCHMARK(LoadContacts)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    g_link = std::make_unique<Link>();
    benchmark::RunSpecifiedBenchmarks();
    g_link.reset();
    benchmark::Shutdown();
    return 0;
}
