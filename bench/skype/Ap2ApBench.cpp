// Sends a photo between two copies of the transfer side, each on its own bus, through
// skype-peer, with the protocol's real pauses and waits, and compares the time with the
// protocol's floor: every packet (the announcement and each data packet) takes four pauses
// in its round trip (the sender's WRITE, the receiver's READ, the receiver's acknowledging
// WRITE, the sender's READ of it), so no transfer can be faster than (n + 1) x 4 x 50 ms.

#include "Ap2ApDriverProcess.h"
#include "PrivateBus.h"
#include "SkypePeerProcess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kChunkBytes = 10242;
constexpr int kPauseMs = 50;
constexpr int kPausesPerRoundTrip = 4;

struct Network {
    QTemporaryDir dir;
    PrivateBus aliceBus;
    PrivateBus bobBus;
    SkypePeerProcess peer;
    Ap2ApDriverProcess alice;
    Ap2ApDriverProcess bob;
    bool ok = false;
    QString error;

    Network() {
        if (!aliceBus.IsValid() || !bobBus.IsValid()) {
            error = QStringLiteral("no private bus");
        } else if (!peer.Start(QStringLiteral(R"({"users": [{"handle": "alice", "friends": ["bob"]},
                                                    {"handle": "bob", "friends": ["alice"]}]})"),
                               {{QStringLiteral("alice"), aliceBus.Address()},
                                {QStringLiteral("bob"), bobBus.Address()}})) {
            error = QStringLiteral("skype-peer: ") + peer.LastError();
        } else if (!alice.Start(aliceBus.Address(), dir.path() + QStringLiteral("/alice/")) ||
                   !bob.Start(bobBus.Address(), dir.path() + QStringLiteral("/bob/"))) {
            error = QStringLiteral("a driver did not get ready");
        } else {
            ok = true;
        }
    }
    ~Network() {
        alice.Quit();
        bob.Quit();
        peer.Stop();
    }
};

std::unique_ptr<Network> g_network;

void SendPhoto(benchmark::State& state) {
    const qsizetype size = state.range(0);
    if (!g_network || !g_network->ok) {
        const std::string why = g_network ? g_network->error.toStdString() : std::string("-");
        state.SkipWithError(why.c_str());
        return;
    }
    Network& net = *g_network;
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 31 + i / 977) & 0xff);
    const int packets = int((size + kChunkBytes - 1) / kChunkBytes);
    const double floorSeconds = (packets + 1) * kPausesPerRoundTrip * kPauseMs / 1000.0;
    int round = 0;
    for (auto _ : state) {
        const QString name = QStringLiteral("photo-%1-%2.jpg").arg(size).arg(round++);
        const QString path = net.dir.path() + u'/' + name;
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != size) {
            state.SkipWithError("cannot write the photo");
            return;
        }
        file.close();
        QElapsedTimer timer;
        timer.start();
        const qint64 id = net.alice.Send(QStringLiteral("bob"), path);
        const QStringList sent =
            id > 0 ? net.alice.WaitForReport(std::uint32_t(id), {2, 4, 7, 11, 14, 16, 17}, 600000)
                   : QStringList();
        const double sentSeconds = timer.nsecsElapsed() / 1e9;
        const std::uint32_t incoming = net.bob.IncomingId(name, 10000);
        const QStringList received = net.bob.WaitForReport(incoming, {10, 12, 15, 16, 17}, 60000);
        const double receivedSeconds = timer.nsecsElapsed() / 1e9;
        if (sent.value(2) != u"14" || received.value(2) != u"15") {
            state.SkipWithError("the photo did not arrive");
            return;
        }
        state.SetIterationTime(sentSeconds);
        state.counters["packets"] = packets;
        state.counters["floor_s"] = floorSeconds;
        state.counters["sent_s"] = sentSeconds;
        state.counters["received_s"] = receivedSeconds;
        state.counters["ratio"] = sentSeconds / floorSeconds;
    }
    state.SetBytesProcessed(state.iterations() * size);
}

BENCHMARK(SendPhoto)
    ->Arg(300 * 1024)
    ->Arg(2 * 1024 * 1024)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    g_network = std::make_unique<Network>();
    benchmark::RunSpecifiedBenchmarks();
    g_network.reset();
    benchmark::Shutdown();
    return 0;
}
