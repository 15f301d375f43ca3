#include "OstSkypeAp2Ap.h"

#include "OstNotificationCenter.h"
#include "OstSkypeController.h"
#include "OstText.h"
#include "OstTransferId.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {

const QString kApplicationMessage = QStringLiteral("SKYPE_APPLICATION_MESSAGE");
const QString kDisconnected = QStringLiteral("SKYPE_DISCONNECTED");

// Packets a sender may queue for one file before the receiver has taken them: far more than
// stop-and-wait ever leaves waiting, far less than a flood would pile up.
constexpr qsizetype kMaxQueuedChars = 16 * ((OstSkypeAp2Ap::kChunkBytes + 2) / 3 * 4);
// "(k)" counters tried before a name counts as unavailable.
constexpr int kMaxNameCounter = 9999;
// Room left in a 255-byte file name for the "(k)" counter.
constexpr qsizetype kMaxNameBytes = 240;

QString FileNameOf(const QString& path) {
    return path.mid(path.lastIndexOf(u'/') + 1);
}

// A blank would split the packet's tokens, so the name on the wire has none.
QString WireName(const QString& name) {
    QString wire = name;
    for (QChar& c : wire) {
        if (c.isSpace() || c.category() == QChar::Other_Control)
            c = u'_';
    }
    return wire;
}

bool ReadWholeFile(const QString& path, qint64 maxBytes, QByteArray* bytes) {
    // Only regular files: a pipe or device would never end.
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > maxBytes)
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *bytes = file.readAll();
    return file.error() == QFileDevice::NoError && bytes->size() <= maxBytes;
}

bool DecodeChunk(const QString& text, QByteArray* bytes) {
    // One character left over carries no whole byte; Qt would quietly drop it.
    if (text.size() % 4 == 1)
        return false;
    for (const QChar c : text) {
        if (c.unicode() > 0x7f)
            return false;
    }
    auto result =
        QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (result.decodingStatus != QByteArray::Base64DecodingStatus::Ok)
        return false;
    *bytes = std::move(result.decoded);
    return true;
}

// A dangling link still occupies its name.
bool IsTaken(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// The name itself when free, else base + "(k)" + extension with the first free k; a name
// without "." takes the counter at its end. Empty when no name is free.
QString FreeName(const QString& folder, const QString& name) {
    if (!IsTaken(folder + name))
        return name;
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString base = dot < 0 ? name : name.left(dot);
    const QString extension = dot < 0 ? QString() : name.mid(dot);
    for (int k = 1; k <= kMaxNameCounter; ++k) {
        const QString candidate = base + u'(' + QString::number(k) + u')' + extension;
        if (!IsTaken(folder + candidate))
            return candidate;
    }
    return {};
}

template <typename Record>
void MoveRecord(std::vector<std::unique_ptr<Record>>& from,
                std::vector<std::unique_ptr<Record>>& to, Record* record) {
    const auto it = std::find_if(from.begin(), from.end(),
                                 [record](const auto& owned) { return owned.get() == record; });
    // Absent while the destructor holds the records itself.
    if (it == from.end())
        return;
    to.push_back(std::move(*it));
    from.erase(it);
}

} // namespace

OstSkypeAp2Ap::OstSkypeAp2Ap(OstSkypeController& skype, const QString& ownHandle,
                             const QString& receiveFolder, OstAp2ApNotifyTarget* notifyWindow,
                             const Ap2ApConfig& config)
    : skype_(skype), ownHandle_(ownHandle), config_(config), reporter_(notifyWindow) {
    SetReceiveFolder(receiveFolder);
    auto& center = OstNotificationCenter::GetInstance();
    center.AddObserver(this, &OstNotificationCenter::ForwardToObject, kApplicationMessage);
    center.AddObserver(this, &OstNotificationCenter::ForwardToObject, kDisconnected);
    Command(QStringLiteral("CREATE APPLICATION ") + ownHandle_);
}

OstSkypeAp2Ap::~OstSkypeAp2Ap() {
    OstNotificationCenter::GetInstance().RemoveObserver(this, QString());
    // Closed first: a thread waiting for the UI thread to take its report is released, so
    // joining it below cannot wait on this very thread.
    reporter_.Close();
    std::vector<std::unique_ptr<ContactSender>> senders;
    std::vector<std::unique_ptr<IncomingFile>> files;
    {
        std::lock_guard guard(sendLock_);
        for (auto* list : {&senders_, &retiredSenders_}) {
            for (auto& sender : *list) {
                sender->shutdown = true;
                sender->replyEvent.Wake();
                sender->ackEvent.Wake();
                senders.push_back(std::move(sender));
            }
            list->clear();
        }
    }
    {
        std::lock_guard guard(receiveLock_);
        for (auto* list : {&incoming_, &retiredIncoming_}) {
            for (auto& file : *list) {
                file->shutdown = true;
                file->packetEvent.Wake();
                files.push_back(std::move(file));
            }
            list->clear();
        }
    }
    for (auto& sender : senders) {
        if (sender->thread.joinable())
            sender->thread.join();
    }
    for (auto& file : files) {
        if (file->thread.joinable())
            file->thread.join();
    }
}

void OstSkypeAp2Ap::SetReceiveFolder(const QString& folder) {
    std::lock_guard guard(folderLock_);
    receiveFolder_ = folder;
    if (!receiveFolder_.isEmpty() && !receiveFolder_.endsWith(u'/'))
        receiveFolder_ += u'/';
}

QString OstSkypeAp2Ap::GetReceiveFolder() const {
    std::lock_guard guard(folderLock_);
    return receiveFolder_;
}

std::size_t OstSkypeAp2Ap::GetSenderCount() const {
    std::lock_guard guard(sendLock_);
    return senders_.size();
}

std::size_t OstSkypeAp2Ap::GetIncomingCount() const {
    std::lock_guard guard(receiveLock_);
    return incoming_.size();
}

bool OstSkypeAp2Ap::IsSafeFileName(const QString& name) {
    if (name.isEmpty() || name.startsWith(u'.') || name.contains(u"..") || name.contains(u'/') ||
        name.contains(u'\\') || !name.isValidUtf16() || name.toUtf8().size() > kMaxNameBytes)
        return false;
    for (const char32_t c : name.toUcs4()) {
        switch (QChar::category(c)) {
        case QChar::Other_Control:
        case QChar::Other_Format:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
            return false;
        default:
            break;
        }
    }
    return true;
}

void OstSkypeAp2Ap::Command(const QString& text) {
    skype_.SendCommand(text);
}

void OstSkypeAp2Ap::Report(const QString& peer, std::uint32_t id, TransferStatus status,
                           const QString& fileName, std::int32_t done, std::int32_t total) {
    TransferReport report;
    report.peer = peer;
    report.transferId = id;
    report.status = status;
    report.details = TransferProgress{fileName, done, total};
    reporter_.Send(report);
}

// ---- UI thread -------------------------------------------------------------------------

std::uint32_t OstSkypeAp2Ap::SendFile(const QString& path, const QString& contact,
                                      const QString& resolution, const QString& pictureSize) {
    Reap();
    if (path.isEmpty() || contact.isEmpty())
        return 0;
    std::lock_guard guard(sendLock_);
    for (auto& sender : senders_) {
        if (sender->application != contact)
            continue;
        std::lock_guard senderGuard(sender->senderLock);
        for (const SendJob& job : sender->jobs) {
            if (job.path == path)
                return 0;
        }
        const std::uint32_t id = OstTransferId::Next();
        sender->jobs.push_back(SendJob{id, path, resolution, pictureSize});
        return id;
    }
    const std::uint32_t id = OstTransferId::Next();
    auto sender = std::make_unique<ContactSender>(contact);
    sender->jobs.push_back(SendJob{id, path, resolution, pictureSize});
    ContactSender* raw = sender.get();
    senders_.push_back(std::move(sender));
    raw->thread = std::thread([this, raw] { RunSender(raw); });
    return id;
}

bool OstSkypeAp2Ap::CancelTransfer(std::uint32_t id) {
    Reap();
    if (id == 0)
        return false;
    {
        std::lock_guard guard(sendLock_);
        for (auto& sender : senders_) {
            std::lock_guard senderGuard(sender->senderLock);
            if (sender->currentTransferId == id) {
                sender->cancel = true;
                sender->ackEvent.Wake();
                return true;
            }
            const auto it = std::find_if(sender->jobs.begin(), sender->jobs.end(),
                                         [id](const SendJob& job) { return job.transferId == id; });
            if (it != sender->jobs.end()) {
                const QString name = FileNameOf(it->path);
                sender->jobs.erase(it);
                // A dropped photo would otherwise never hear of again; reported after this
                // call returns, as the threads' reports are.
                TransferReport report;
                report.peer = sender->application;
                report.transferId = id;
                report.status = TRANSFER_CANCELLED;
                report.details = TransferProgress{name, 0, 0};
                reporter_.Post(report);
                return true;
            }
        }
    }
    std::lock_guard guard(receiveLock_);
    for (auto& file : incoming_) {
        if (file->transferId == id) {
            file->stop = true;
            file->packetEvent.Wake();
            return true;
        }
    }
    return false;
}

void OstSkypeAp2Ap::OnNotification(void* payload, const QString& name) {
    if (name == kApplicationMessage && payload) {
        OnApplicationMessage(*static_cast<const QString*>(payload));
    } else if (name == kDisconnected) {
        // Streams die with the link: every transfer ends now rather than after its wait.
        {
            std::lock_guard guard(sendLock_);
            for (auto& sender : senders_) {
                sender->linkLost = true;
                sender->replyEvent.Wake();
                sender->ackEvent.Wake();
            }
        }
        std::lock_guard guard(receiveLock_);
        for (auto& file : incoming_) {
            file->linkLost = true;
            file->packetEvent.Wake();
        }
    }
}

void OstSkypeAp2Ap::OnApplicationMessage(const QString& text) {
    Reap();
    const QStringList t = OstText::SplitBlanks(text);
    if (t.size() >= 6 && t[0] == u"ALTER" && t[3] == u"READ") {
        OnReadResult(t);
        return;
    }
    if (t.size() >= 2 && t[0] != u"APPLICATION" && t[1] == u"APPLICATION") {
        if (t[0] == u"CREATE" && t.size() >= 3) {
            std::lock_guard guard(sendLock_);
            for (auto& sender : senders_) {
                if (sender->application == t[2]) {
                    sender->replyEvent.Set();
                    break;
                }
            }
        }
        return;
    }
    if (t.size() >= 3 && t[0] == u"APPLICATION" && t[2] == u"STREAMS") {
        std::lock_guard guard(sendLock_);
        for (qsizetype i = 3; i < t.size(); ++i) {
            const QString& stream = t[i];
            // Skype lists every stream of the application; one a sender holds is not new.
            const bool held =
                std::any_of(senders_.begin(), senders_.end(),
                            [&](const auto& sender) { return sender->stream == stream; });
            if (held)
                continue;
            for (auto& sender : senders_) {
                if (sender->application == t[1] && sender->stream.isEmpty()) {
                    sender->stream = stream;
                    sender->replyEvent.Set();
                    break;
                }
            }
        }
        return;
    }
    if (t.size() >= 4 && t[0] == u"APPLICATION" && t[2] == u"RECEIVED") {
        const qsizetype equals = t[3].lastIndexOf(u'=');
        if (equals > 0) {
            const QString read = QStringLiteral("ALTER APPLICATION ") + t[1] +
                                 QStringLiteral(" READ ") + t[3].left(equals);
            // The pause runs on a timer so that the UI thread is not put to sleep.
            reporter_.Later(config_.pauseMs, [this, read] { Command(read); });
        }
    }
}

void OstSkypeAp2Ap::OnReadResult(const QStringList& t) {
    const QString& app = t[2];
    const QString& stream = t[4];
    const QString& kind = t[5];
    // Stream numbers count per application, so a stream is known by both names.
    if (kind == u"PKT-ACK") {
        std::lock_guard guard(sendLock_);
        for (auto& sender : senders_) {
            if (sender->application == app && sender->stream == stream) {
                if (t.size() == 8 && t[7] == u"Cancel")
                    sender->refused = true;
                sender->ackEvent.Set();
                break;
            }
        }
        return;
    }
    if (app != ownHandle_)
        return; // photos come only to the application this program listens on
    if (kind == u"PKT-BEGIN") {
        if (t.size() < 8)
            return; // without a name and a count it announces nothing
        const QString& name = t[6];
        std::lock_guard guard(receiveLock_);
        for (const auto& file : incoming_) {
            // The same announcement twice on one stream is one file.
            if (file->stream == stream && file->announcedName == name && !file->closed)
                return;
        }
        if (std::ssize(incoming_) >= config_.maxIncomingFiles) {
            // Refused without a thread of its own; the pause runs on a timer here too.
            const QString refusal = QStringLiteral("ALTER APPLICATION ") + ownHandle_ +
                                    QStringLiteral(" WRITE ") + stream +
                                    QStringLiteral(" PKT-ACK ") + name + QStringLiteral(" Cancel");
            reporter_.Later(config_.pauseMs, [this, refusal] { Command(refusal); });
            return;
        }
        const qsizetype colon = stream.lastIndexOf(u':');
        auto file = std::make_unique<IncomingFile>(
            colon < 0 ? stream : stream.left(colon), stream, name, OstText::ToInt(t[7]),
            t.size() > 8 ? t[8] : QString(), OstTransferId::Next());
        file->fileName = name;
        IncomingFile* raw = file.get();
        incoming_.push_back(std::move(file));
        raw->thread = std::thread([this, raw] { RunReceiver(raw); });
        return;
    }
    if (!kind.startsWith(u"PKT-") || t.size() < 7)
        return;
    const QString& name = t[6];
    const bool cancel = kind == u"PKT-Cancel";
    IncomingFile::Chunk chunk;
    if (!cancel) {
        bool number = false;
        chunk.index = kind.mid(4).toInt(&number);
        if (!number)
            return; // no packet kind this program sends
        chunk.present = t.size() > 7;
        if (chunk.present)
            chunk.text = t[7];
    }
    std::lock_guard guard(receiveLock_);
    for (auto& file : incoming_) {
        if (file->stream != stream || file->announcedName != name || file->closed)
            continue;
        if (cancel) {
            file->cancelled = true;
            file->closed = true; // the sender may announce its next photo at once
        } else if (file->queuedChars + chunk.text.size() > kMaxQueuedChars) {
            file->overflow = true;
        } else {
            file->queuedChars += chunk.text.size();
            file->chunks.push_back(std::move(chunk));
        }
        file->packetEvent.Set();
        break;
    }
}

void OstSkypeAp2Ap::Reap() {
    std::vector<std::unique_ptr<ContactSender>> senders;
    std::vector<std::unique_ptr<IncomingFile>> files;
    {
        std::lock_guard guard(sendLock_);
        senders.swap(retiredSenders_);
    }
    {
        std::lock_guard guard(receiveLock_);
        files.swap(retiredIncoming_);
    }
    // Retired threads have nothing left to do but return.
    for (auto& sender : senders)
        sender->thread.join();
    for (auto& file : files)
        file->thread.join();
}

// ---- sending thread --------------------------------------------------------------------

void OstSkypeAp2Ap::RunSender(ContactSender* sender) {
    const QString& app = sender->application;
    for (;;) {
        sender->linkLost = false; // a new connection is tried on whatever link there is now
        const QString stream = Connect(sender);
        if (!stream.isEmpty())
            SendJobs(sender, stream);
        // A thread stopped by destruction leaves Skype alone: it drops the client's
        // applications itself, and the program must not wait on it now.
        if (sender->shutdown)
            break;
        Command(QStringLiteral("ALTER APPLICATION ") + app + QStringLiteral(" DISCONNECT ") +
                stream);
        Command(QStringLiteral("DELETE APPLICATION ") + app);
        std::lock_guard guard(sendLock_);
        std::lock_guard senderGuard(sender->senderLock);
        sender->stream.clear();
        // Decided under both locks, so a photo queued meanwhile is either seen here and sent
        // over a new connection, or queued on a new sender.
        if (sender->jobs.empty()) {
            MoveRecord(senders_, retiredSenders_, sender);
            break;
        }
    }
    reporter_.Later(0, [this] { Reap(); });
}

QString OstSkypeAp2Ap::Connect(ContactSender* sender) {
    const QString& app = sender->application;
    const auto gone = [sender] { return sender->shutdown || sender->linkLost; };
    Command(QStringLiteral("CREATE APPLICATION ") + app);
    const bool created = sender->replyEvent.Wait(config_.createTimeoutMs, gone);
    if (sender->shutdown)
        return {};
    if (!created) {
        FailQueuedJobs(sender, TRANSFER_CREATE_FAILED);
        return {};
    }
    Command(QStringLiteral("ALTER APPLICATION ") + app + QStringLiteral(" CONNECT ") + app);
    // A second creation echo must not pass for the stream, so wait until one is recorded.
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(config_.connectTimeoutMs);
    QString stream;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        const bool woken =
            sender->replyEvent.Wait(static_cast<int>(std::max<qint64>(0, left.count())), gone);
        {
            std::lock_guard guard(sendLock_);
            stream = sender->stream;
        }
        if (!stream.isEmpty() || !woken)
            break;
    }
    if (sender->shutdown)
        return {};
    if (stream.isEmpty())
        FailQueuedJobs(sender, TRANSFER_CONNECT_FAILED);
    return stream;
}

void OstSkypeAp2Ap::FailQueuedJobs(ContactSender* sender, TransferStatus status) {
    std::deque<SendJob> jobs;
    {
        std::lock_guard guard(sender->senderLock);
        jobs.swap(sender->jobs);
    }
    // Every photo waiting for this connection ends with it, each in its own row.
    for (const SendJob& job : jobs)
        Report(sender->application, job.transferId, status, FileNameOf(job.path), 0, 0);
}

void OstSkypeAp2Ap::SendJobs(ContactSender* sender, const QString& stream) {
    for (;;) {
        SendJob job;
        {
            std::lock_guard guard(sender->senderLock);
            if (sender->jobs.empty() || sender->shutdown)
                return;
            job = std::move(sender->jobs.front());
            sender->jobs.pop_front();
            sender->currentTransferId = job.transferId;
            sender->cancel = false;
            sender->refused = false; // a late refusal of the last photo is not this one's
        }
        SendOneJob(sender, stream, job);
        std::lock_guard guard(sender->senderLock);
        // Cleared together so that a cancel meant for this photo never hits the next one.
        sender->currentTransferId = 0;
        sender->cancel = false;
        sender->refused = false;
    }
}

void OstSkypeAp2Ap::SendOneJob(ContactSender* sender, const QString& stream, const SendJob& job) {
    const QString& peer = sender->application;
    const std::uint32_t id = job.transferId;
    const QString name = FileNameOf(job.path);
    const QString wireName = WireName(name);
    QByteArray bytes;
    if (!ReadWholeFile(job.path, config_.maxFileBytes, &bytes)) {
        Report(peer, id, TRANSFER_OPEN_FAILED, name, 0, 0);
        return;
    }
    const auto n = static_cast<std::int32_t>((bytes.size() + kChunkBytes - 1) / kChunkBytes);
    const QString write =
        QStringLiteral("ALTER APPLICATION ") + peer + QStringLiteral(" WRITE ") + stream + u' ';
    const auto interrupted = [sender] {
        return sender->cancel || sender->refused || sender->linkLost || sender->shutdown;
    };
    const auto shuttingDown = [sender] { return sender->shutdown.load(); };

    for (std::int32_t i = 0; i <= n; ++i) {
        const QString packet =
            i == 0 ? QStringLiteral("PKT-BEGIN ") + wireName + u' ' + QString::number(n) + u' ' +
                         job.resolution + u'&' + job.pictureSize
                   : QStringLiteral("PKT-") + QString::number(i) + u' ' + wireName + u' ' +
                         QString::fromLatin1(
                             bytes.mid(qsizetype{i - 1} * kChunkBytes, kChunkBytes).toBase64());
        sender->ackEvent.Pause(config_.pauseMs, interrupted);
        if (sender->shutdown)
            return;
        bool acknowledged = false;
        if (!interrupted()) {
            // An acknowledgement that came twice must not pass for this packet's.
            sender->ackEvent.Reset();
            Command(write + packet);
            acknowledged = sender->ackEvent.Wait(config_.ackTimeoutMs, interrupted);
        }
        if (sender->shutdown)
            return;
        if (sender->cancel) {
            sender->ackEvent.Pause(config_.pauseMs, shuttingDown);
            if (!sender->shutdown)
                Command(write + QStringLiteral("PKT-Cancel ") + wireName);
            Report(peer, id, TRANSFER_CANCELLED, name, i, n);
            return;
        }
        if (sender->refused) {
            Report(peer, id, TRANSFER_CANCELLED_BY_PEER, name, i, n);
            return;
        }
        if (!acknowledged) {
            Report(peer, id, TRANSFER_SEND_OVERTIME, name, i, n);
            return;
        }
        if (i == n)
            Report(peer, id, TRANSFER_SENT, name, n, n);
        else
            Report(peer, id, TRANSFER_PACKET_SENT, name, i, n);
    }
}

// ---- receiving thread ------------------------------------------------------------------

void OstSkypeAp2Ap::RunReceiver(IncomingFile* file) {
    const QString& peer = file->senderHandle;
    const QString& name = file->announcedName;
    const std::int32_t expected = file->expectedCount;
    const auto interrupted = [file] {
        return file->stop || file->cancelled || file->linkLost || file->shutdown;
    };
    const auto shuttingDown = [file] { return file->shutdown.load(); };
    const auto acknowledge = [&](bool refuse) {
        file->packetEvent.Pause(config_.pauseMs, shuttingDown);
        if (file->shutdown)
            return;
        Command(QStringLiteral("ALTER APPLICATION ") + ownHandle_ + QStringLiteral(" WRITE ") +
                file->stream + QStringLiteral(" PKT-ACK ") + name +
                (refuse ? QStringLiteral(" Cancel") : QString()));
    };
    const auto report = [&](TransferStatus status) {
        Report(peer, file->transferId, status, file->fileName, file->receivedCount, expected);
    };
    // Before the last report: the next photo of that name may already be on its way.
    const auto close = [&] {
        std::lock_guard guard(receiveLock_);
        file->closed = true;
    };

    const qint64 maxPackets = (config_.maxFileBytes + kChunkBytes - 1) / kChunkBytes;
    if (!IsSafeFileName(name) || expected < 0 || expected > maxPackets) {
        // Refused before anything is announced: no row is made for a name that cannot be used.
        close();
        acknowledge(true);
        report(TRANSFER_WRITE_FAILED);
        RetireIncoming(file);
        return;
    }
    const qsizetype amp = file->descriptor.indexOf(u'&');
    TransferReport announce;
    announce.peer = peer;
    announce.transferId = file->transferId;
    announce.status = TRANSFER_ANNOUNCED;
    announce.details =
        TransferAnnounce{name, amp < 0 ? file->descriptor : file->descriptor.left(amp),
                         amp < 0 ? QString() : file->descriptor.mid(amp + 1)};
    reporter_.Send(announce);
    acknowledge(false);

    if (expected == 0) {
        // Nothing more will come: an empty photo is complete once announced.
        close();
        WriteReceivedFile(file);
        RetireIncoming(file);
        return;
    }
    for (;;) {
        const bool signalled = file->packetEvent.Wait(config_.packetTimeoutMs, interrupted);
        if (file->shutdown)
            break;
        if (file->stop) {
            close();
            acknowledge(true);
            report(TRANSFER_CANCELLED);
            break;
        }
        if (file->cancelled) {
            report(TRANSFER_CANCELLED_BY_PEER);
            break;
        }
        if (!signalled) {
            close();
            report(TRANSFER_RECEIVE_OVERTIME);
            break;
        }
        int accepted = 0;
        if (!TakeChunks(file, &accepted)) {
            // The sender is told at once rather than sending the rest for nothing.
            close();
            acknowledge(true);
            report(TRANSFER_WRITE_FAILED);
            break;
        }
        if (accepted == 0)
            continue; // only packets that came twice: not acknowledged again
        const bool complete = file->receivedCount == expected;
        if (complete)
            close();
        report(TRANSFER_PACKET_RECEIVED);
        acknowledge(false);
        if (complete) {
            WriteReceivedFile(file);
            break;
        }
    }
    RetireIncoming(file);
}

bool OstSkypeAp2Ap::TakeChunks(IncomingFile* file, int* accepted) {
    std::deque<IncomingFile::Chunk> chunks;
    bool overflow = false;
    {
        std::lock_guard guard(receiveLock_);
        chunks.swap(file->chunks);
        file->queuedChars = 0;
        overflow = file->overflow;
    }
    *accepted = 0;
    if (overflow)
        return false;
    for (const IncomingFile::Chunk& chunk : chunks) {
        if (file->receivedCount == file->expectedCount)
            break;
        // Stop-and-wait brings packets in order; one that came twice is dropped, a gap or a
        // packet without data means the file cannot be complete.
        if (chunk.index <= file->receivedCount)
            continue;
        if (chunk.index != file->receivedCount + 1 || !chunk.present)
            return false;
        QByteArray bytes;
        if (!DecodeChunk(chunk.text, &bytes) ||
            file->dataBytes + bytes.size() > config_.maxFileBytes)
            return false;
        file->dataBytes += bytes.size();
        file->data.append(std::move(bytes));
        ++file->receivedCount;
        ++*accepted;
    }
    return true;
}

void OstSkypeAp2Ap::WriteReceivedFile(IncomingFile* file) {
    std::lock_guard guard(fileLock_);
    const std::int32_t expected = file->expectedCount;
    const auto report = [&](TransferStatus status) {
        Report(file->senderHandle, file->transferId, status, file->fileName, file->receivedCount,
               expected);
    };
    const auto fail = [&](std::int32_t done) {
        file->receivedCount = done;
        file->data.clear();
        report(TRANSFER_WRITE_FAILED);
    };
    const QString folder = GetReceiveFolder();
    if (folder.isEmpty() || !QDir().mkpath(folder)) {
        fail(0);
        return;
    }
    QString chosen = FreeName(folder, file->announcedName);
    if (chosen.isEmpty()) {
        fail(0);
        return;
    }
    // Written under a hidden name of its own and renamed when complete, so the folder never
    // shows a partial photo; received names never begin with ".", so the two cannot meet.
    QFile out;
    for (int attempt = 0; attempt < 100 && !out.isOpen(); ++attempt) {
        out.setFileName(folder + QStringLiteral(".orbit-") + QString::number(file->transferId, 16) +
                        u'-' + QString::number(attempt) + QStringLiteral(".part"));
        // Unbuffered, so a failing write shows at the chunk it hit.
        if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered) &&
            !IsTaken(out.fileName()))
            break;
    }
    if (!out.isOpen()) {
        fail(0);
        return;
    }
    const QString tempPath = out.fileName();
    file->fileName = chosen;
    report(TRANSFER_FILE_CREATED);

    qsizetype queued = file->data.size();
    for (QByteArray& chunk : file->data) {
        --queued;
        if (out.write(chunk) != chunk.size()) {
            out.close();
            QFile::remove(tempPath);
            fail(expected - static_cast<std::int32_t>(queued));
            return;
        }
        chunk = QByteArray(); // memory goes back as the file grows
    }
    file->data.clear();
    const bool flushed = out.flush();
    out.close();
    if (!flushed || out.error() != QFileDevice::NoError) {
        QFile::remove(tempPath);
        fail(expected);
        return;
    }
    // Someone else may take the name meanwhile; the rename never replaces a file.
    while (!QFile::rename(tempPath, folder + chosen)) {
        if (!IsTaken(folder + chosen) ||
            (chosen = FreeName(folder, file->announcedName)).isEmpty()) {
            QFile::remove(tempPath);
            fail(expected);
            return;
        }
    }
    file->fileName = chosen;
    report(TRANSFER_RECEIVED);
}

void OstSkypeAp2Ap::RetireIncoming(IncomingFile* file) {
    {
        std::lock_guard guard(receiveLock_);
        MoveRecord(incoming_, retiredIncoming_, file);
    }
    reporter_.Later(0, [this] { Reap(); });
}
