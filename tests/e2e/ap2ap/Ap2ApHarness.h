#pragma once

#include "FakeSkypeTransport.h"
#include "OstAp2ApNotifyTarget.h"
#include "OstQueuedCall.h"
#include "OstSkypeAp2Ap.h"
#include "OstSkypeController.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <thread>

// Keeps every report as one line: "8 name resolution size" for announcements, else
// "status name done/total".
class RecordingTarget : public OstAp2ApNotifyTarget {
public:
    RecordingTarget() = default;

    void OnSkypeAp2ApMessage(const TransferReport& report) override {
        if (QThread::currentThread() != QCoreApplication::instance()->thread())
            offThread = true;
        reports.push_back(report);
        lines.append(Line(report));
        if (onReport)
            onReport(report);
    }

    static QString Line(const TransferReport& report) {
        if (const TransferAnnounce* a = report.Announce())
            return QStringLiteral("%1 %2 %3 %4")
                .arg(report.status)
                .arg(a->fileName, a->resolution, a->pictureSize);
        const TransferProgress* p = report.Progress();
        return QStringLiteral("%1 %2 %3/%4")
            .arg(report.status)
            .arg(p->fileName)
            .arg(p->done)
            .arg(p->total);
    }

    // Lines of the reports about one transfer.
    QStringList LinesOf(std::uint32_t id) const {
        QStringList out;
        for (const TransferReport& report : reports) {
            if (report.transferId == id)
                out.append(Line(report));
        }
        return out;
    }

    std::vector<TransferReport> reports;
    QStringList lines;
    bool offThread = false;
    std::function<void(const TransferReport&)> onReport;
};

// One transfer object on a controller whose Skype is a fake: the harness plays Skype's
// application streams and, through `remote`, the other copy of the program.
class Ap2ApHarness {
public:
    static Ap2ApConfig FastConfig() {
        Ap2ApConfig config;
        config.createTimeoutMs = 2000;
        config.connectTimeoutMs = 2000;
        config.ackTimeoutMs = 3000;
        config.packetTimeoutMs = 3000;
        config.pauseMs = 1;
        return config;
    }

    explicit Ap2ApHarness(const Ap2ApConfig& config = FastConfig()) {
        auto owned = std::make_unique<FakeSkypeTransport>();
        transport = owned.get();
        transport->answer = [this](const QString& command) { return Answer(command); };
        controller = std::make_unique<OstSkypeController>(std::move(owned), 10);
        controller->Discover();
        transport->Accept();
        transport->Deliver(QStringLiteral("CURRENTUSERHANDLE me"));
        transport->Deliver(QStringLiteral("USERSTATUS ONLINE"));
        folder = dir.path() + QStringLiteral("/Receive/");
        transport->ClearSent(); // the attach's own commands
        ap2ap = std::make_unique<OstSkypeAp2Ap>(*controller, QStringLiteral("me"), folder, &target,
                                                config);
    }

    ~Ap2ApHarness() {
        ap2ap.reset();
        controller.reset();
    }

    // Runs the event loop until done() holds or ms have passed.
    static bool WaitUntil(const std::function<bool()>& done, int ms = 15000) {
        QElapsedTimer timer;
        timer.start();
        while (!done()) {
            if (timer.elapsed() > ms)
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }
    static void Pump(int ms) {
        WaitUntil([] { return false; }, ms);
    }

    // The other side writes a packet to the stream; Skype tells the program there is data.
    void Offer(const QString& app, const QString& stream, const QString& packet) {
        {
            std::lock_guard guard(lock_);
            inbox_[stream].append(packet);
        }
        DeliverLater(
            QStringLiteral("APPLICATION %1 RECEIVED %2=%3").arg(app, stream).arg(packet.size()));
    }

    void DeliverLater(const QString& text) {
        OstQueuedCall::Post(transport, [t = transport, text] { t->Deliver(text); });
    }

    // The data part of every WRITE the program sent, in order.
    QStringList Writes() const {
        QStringList out;
        for (const QString& command : transport->Sent()) {
            const QStringList t = command.split(u' ');
            if (t.size() >= 5 && t[0] == u"ALTER" && t[3] == u"WRITE")
                out.append(command.section(u' ', 5));
        }
        return out;
    }
    QStringList SentStartingWith(const QString& head) const {
        QStringList out;
        for (const QString& command : transport->Sent()) {
            if (command.startsWith(head))
                out.append(command);
        }
        return out;
    }

    QStringList FolderEntries() const {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }
    QByteArray FileBytes(const QString& name) const {
        QFile file(folder + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QString WriteSource(const QString& name, const QByteArray& bytes) const {
        const QString path = dir.path() + u'/' + name;
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
        return path;
    }

    static QByteArray Pattern(qsizetype size) {
        QByteArray bytes(size, Qt::Uninitialized);
        for (qsizetype i = 0; i < size; ++i)
            bytes[i] = static_cast<char>((i * 131 + i / 251) & 0xff);
        return bytes;
    }

    // The packets another copy of the program sends for a file.
    static QStringList SenderPackets(const QString& name, const QByteArray& bytes,
                                     const QString& descriptor = QStringLiteral("640x480&1.2KB")) {
        QStringList packets;
        const qsizetype k = OstSkypeAp2Ap::kChunkBytes;
        const qsizetype n = (bytes.size() + k - 1) / k;
        packets.append(QStringLiteral("PKT-BEGIN %1 %2 %3").arg(name).arg(n).arg(descriptor));
        for (qsizetype i = 1; i <= n; ++i)
            packets.append(
                QStringLiteral("PKT-%1 %2 %3")
                    .arg(i)
                    .arg(name, QString::fromLatin1(bytes.mid((i - 1) * k, k).toBase64())));
        return packets;
    }

    // Plays the other copy sending `packets` on stream alice:1: the next one goes out on each
    // acknowledgement, until the file is through.
    void SendFromAlice(const QStringList& packets) {
        {
            std::lock_guard guard(lock_);
            outgoing_ = packets;
            nextOutgoing_ = 1;
        }
        // Other streams keep the answers they had.
        remote = [this, others = remote](const QString& stream,
                                         const QString& packet) -> QStringList {
            std::lock_guard guard(lock_);
            if (stream != u"alice:1")
                return others(stream, packet);
            if (!packet.startsWith(u"PKT-ACK ") || packet.endsWith(u" Cancel") ||
                nextOutgoing_ >= outgoing_.size())
                return {};
            return {outgoing_[nextOutgoing_++]};
        };
        Offer(QStringLiteral("me"), QStringLiteral("alice:1"), packets.value(0));
    }

    std::atomic<bool> confirmCreate{true};
    std::atomic<bool> giveStream{true};
    // What the other copy answers to one packet written on a stream (guarded by lock_ while
    // it runs, so set it before the transfer starts). The default acknowledges everything.
    std::function<QStringList(const QString& stream, const QString& packet)> remote =
        [](const QString&, const QString& packet) -> QStringList {
        if (packet.startsWith(u"PKT-Cancel ") || packet.startsWith(u"PKT-ACK "))
            return {};
        return {QStringLiteral("PKT-ACK ") + packet.section(u' ', 1, 1)};
    };

    QTemporaryDir dir;
    QString folder;
    RecordingTarget target;
    FakeSkypeTransport* transport = nullptr;
    std::unique_ptr<OstSkypeController> controller;
    std::unique_ptr<OstSkypeAp2Ap> ap2ap;

private:
    // Runs on whichever thread sends the command.
    QString Answer(const QString& command) {
        const QStringList t = command.split(u' ', Qt::SkipEmptyParts);
        if (command.startsWith(u"CREATE APPLICATION "))
            return confirmCreate ? command : QString();
        if (t.size() < 5 || t[0] != u"ALTER" || t[1] != u"APPLICATION")
            return {};
        const QString& app = t[2];
        const QString& verb = t[3];
        if (verb == u"CONNECT") {
            if (giveStream)
                DeliverLater(QStringLiteral("APPLICATION %1 STREAMS %1:1").arg(app));
            return command;
        }
        if (verb == u"WRITE" && t.size() >= 6) {
            const QString& stream = t[4];
            const QString packet = command.section(u' ', 5);
            QStringList replies;
            {
                std::lock_guard guard(lock_);
                replies = remote(stream, packet);
            }
            for (const QString& reply : replies)
                Offer(app, stream, reply);
            return QStringLiteral("ALTER APPLICATION %1 WRITE %2").arg(app, stream);
        }
        if (verb == u"READ") {
            const QString& stream = t[4];
            std::lock_guard guard(lock_);
            QStringList& queue = inbox_[stream];
            if (queue.isEmpty())
                return command;
            return command + u' ' + queue.takeFirst();
        }
        return command;
    }

    std::recursive_mutex lock_; // remote may call Offer
    QMap<QString, QStringList> inbox_;
    QStringList outgoing_;
    qsizetype nextOutgoing_ = 0;
};
