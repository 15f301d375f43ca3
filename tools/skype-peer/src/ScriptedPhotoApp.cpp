#include "ScriptedPhotoApp.h"

#include "PeerNetwork.h"
#include "PeerUser.h"
#include "PhotoPacket.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTimer>

namespace {

// Same cap as the program's receiver: a photo never needs more.
constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;
constexpr int kMaxPackets = int(kMaxFileBytes / PhotoPacket::kChunkBytes) + 1;

// A received name must stay a plain file name inside the receive folder.
bool IsSafeName(const QString& name) {
    if (name.isEmpty() || name.startsWith(QLatin1Char('.')) || name.toUtf8().size() > 255)
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20 ||
            c.unicode() == 0x7f)
            return false;
    }
    return true;
}

QString FreePath(const QString& folder, const QString& name) {
    QString path = folder + QLatin1Char('/') + name;
    if (!QFileInfo::exists(path))
        return path;
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? name.left(dot) : name;
    const QString extension = dot > 0 ? name.mid(dot) : QString();
    for (int k = 1;; ++k) {
        path = QStringLiteral("%1/%2(%3)%4").arg(folder, base).arg(k).arg(extension);
        if (!QFileInfo::exists(path))
            return path;
    }
}

// The picture size text the program sends, its first blank removed.
QString SizeText(qint64 bytes) {
    if (bytes <= 1024)
        return QStringLiteral("%1Bytes").arg(double(bytes), 0, 'f', 2);
    if (bytes <= 1024 * 1024)
        return QStringLiteral("%1KB").arg(double(bytes) / 1024, 0, 'f', 2);
    return QStringLiteral("%1MB").arg(double(bytes) / (1024 * 1024), 0, 'f', 2);
}

} // namespace

struct ScriptedPhotoApp::Transfer {
    QString id;
    QString direction;
    QString peer;
    QString name;
    QString state;
    int done = 0;
    int total = 0;
    QString path;
    qint64 timeMs = 0;
    bool active = false;

    QString app;
    QString stream;
    QTimer* timer = nullptr;

    // Receiving
    QString resolution;
    QString pictureSize;
    QByteArray bytes;

    // Sending
    QStringList packets;
    int next = 0;
    int cancelAfter = -1;
    int ackTimeoutMs = 30000;
    int connectTimeoutMs = 20000;
};

ScriptedPhotoApp::ScriptedPhotoApp(PeerNetwork& network, const PeerUser& user, QObject* parent)
    : QObject(parent), network_(network), handle_(user.handle), folder_(user.receiveFolder),
      mode_(user.receiveMode), modeCount_(user.receiveCount), ackDelayMs_(user.ackDelayMs),
      receiveTimeoutMs_(qMax(1, user.receiveTimeoutMs)) {}

ScriptedPhotoApp::~ScriptedPhotoApp() = default;

bool ScriptedPhotoApp::SetReceiveMode(const QString& mode, int count, QString* error) {
    if (mode != QLatin1String("accept") && mode != QLatin1String("refuse") &&
        mode != QLatin1String("silent") && mode != QLatin1String("cancel")) {
        *error = QStringLiteral("receive mode must be accept, refuse, silent or cancel");
        return false;
    }
    mode_ = mode;
    modeCount_ = qMax(0, count);
    return true;
}

ScriptedPhotoApp::Transfer& ScriptedPhotoApp::NewTransfer(const QString& direction) {
    auto transfer = std::make_unique<Transfer>();
    transfer->id = handle_ + QLatin1Char('#') + QString::number(nextId_++);
    transfer->direction = direction;
    transfer->timeMs = QDateTime::currentMSecsSinceEpoch();
    transfer->timer = new QTimer(this);
    transfer->timer->setSingleShot(true);
    transfers_.push_back(std::move(transfer));
    return *transfers_.back();
}

ScriptedPhotoApp::Transfer*
ScriptedPhotoApp::FindActive(const QString& direction, const QString& app, const QString& stream) {
    for (const auto& transfer : transfers_) {
        if (transfer->active && transfer->direction == direction && transfer->app == app &&
            transfer->stream == stream)
            return transfer.get();
    }
    return nullptr;
}

QList<PeerRecord> ScriptedPhotoApp::Transfers() const {
    QList<PeerRecord> rows;
    for (const auto& t : transfers_) {
        rows.append(PeerRecord{t->timeMs,
                               {t->id, t->direction, t->peer, t->name, t->state,
                                QString::number(t->done), QString::number(t->total), t->path}});
    }
    return rows;
}

void ScriptedPhotoApp::ArmTimer(Transfer& transfer, int ms, const QString& stateOnTimeout) {
    transfer.timer->disconnect();
    Transfer* target = &transfer;
    connect(transfer.timer, &QTimer::timeout, this, [this, target, stateOnTimeout] {
        if (target->active)
            Finish(*target, stateOnTimeout);
    });
    transfer.timer->start(ms);
}

void ScriptedPhotoApp::WriteLater(const QString& app, const QString& stream,
                                  const QString& packet) {
    if (ackDelayMs_ == 0) {
        network_.AppWrite(handle_, app, stream, packet);
        return;
    }
    QTimer::singleShot(ackDelayMs_, this, [this, app, stream, packet] {
        network_.AppWrite(handle_, app, stream, packet);
    });
}

void ScriptedPhotoApp::Finish(Transfer& transfer, const QString& state) {
    transfer.active = false;
    transfer.state = state;
    transfer.timer->stop();
    transfer.bytes.clear();
    if (transfer.direction != QLatin1String("out"))
        return;
    // The sender closes its connection and application, then starts the next file to that user.
    const QString app = transfer.app;
    if (!transfer.stream.isEmpty())
        network_.AppDisconnect(handle_, app, transfer.stream);
    network_.AppDelete(handle_, app);
    for (const auto& queued : transfers_) {
        if (queued->direction == QLatin1String("out") && queued->state == QLatin1String("queued") &&
            queued->app == app) {
            StartOffer(*queued);
            break;
        }
    }
}

// ---- receiving

void ScriptedPhotoApp::Received(const QString& app, const QString& stream, const QString& data) {
    if (Transfer* out = FindActive(QStringLiteral("out"), app, stream)) {
        HandleAck(*out, data);
        return;
    }
    HandleIncoming(app, stream, data);
}

void ScriptedPhotoApp::HandleIncoming(const QString& app, const QString& stream,
                                      const QString& data) {
    const PhotoPacket packet = PhotoPacket::Parse(data);
    if (packet.kind == PhotoPacket::Kind::Begin) {
        Announce(app, stream, packet.name, packet.countText, packet.descriptor);
        return;
    }
    if (packet.kind != PhotoPacket::Kind::Data && packet.kind != PhotoPacket::Kind::Cancel)
        return;
    Transfer* transfer = nullptr;
    for (const auto& candidate : transfers_) {
        if (candidate->active && candidate->direction == QLatin1String("in") &&
            candidate->app == app && candidate->stream == stream && candidate->name == packet.name)
            transfer = candidate.get();
    }
    if (!transfer)
        return;
    if (packet.kind == PhotoPacket::Kind::Cancel)
        Finish(*transfer, QStringLiteral("cancelled-by-sender"));
    else
        HandleData(*transfer, packet.index, packet.data);
}

void ScriptedPhotoApp::Announce(const QString& app, const QString& stream, const QString& name,
                                const QString& countText, const QString& descriptor) {
    Transfer& transfer = NewTransfer(QStringLiteral("in"));
    transfer.app = app;
    transfer.stream = stream;
    transfer.peer = stream.left(stream.lastIndexOf(QLatin1Char(':')));
    transfer.name = name;
    const qsizetype amp = descriptor.indexOf(QLatin1Char('&'));
    transfer.resolution = amp < 0 ? descriptor : descriptor.left(amp);
    transfer.pictureSize = amp < 0 ? QString() : descriptor.mid(amp + 1);
    bool numeric = false;
    const int count = countText.toInt(&numeric);
    transfer.total = numeric ? count : 0;
    if (mode_ == QLatin1String("silent")) {
        transfer.state = QStringLiteral("ignored");
        return;
    }
    QString refusal;
    if (mode_ == QLatin1String("refuse"))
        refusal = QStringLiteral("refused");
    else if (!IsSafeName(name))
        refusal = QStringLiteral("refused-name");
    else if (!numeric || count < 0 || count > kMaxPackets)
        refusal = QStringLiteral("refused-size");
    if (!refusal.isEmpty()) {
        transfer.state = refusal;
        WriteLater(app, stream, PhotoPacket::AckCancel(name));
        return;
    }
    transfer.active = true;
    transfer.state = QStringLiteral("receiving");
    WriteLater(app, stream, PhotoPacket::Ack(name));
    // An empty file is complete once announced (the program itself would wait for a packet
    // that never comes).
    if (transfer.total == 0) {
        StoreFile(transfer);
        return;
    }
    ArmTimer(transfer, receiveTimeoutMs_, QStringLiteral("timeout"));
}

void ScriptedPhotoApp::HandleData(Transfer& transfer, int index, const QString& data) {
    if (mode_ == QLatin1String("silent"))
        return;
    if (mode_ == QLatin1String("cancel") && transfer.done >= modeCount_) {
        WriteLater(transfer.app, transfer.stream, PhotoPacket::AckCancel(transfer.name));
        Finish(transfer, QStringLiteral("cancelled-here"));
        return;
    }
    if (index == transfer.done + 1) {
        const auto decoded = QByteArray::fromBase64Encoding(
            data.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        const bool plain = data.toLatin1() == data.toUtf8();
        if (!decoded || !plain || decoded.decoded.size() > PhotoPacket::kChunkBytes) {
            WriteLater(transfer.app, transfer.stream, PhotoPacket::AckCancel(transfer.name));
            Finish(transfer, QStringLiteral("failed-data"));
            return;
        }
        transfer.bytes.append(decoded.decoded);
        ++transfer.done;
    } else if (index < 1 || index > transfer.done) {
        // A gap means a packet was lost: the file could only be stored corrupted.
        WriteLater(transfer.app, transfer.stream, PhotoPacket::AckCancel(transfer.name));
        Finish(transfer, QStringLiteral("failed-order"));
        return;
    }
    // A repeated packet is acknowledged again but not stored twice.
    WriteLater(transfer.app, transfer.stream, PhotoPacket::Ack(transfer.name));
    if (transfer.done == transfer.total)
        StoreFile(transfer);
    else
        ArmTimer(transfer, receiveTimeoutMs_, QStringLiteral("timeout"));
}

void ScriptedPhotoApp::StoreFile(Transfer& transfer) {
    if (!QDir().mkpath(folder_)) {
        Finish(transfer, QStringLiteral("failed-write"));
        return;
    }
    const QString path = FreePath(folder_, transfer.name);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(transfer.bytes) != transfer.bytes.size() ||
        !file.commit()) {
        Finish(transfer, QStringLiteral("failed-write"));
        return;
    }
    transfer.path = path;
    transfer.name = QFileInfo(path).fileName();
    Finish(transfer, QStringLiteral("complete"));
}

// ---- sending

bool ScriptedPhotoApp::Offer(const QString& to, const QString& path, const QVariantMap& options,
                             QString* id, QString* error) {
    const PeerUser* target = network_.User(to);
    if (!target || to == handle_) {
        *error = QStringLiteral("\"%1\" is not another user of the network").arg(to);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    if (file.size() > kMaxFileBytes) {
        *error = QStringLiteral("%1 is larger than 64 MiB").arg(path);
        return false;
    }
    const QByteArray bytes = file.readAll();
    const QString name =
        options.value(QStringLiteral("name"), QFileInfo(path).fileName()).toString();
    if (name.isEmpty() || name.contains(QLatin1Char(' '))) {
        *error = QStringLiteral("a file name sent in packets cannot be empty or hold blanks");
        return false;
    }
    Transfer& transfer = NewTransfer(QStringLiteral("out"));
    transfer.peer = to;
    transfer.app = to;
    transfer.name = name;
    transfer.path = QFileInfo(path).absoluteFilePath();
    transfer.cancelAfter = options.value(QStringLiteral("cancelAfter"), -1).toInt();
    transfer.ackTimeoutMs = qMax(1, options.value(QStringLiteral("ackTimeoutMs"), 30000).toInt());
    transfer.connectTimeoutMs =
        qMax(1, options.value(QStringLiteral("connectTimeoutMs"), 20000).toInt());
    for (qsizetype at = 0; at < bytes.size(); at += PhotoPacket::kChunkBytes) {
        transfer.packets.append(PhotoPacket::Data(int(transfer.packets.size()) + 1, name,
                                                  bytes.mid(at, PhotoPacket::kChunkBytes)));
    }
    transfer.total = int(transfer.packets.size());
    transfer.packets.prepend(PhotoPacket::Begin(
        name, transfer.total,
        options.value(QStringLiteral("resolution"), QStringLiteral("640x480")).toString(),
        options.value(QStringLiteral("pictureSize"), SizeText(bytes.size())).toString()));
    *id = transfer.id;
    bool busy = false;
    for (const auto& other : transfers_) {
        busy = busy || (other.get() != &transfer && other->active &&
                        other->direction == QLatin1String("out") && other->app == to);
    }
    if (busy) {
        // Files to one user travel one after the other, like the program's job queue.
        transfer.active = true;
        transfer.state = QStringLiteral("queued");
        return true;
    }
    StartOffer(transfer);
    return true;
}

void ScriptedPhotoApp::StartOffer(Transfer& transfer) {
    transfer.active = true;
    transfer.state = QStringLiteral("connecting");
    if (!network_.AppCreate(handle_, transfer.app).isEmpty()) {
        transfer.active = false;
        transfer.state = QStringLiteral("failed");
        return;
    }
    network_.AppConnect(handle_, transfer.app, transfer.peer);
    ArmTimer(transfer, transfer.connectTimeoutMs, QStringLiteral("no-stream"));
}

void ScriptedPhotoApp::StreamOpened(const QString& app, const QString& stream) {
    for (const auto& transfer : transfers_) {
        if (transfer->active && transfer->direction == QLatin1String("out") &&
            transfer->state == QLatin1String("connecting") && transfer->app == app &&
            transfer->stream.isEmpty()) {
            transfer->stream = stream;
            transfer->state = QStringLiteral("sending");
            SendPacket(*transfer);
            return;
        }
    }
}

void ScriptedPhotoApp::SendPacket(Transfer& transfer) {
    network_.AppWrite(handle_, transfer.app, transfer.stream, transfer.packets.at(transfer.next));
    ArmTimer(transfer, transfer.ackTimeoutMs, QStringLiteral("timeout"));
}

void ScriptedPhotoApp::HandleAck(Transfer& transfer, const QString& data) {
    const PhotoPacket packet = PhotoPacket::Parse(data);
    if (packet.name != transfer.name)
        return;
    if (packet.kind == PhotoPacket::Kind::AckCancel) {
        Finish(transfer, QStringLiteral("refused"));
        return;
    }
    if (packet.kind != PhotoPacket::Kind::Ack)
        return;
    transfer.done = transfer.next;
    ++transfer.next;
    if (transfer.next >= transfer.packets.size()) {
        Finish(transfer, QStringLiteral("sent"));
        return;
    }
    if (transfer.cancelAfter >= 0 && transfer.done >= transfer.cancelAfter) {
        network_.AppWrite(handle_, transfer.app, transfer.stream,
                          PhotoPacket::Cancel(transfer.name));
        Finish(transfer, QStringLiteral("cancelled"));
        return;
    }
    SendPacket(transfer);
}

bool ScriptedPhotoApp::CancelOffer(const QString& id, QString* error) {
    for (const auto& transfer : transfers_) {
        if (transfer->id != id || transfer->direction != QLatin1String("out"))
            continue;
        if (!transfer->active) {
            *error = QStringLiteral("transfer %1 has ended already").arg(id);
            return false;
        }
        if (transfer->state == QLatin1String("sending"))
            network_.AppWrite(handle_, transfer->app, transfer->stream,
                              PhotoPacket::Cancel(transfer->name));
        if (transfer->state == QLatin1String("queued")) {
            transfer->active = false;
            transfer->state = QStringLiteral("cancelled");
            return true;
        }
        Finish(*transfer, QStringLiteral("cancelled"));
        return true;
    }
    *error = QStringLiteral("no offer %1").arg(id);
    return false;
}

void ScriptedPhotoApp::StreamClosed(const QString& app, const QString& stream) {
    for (const auto& transfer : transfers_) {
        if (!transfer->active || transfer->app != app || transfer->stream != stream)
            continue;
        // The stream is gone already; only the application is left to delete.
        transfer->stream.clear();
        Finish(*transfer, QStringLiteral("broken"));
    }
}

void ScriptedPhotoApp::LoggedOut() {
    for (const auto& transfer : transfers_) {
        if (!transfer->active)
            continue;
        transfer->stream.clear();
        Finish(*transfer, QStringLiteral("broken"));
    }
}
