// orbit_bench_soak [--minutes N] [--out <folder>]
//
// A long day of use (an hour by default): two copies of the program, alice and bob, through
// skype-peer. Every few seconds alice takes a photo and sends it to bob; every fourth round bob
// takes one and sends it back; the list is scrolled, the language switched now and then, the
// settings sheet opened and closed. Every minute the resident size, open file descriptors and
// threads of both processes are read from /proc. Writes soak.csv and soak.png (the curves) to
// the out folder and prints the figures: growth after the first ten minutes, per hour.

#include "OrbitUiProcess.h"
#include "PrivateBus.h"
#include "SkypePeerProcess.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

namespace {

const QString kScenario = QStringLiteral(R"({"users": [
    {"handle": "alice", "fullName": "Alice", "friends": ["bob"]},
    {"handle": "bob", "fullName": "Bob", "friends": ["alice"]}
  ]})");

struct Sample {
    double minute = 0;
    qint64 rssKb[2] = {0, 0};
    // The resident size split: the heap and other private memory, and mapped files (fonts).
    qint64 anonKb[2] = {0, 0};
    qint64 fileKb[2] = {0, 0};
    // The allocator's bytes in use, which its kept free pages and steps do not blur.
    qint64 heapKb[2] = {0, 0};
    qsizetype rows[2] = {0, 0};
    int fds[2] = {0, 0};
    int threads[2] = {0, 0};
};

qint64 Kb(const QByteArray& line, int skip) {
    return line.mid(skip).trimmed().split(' ').value(0).toLongLong();
}

// Resident kB and threads from /proc/<pid>/status, descriptors from /proc/<pid>/fd.
void Read(qint64 pid, Sample& s, int who) {
    qint64* rssKb = &s.rssKb[who];
    int* fds = &s.fds[who];
    int* threads = &s.threads[who];
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmRSS:"))
                *rssKb = Kb(line, 6);
            else if (line.startsWith("RssAnon:"))
                s.anonKb[who] = Kb(line, 8);
            else if (line.startsWith("RssFile:"))
                s.fileKb[who] = Kb(line, 8);
            else if (line.startsWith("Threads:"))
                *threads = line.mid(8).trimmed().toInt();
        }
    }
    *fds = int(QDir(QStringLiteral("/proc/%1/fd").arg(pid)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System).size());
}

// Both copies' figures at this minute: from /proc, and the heap and rows from each copy itself.
Sample Take(double minute, OrbitUiProcess* const (&copies)[2]) {
    Sample s;
    s.minute = minute;
    for (int who = 0; who < 2; ++who) {
        Read(copies[who]->ProcessId(), s, who);
        s.heapKb[who] = qint64(copies[who]->MemoryKb(OrbitUiProcess::Memory::HeapInUse));
        s.rows[who] = copies[who]->Rows().size();
    }
    return s;
}

// The least-squares slope of value over the samples from minute 10 on, per hour.
template <typename Value>
double SlopePerHour(const QList<Sample>& samples, Value value) {
    double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (const Sample& s : samples) {
        if (s.minute < 10)
            continue;
        const double x = s.minute / 60.0, y = double(value(s));
        n += 1, sx += x, sy += y, sxx += x * x, sxy += x * y;
    }
    const double d = n * sxx - sx * sx;
    return n < 2 || d == 0 ? 0 : (n * sxy - sx * sy) / d;
}

bool WaitForFriend(OrbitUiProcess& orbit, const QString& name) {
    return orbit.WaitUntil(
        [&] {
            const int from = orbit.LineCount();
            orbit.Command({QStringLiteral("items"), QStringLiteral("1002")});
            const int at = orbit.WaitForLine([](const QStringList& f) { return f.value(0) == u"items"; }, 5000, from);
            return at >= 0 && orbit.Lines()[at].contains(name);
        },
        60000);
}

// Takes a photo and sends the top row to the chosen friend.
void TakeAndSend(OrbitUiProcess& orbit) {
    const qsizetype before = orbit.Rows().size();
    orbit.Do({QStringLiteral("click"), QStringLiteral("1016")});
    orbit.WaitUntil([&] { return orbit.Rows().size() > before; }, 15000);
    orbit.Do({QStringLiteral("click-cell"), QStringLiteral("1000"), QStringLiteral("0"), QStringLiteral("2")});
    orbit.Do({QStringLiteral("click"), QStringLiteral("1017")});
}

void Plot(const QList<Sample>& samples, const QString& path) {
    const QSize size(900, 600);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRect area(70, 30, size.width() - 100, size.height() - 120);
    p.setPen(Qt::black);
    p.drawRect(area);
    const double maxMinute = std::max(1.0, samples.isEmpty() ? 1.0 : samples.last().minute);
    qint64 maxRss = 1;
    int maxCount = 1;
    for (const Sample& s : samples)
        for (int who = 0; who < 2; ++who) {
            maxRss = std::max(maxRss, s.rssKb[who]);
            maxCount = std::max({maxCount, s.fds[who], s.threads[who]});
        }
    const auto x = [&](double minute) { return area.left() + area.width() * minute / maxMinute; };
    const auto curve = [&](const QColor& colour, auto value, double top) {
        p.setPen(QPen(colour, 2));
        QPolygonF line;
        for (const Sample& s : samples)
            line << QPointF(x(s.minute), area.bottom() - area.height() * value(s) / top);
        p.drawPolyline(line);
    };
    const double rssTop = maxRss * 1.1;
    const double countTop = maxCount * 1.1;
    curve(QColor(0, 90, 200), [](const Sample& s) { return double(s.rssKb[0]); }, rssTop);
    curve(QColor(120, 170, 240), [](const Sample& s) { return double(s.rssKb[1]); }, rssTop);
    curve(QColor(200, 60, 40), [](const Sample& s) { return double(s.fds[0]); }, countTop);
    curve(QColor(40, 150, 60), [](const Sample& s) { return double(s.threads[0]); }, countTop);
    p.setPen(Qt::black);
    p.drawText(QRect(0, area.bottom() + 6, size.width(), 20), Qt::AlignCenter,
               QStringLiteral("minutes (0 to %1)").arg(maxMinute, 0, 'f', 0));
    const QStringList legend{QStringLiteral("resident size, alice (0 to %1 MB)").arg(rssTop / 1024, 0, 'f', 0),
                             QStringLiteral("resident size, bob"),
                             QStringLiteral("open descriptors, alice (0 to %1)").arg(countTop, 0, 'f', 0),
                             QStringLiteral("threads, alice (same scale)")};
    const QColor colours[] = {QColor(0, 90, 200), QColor(120, 170, 240), QColor(200, 60, 40), QColor(40, 150, 60)};
    for (int i = 0; i < 4; ++i) {
        const QPoint at(area.left() + 10 + (i % 2) * 400, size.height() - 50 + (i / 2) * 22);
        p.fillRect(QRect(at, QSize(12, 12)), colours[i]);
        p.drawText(at + QPoint(18, 11), legend[i]);
    }
    p.end();
    image.save(path);
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    int minutes = 60;
    QString out = QDir::currentPath();
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == u"--minutes")
            minutes = args[i + 1].toInt();
        else if (args[i] == u"--out")
            out = args[i + 1];
    }
    QTemporaryDir dir;
    PrivateBus aliceBus, bobBus;
    SkypePeerProcess peer;
    if (!dir.isValid() || !aliceBus.IsValid() || !bobBus.IsValid() ||
        !peer.Start(kScenario, {{QStringLiteral("alice"), aliceBus.Address()}, {QStringLiteral("bob"), bobBus.Address()}})) {
        std::fprintf(stderr, "the Skype stand-in did not start\n");
        return 1;
    }
    OrbitUiProcess alice, bob;
    if (!alice.Start(aliceBus.Address(), dir.filePath(QStringLiteral("alice"))) ||
        !bob.Start(bobBus.Address(), dir.filePath(QStringLiteral("bob"))) ||
        !WaitForFriend(alice, QStringLiteral("Bob")) || !WaitForFriend(bob, QStringLiteral("Alice"))) {
        std::fprintf(stderr, "the copies did not start\n");
        return 1;
    }
    alice.Do({QStringLiteral("pick"), QStringLiteral("1002"), QStringLiteral("Bob")});
    bob.Do({QStringLiteral("pick"), QStringLiteral("1002"), QStringLiteral("Alice")});

    OrbitUiProcess* const copies[2] = {&alice, &bob};
    QList<Sample> samples;
    QElapsedTimer clock;
    clock.start();
    const qint64 end = qint64(minutes) * 60000;
    qint64 nextSample = 0;
    const QStringList languages{QStringLiteral("1033"), QStringLiteral("1028"), QStringLiteral("1042")};
    for (int round = 0; clock.elapsed() < end; ++round) {
        if (clock.elapsed() >= nextSample) {
            const Sample s = Take(clock.elapsed() / 60000.0, copies);
            samples.append(s);
            std::printf("%6.1f min  alice %7lld kB %4d fds %3d threads   bob %7lld kB %4d fds %3d threads\n",
                        s.minute, s.rssKb[0], s.fds[0], s.threads[0], s.rssKb[1], s.fds[1], s.threads[1]);
            std::fflush(stdout);
            nextSample += 60000;
        }
        TakeAndSend(alice);
        if (round % 4 == 3)
            TakeAndSend(bob);
        alice.Do({QStringLiteral("key"), QStringLiteral("1000"), round % 2 ? QStringLiteral("End") : QStringLiteral("Home")});
        if (round % 10 == 9)
            alice.Do({QStringLiteral("language"), languages[(round / 10) % 3]});
        if (round % 7 == 6) {
            // The sheet is modal: the command returns once it is up, and Cancel closes it.
            alice.Do({QStringLiteral("click"), QStringLiteral("1020")});
            alice.Do({QStringLiteral("click"), QStringLiteral("2")});
        }
        alice.WaitUntil([] { return false; }, 3000);
    }
    const Sample last = Take(clock.elapsed() / 60000.0, copies);
    samples.append(last);

    QFile csv(out + QStringLiteral("/soak.csv"));
    if (csv.open(QIODevice::WriteOnly)) {
        QTextStream text(&csv);
        text << "minute";
        for (const char* who : {"alice", "bob"})
            for (const char* column : {"rss_kb", "anon_kb", "file_kb", "heap_kb", "rows", "fds", "threads"})
                text << ',' << who << '_' << column;
        text << '\n';
        for (const Sample& s : samples) {
            text << s.minute;
            for (int who = 0; who < 2; ++who)
                text << ',' << s.rssKb[who] << ',' << s.anonKb[who] << ',' << s.fileKb[who] << ','
                     << s.heapKb[who] << ',' << s.rows[who] << ',' << s.fds[who] << ',' << s.threads[who];
            text << '\n';
        }
    }
    Plot(samples, out + QStringLiteral("/soak.png"));

    // Growth from the first sample at or after ten minutes (or the first, in a short run).
    const Sample* from = &samples.first();
    for (const Sample& s : samples)
        if (s.minute >= 10) {
            from = &s;
            break;
        }
    const double hours = std::max(1e-6, (last.minute - from->minute) / 60.0);
    for (int who = 0; who < 2; ++who)
        std::printf("%s: resident %+.2f MB per hour after minute %.0f (heap and private %+.2f, mapped files "
                    "%+.2f); descriptors %d -> %d; threads %d -> %d\n",
                    who == 0 ? "alice" : "bob", (last.rssKb[who] - from->rssKb[who]) / 1024.0 / hours,
                    from->minute, (last.anonKb[who] - from->anonKb[who]) / 1024.0 / hours,
                    (last.fileKb[who] - from->fileKb[who]) / 1024.0 / hours, from->fds[who], last.fds[who],
                    from->threads[who], last.threads[who]);
    // The rows are the user's own data, so the heap's growth is also given per row added.
    for (int who = 0; who < 2; ++who) {
        const double rss = SlopePerHour(samples, [who](const Sample& s) { return s.rssKb[who]; }) / 1024;
        const double heap = SlopePerHour(samples, [who](const Sample& s) { return s.heapKb[who]; }) / 1024;
        const double rows = SlopePerHour(samples, [who](const Sample& s) { return s.rows[who]; });
        std::printf("%s by a least-squares fit from minute 10: resident %+.2f MB per hour, heap in use %+.2f MB "
                    "per hour, %lld rows (%+.0f an hour, %.2f kB of heap each)\n",
                    who == 0 ? "alice" : "bob", rss, heap, static_cast<long long>(last.rows[who]), rows,
                    rows > 0 ? heap * 1024 / rows : 0.0);
    }
    const bool clean = alice.Quit() && bob.Quit();
    peer.Stop();
    return clean ? 0 : 1;
}
