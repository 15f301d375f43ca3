#include "OstPhotoTransfers.h"

#include "EventRow.h"
#include "IOstEventRows.h"
#include "OstSkypeAp2Ap.h"
#include "OstSkypeController.h"
#include "TransferReport.h"

#include <QFileInfo>

#include <algorithm>

namespace {
constexpr int kSendFailedText1 = 466;
constexpr int kSendFailedText2 = 467;
constexpr int kSendFailedText3 = 468;
} // namespace

OstPhotoTransfers::OstPhotoTransfers(OstSkypeController& skype, IOstEventRows& rows, Hooks hooks)
    : skype_(skype), rows_(rows), hooks_(std::move(hooks)) {}

OstPhotoTransfers::~OstPhotoTransfers() {
    Drop();
}

void OstPhotoTransfers::ContactsComplete() {
    if (ap2ap_)
        return;
    const QString me = skype_.GetCurrentUserHandle();
    if (me.isEmpty()) {
        // Skype names the user a little after the attach, sometimes after the contacts: an
        // application without the name could neither send nor receive, so it waits for it.
        if (!wanted_)
            skype_.SendCommand(QStringLiteral("GET CURRENTUSERHANDLE"));
        wanted_ = true;
        return;
    }
    wanted_ = false;
    ap2ap_ = std::make_unique<OstSkypeAp2Ap>(skype_, me, hooks_.receiveFolder(), this);
}

void OstPhotoTransfers::UserNamed() {
    if (wanted_)
        ContactsComplete();
}

void OstPhotoTransfers::Drop() {
    wanted_ = false;
    ap2ap_.reset();
}

bool OstPhotoTransfers::Send(const QList<EventRecord>& photos, const QString& handle,
                             const QString& shownName) {
    if (!ap2ap_)
        return false;
    for (EventRecord copy : photos) {
        const QString path = copy.EventFolder + copy.EventName;
        if (!QFileInfo::exists(path))
            continue;
        QString size = copy.PictureSize;
        const qsizetype blank = size.indexOf(u' ');
        if (blank >= 0)
            size.remove(blank, 1);
        const std::uint32_t id = ap2ap_->SendFile(path, handle, copy.Resolution, size);
        if (id == 0)
            continue;
        copy.EventType = EventRecord::Sent;
        copy.FriendID = shownName;
        copy.Status = EventRecord::Transferring;
        rows_.AddEvent(copy, id);
    }
    hooks_.showRow(0);
    hooks_.rowsChanged();
    return true;
}

void OstPhotoTransfers::Cancel(std::uint32_t transferId) {
    if (ap2ap_)
        ap2ap_->CancelTransfer(transferId);
    hooks_.rowsChanged();
}

void OstPhotoTransfers::SetReceiveFolder(const QString& folder) {
    if (ap2ap_)
        ap2ap_->SetReceiveFolder(folder);
}

int OstPhotoTransfers::ProgressPercent(std::int32_t status, std::int32_t done, std::int32_t total) {
    // An empty photo has no packets: it is complete once it has ended, and nothing before.
    if (total <= 0)
        return status == TRANSFER_SENT || status == TRANSFER_RECEIVED ? 100 : 0;
    const std::int64_t percent = static_cast<std::int64_t>(done) * 100 / total;
    return static_cast<int>(std::clamp<std::int64_t>(percent, 0, 100));
}

void OstPhotoTransfers::OnSkypeAp2ApMessage(const TransferReport& report) {
    Apply(report);
    // Every report but progress ends a transfer or adds a row: the stored list follows it.
    if (report.status != TRANSFER_PACKET_SENT && report.status != TRANSFER_PACKET_RECEIVED &&
        report.status != TRANSFER_FILE_CREATED)
        hooks_.rowsChanged();
}

void OstPhotoTransfers::Apply(const TransferReport& report) {
    const int row = rows_.FindByTransferId(report.transferId);
    const TransferProgress* progress = report.Progress();
    // A transfer that ended short of complete: its row loses the Cancel button and shows why.
    const auto EndWith = [&](int progressCode) {
        if (row >= 0)
            rows_.EndTransfer(row);
        rows_.SetProgress(report.transferId, progressCode);
    };
    switch (report.status) {
    case TRANSFER_PACKET_SENT:
    case TRANSFER_PACKET_RECEIVED:
    case TRANSFER_SENT:
    case TRANSFER_RECEIVED:
        if (row < 0) {
            // Its row was deleted: nobody waits for this photo any more.
            if (ap2ap_)
                ap2ap_->CancelTransfer(report.transferId);
            break;
        }
        rows_.SetProgress(report.transferId,
                          ProgressPercent(report.status, progress ? progress->done : 0,
                                          progress ? progress->total : 0));
        if (report.status == TRANSFER_RECEIVED) {
            hooks_.showRow(row);
            rows_.SetEventName(row, report.FileName());
            hooks_.photoArrived();
        }
        break;
    case TRANSFER_FILE_CREATED:
        break;
    case TRANSFER_ANNOUNCED: {
        const TransferAnnounce* announce = report.Announce();
        if (!announce)
            break;
        EventRecord record;
        record.EventType = EventRecord::Received;
        record.Status = EventRecord::Transferring;
        record.EventFolder = hooks_.receiveFolder();
        record.EventName = announce->fileName;
        record.Resolution = announce->resolution;
        record.PictureSize =
            announce->pictureSize.left(qMax<qsizetype>(0, announce->pictureSize.size() - 2));
        record.FriendID = hooks_.contactName(report.peer);
        rows_.AddEvent(record, report.transferId);
        break;
    }
    case TRANSFER_CANCELLED:
        rows_.SetProgress(report.transferId, EventRow::Canceled);
        break;
    case TRANSFER_CREATE_FAILED:
    case TRANSFER_CONNECT_FAILED: {
        const QString peer = row >= 0 ? rows_.GetPeerName(row) : report.peer;
        EndWith(EventRow::ConnectFail);
        hooks_.tell(hooks_.text(kSendFailedText1) + report.FileName() +
                    hooks_.text(kSendFailedText2) + peer + hooks_.text(kSendFailedText3));
        break;
    }
    case TRANSFER_SEND_OVERTIME:
    case TRANSFER_RECEIVE_OVERTIME:
        EndWith(EventRow::Overtime);
        break;
    case TRANSFER_OPEN_FAILED:
        EndWith(EventRow::OpenFailed);
        break;
    case TRANSFER_WRITE_FAILED:
        EndWith(EventRow::WriteFailed);
        break;
    case TRANSFER_CANCELLED_BY_PEER:
        EndWith(EventRow::Rejected);
        break;
    default:
        if (row >= 0)
            rows_.EndTransfer(row);
        break;
    }
}
