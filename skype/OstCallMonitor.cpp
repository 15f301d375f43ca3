#include "OstCallMonitor.h"

#include "CallMessage.h"
#include "OstNotificationCenter.h"
#include "OstText.h"

namespace {

template <std::size_t N>
bool Lookup(const std::pair<const char16_t*, std::int32_t> (&table)[N], const QString& word,
            std::int32_t* code) {
    for (const auto& [name, value] : table) {
        if (word == QStringView(name)) {
            *code = value;
            return true;
        }
    }
    return false;
}

const std::pair<const char16_t*, std::int32_t> kStatusWords[] = {
    {u"UNPLACED", CALL_STATUS_UNPLACED},
    {u"ROUTING", CALL_STATUS_ROUTING},
    {u"EARLYMEDIA", CALL_STATUS_EARLYMEDIA},
    {u"FAILED", CALL_STATUS_FAILED},
    {u"RINGING", CALL_STATUS_RINGING},
    {u"INPROGRESS", CALL_STATUS_INPROGRESS},
    {u"ONHOLD", CALL_STATUS_ONHOLD},
    {u"FINISHED", CALL_STATUS_FINISHED},
    {u"MISSED", CALL_STATUS_MISSED},
    {u"REFUSED", CALL_STATUS_REFUSED},
    {u"BUSY", CALL_STATUS_BUSY},
    {u"CANCELLED", CALL_STATUS_CANCELLED},
    {u"VM_BUFFERING_GREETING", CALL_STATUS_VM_BUFFERING_GREETING},
    {u"VM_PLAYING_GREETING", CALL_STATUS_VM_PLAYING_GREETING},
    {u"VM_RECORDING", CALL_STATUS_VM_RECORDING},
    {u"VM_UPLOADING", CALL_STATUS_VM_UPLOADING},
    {u"VM_SENT", CALL_STATUS_VM_SENT},
    {u"VM_CANCELLED", CALL_STATUS_VM_CANCELLED},
    {u"VM_FAILED", CALL_STATUS_VM_FAILED},
};

const std::pair<const char16_t*, std::int32_t> kTypeWords[] = {
    {u"INCOMING_PSTN", CALL_TYPE_INCOMING_PSTN},
    {u"OUTGOING_PSTN", CALL_TYPE_OUTGOING_PSTN},
    {u"INCOMING_P2P", CALL_TYPE_INCOMING_P2P},
    {u"OUTGOING_P2P", CALL_TYPE_OUTGOING_P2P},
};

const std::pair<const char16_t*, std::int32_t> kVideoWords[] = {
    {u"VIDEO_NONE", VIDEO_NONE}, {u"AVAILABLE", VIDEO_AVAILABLE}, {u"STARTING", VIDEO_STARTING},
    {u"REJECTED", VIDEO_REJECTED}, {u"RUNNING", VIDEO_RUNNING}, {u"STOPPING", VIDEO_STOPPING},
    {u"PAUSED", VIDEO_PAUSED},
};

} // namespace

OstCallMonitor::OstCallMonitor(SendFunction send) : send_(std::move(send)) {}

OstCallMonitor::~OstCallMonitor() = default;

OstCall* OstCallMonitor::GetCall(const QString& id) {
    for (const auto& call : calls_) {
        if (call->GetId() == id)
            return call.get();
    }
    calls_.push_back(std::make_unique<OstCall>(id));
    return calls_.back().get();
}

void OstCallMonitor::OnCallReply(const QString& text) {
    const QStringList tokens = OstText::SplitBlanks(text);
    if (tokens.size() < 3)
        return;
    const QString& id = tokens[1];
    const QString& property = tokens[2];
    // A value with blanks in it (a two-word name) is deliberately taken as empty.
    const QString value = tokens.size() == 4 ? tokens[3] : QString();
    const QString prefix = QStringLiteral("GET CALL ") + id;

    OstCall* call = GetCall(id);
    std::int32_t change = 0;
    if (property == u"STATUS") {
        Lookup(kStatusWords, value, &call->status_);
        if (value == u"RINGING") {
            send_(prefix + QStringLiteral(" CONF_ID"));
            send_(QStringLiteral("GET MUTE"));
        }
        change = CALL_CHANGE_STATUS;
    } else if (property == u"VIDEO_SEND_STATUS" || property == u"VIDEO_RECEIVE_STATUS") {
        std::int32_t code = VIDEO_NONE;
        Lookup(kVideoWords, value, &code);
        if (property == u"VIDEO_SEND_STATUS") {
            call->videoSendStatus_ = code;
            change = CALL_CHANGE_VIDEO_SEND_STATUS;
        } else {
            call->videoReceiveStatus_ = code;
            change = CALL_CHANGE_VIDEO_RECEIVE_STATUS;
        }
    } else if (property == u"CONF_ID") {
        call->conferenceId_ = OstText::LeadingDigits(value);
        if (call->conferenceId_ != 0)
            send_(prefix + QStringLiteral(" CONF_PARTICIPANTS_COUNT"));
        change = CALL_CHANGE_CONF_ID;
    } else if (property == u"CONF_PARTICIPANTS_COUNT") {
        call->participantCount_ = OstText::ToInt(value);
        const std::int32_t queries = std::min(call->participantCount_, kMaxParticipantQueries);
        for (std::int32_t i = 0; i < queries; ++i)
            send_(prefix + QStringLiteral(" CONF_PARTICIPANT ") + QString::number(i));
        change = CALL_CHANGE_CONF_PARTICIPANTS_COUNT;
    } else if (property == u"CONF_PARTICIPANT") {
        if (tokens.size() > 4)
            call->participants_.insert(tokens[4]);
        change = CALL_CHANGE_CONF_PARTICIPANT;
    } else if (property == u"TYPE") {
        Lookup(kTypeWords, value, &call->type_);
        change = CALL_CHANGE_TYPE;
    } else if (property == u"PARTNER_HANDLE") {
        call->partnerHandle_ = value;
        change = CALL_CHANGE_PARTNER_HANDLE;
    } else if (property == u"PARTNER_DISPNAME") {
        call->partnerDisplayName_ = value;
        change = CALL_CHANGE_PARTNER_DISPNAME;
    } else {
        return;
    }
    CallMessage message{call, change};
    OstNotificationCenter::GetInstance().PostNotification(QStringLiteral("SKYPE_CALL_MESSAGE"),
                                                          &message);
}
