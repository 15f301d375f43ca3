// Calls as their callee sees them: injected incoming calls, their properties, answering,
// holding, ending and the video states.
#include "PeerNetwork.h"

#include "PeerCommand.h"
#include "PeerScenario.h"

#include <QDateTime>
#include <QRegularExpression>

namespace {

bool IsNumber(const QString& text) {
    static const QRegularExpression kDigits(QStringLiteral("^[0-9]{1,9}$"));
    return kDigits.match(text).hasMatch();
}

bool IsCallStatus(const QString& word) {
    static const char* const kWords[] = {"UNPLACED",
                                         "ROUTING",
                                         "EARLYMEDIA",
                                         "FAILED",
                                         "RINGING",
                                         "INPROGRESS",
                                         "ONHOLD",
                                         "FINISHED",
                                         "MISSED",
                                         "REFUSED",
                                         "BUSY",
                                         "CANCELLED",
                                         "VM_BUFFERING_GREETING",
                                         "VM_PLAYING_GREETING",
                                         "VM_RECORDING",
                                         "VM_UPLOADING",
                                         "VM_SENT",
                                         "VM_CANCELLED",
                                         "VM_FAILED"};
    for (const char* known : kWords) {
        if (word == QLatin1String(known))
            return true;
    }
    return false;
}

bool IsVideoStatus(const QString& word) {
    static const char* const kWords[] = {"VIDEO_NONE", "AVAILABLE", "STARTING", "REJECTED",
                                         "RUNNING",    "STOPPING",  "PAUSED",   "NOT_AVAILABLE"};
    for (const char* known : kWords) {
        if (word == QLatin1String(known))
            return true;
    }
    return false;
}

bool VideoActive(const QString& status) {
    return status == QLatin1String("STARTING") || status == QLatin1String("RUNNING") ||
           status == QLatin1String("PAUSED") || status == QLatin1String("STOPPING");
}

} // namespace

PeerCall* PeerNetwork::FindCallById(const QString& id) {
    for (PeerCall& call : calls_) {
        if (QString::number(call.id) == id)
            return &call;
    }
    return nullptr;
}

const PeerCall* PeerNetwork::FindCallById(const QString& id) const {
    for (const PeerCall& call : calls_) {
        if (QString::number(call.id) == id)
            return &call;
    }
    return nullptr;
}

PeerCall* PeerNetwork::FindCall(const PeerUser& me, const QString& id, QString* error,
                                const char* invalid, const char* unknown) {
    if (!IsNumber(id)) {
        *error = QLatin1String(invalid);
        return nullptr;
    }
    PeerCall* call = FindCallById(id);
    if (!call || call->owner != me.handle) {
        *error = QLatin1String(unknown);
        return nullptr;
    }
    return call;
}

QString PeerNetwork::NewCall(PeerCall call) {
    call.id = nextCallId_++;
    call.startSecs = QDateTime::currentSecsSinceEpoch();
    calls_.append(call);
    const QString id = QString::number(call.id);
    NotifyUser(call.owner, QStringLiteral("CALL %1 STATUS %2").arg(id, call.status));
    return id;
}

QString PeerNetwork::CallValue(const PeerCall& call, const QString& property,
                               const QString& argument, bool* ok) const {
    *ok = true;
    if (property == QLatin1String("TIMESTAMP"))
        return QString::number(call.startSecs);
    if (property == QLatin1String("PARTNER_HANDLE"))
        return call.partner;
    if (property == QLatin1String("PARTNER_DISPNAME"))
        return call.partnerName;
    if (property == QLatin1String("CONF_ID"))
        return QString::number(call.confId);
    if (property == QLatin1String("TYPE"))
        return call.type;
    if (property == QLatin1String("STATUS"))
        return call.status;
    if (property == QLatin1String("FAILUREREASON"))
        return QStringLiteral("0");
    if (property == QLatin1String("SUBJECT") || property == QLatin1String("TARGET_IDENTITY"))
        return QString();
    if (property == QLatin1String("PSTN_NUMBER"))
        return call.type.endsWith(QLatin1String("_PSTN")) ? call.partner : QString();
    if (property == QLatin1String("DURATION")) {
        if (call.answeredMs == 0)
            return QStringLiteral("0");
        return QString::number((QDateTime::currentMSecsSinceEpoch() - call.answeredMs) / 1000);
    }
    if (property == QLatin1String("VIDEO_SEND_STATUS"))
        return call.videoSend;
    if (property == QLatin1String("VIDEO_RECEIVE_STATUS"))
        return call.videoReceive;
    if (property == QLatin1String("VIDEO_STATUS")) {
        const bool sending = call.videoSend == QLatin1String("RUNNING");
        const bool receiving = call.videoReceive == QLatin1String("RUNNING");
        if (sending && receiving)
            return QStringLiteral("VIDEO_BOTH_ENABLED");
        if (sending)
            return QStringLiteral("VIDEO_SEND_ENABLED");
        if (receiving)
            return QStringLiteral("VIDEO_RECV_ENABLED");
        return QStringLiteral("VIDEO_NONE");
    }
    if (property == QLatin1String("CONF_PARTICIPANTS_COUNT"))
        return QString::number(call.participants.size());
    if (property == QLatin1String("CONF_PARTICIPANT")) {
        bool numeric = false;
        const int index = argument.toInt(&numeric);
        if (!numeric || !IsNumber(argument) || index >= call.participants.size()) {
            *ok = false;
            return {};
        }
        const QString& handle = call.participants[index];
        const PeerUser* user = FindUser(handle);
        const QString name = user ? user->ShownName() : handle;
        return QStringLiteral("%1 %2 %3 %4 %5").arg(argument, handle, call.type, call.status, name);
    }
    *ok = false;
    return {};
}

QString PeerNetwork::GetCall(PeerUser& me, const PeerCommand& command) {
    QString error;
    const PeerCall* call =
        FindCall(me, command.Token(2), &error, "ERROR 11 Invalid call id", "ERROR 12 Unknown call");
    if (!call)
        return error;
    const QString property = command.Token(3).toUpper();
    bool ok = false;
    const QString value = CallValue(*call, property, command.Token(4), &ok);
    if (!ok)
        return QStringLiteral("ERROR 13 Invalid PROP");
    // A participant's reply starts with its index, which CallValue already put in front.
    return QStringLiteral("CALL %1 %2 %3").arg(QString::number(call->id), property, value);
}

QString PeerNetwork::ChangeCallStatus(PeerCall& call, const QString& status, bool notify) {
    call.status = status;
    if (status == QLatin1String("INPROGRESS") && call.answeredMs == 0)
        call.answeredMs = QDateTime::currentMSecsSinceEpoch();
    const QString text = QStringLiteral("CALL %1 STATUS %2").arg(QString::number(call.id), status);
    if (notify)
        NotifyUser(call.owner, text);
    if (call.IsEnded())
        EndVideo(call);
    return text;
}

QString PeerNetwork::SetCall(PeerUser& me, const PeerCommand& command) {
    QString error;
    PeerCall* call =
        FindCall(me, command.Token(2), &error, "ERROR 19 Invalid call id", "ERROR 20 Unknown call");
    if (!call)
        return error;
    if (!command.Is(3, "STATUS") || command.Count() != 5)
        return QStringLiteral("ERROR 21 Unknown/disallowed call prop");
    const QString word = command.Token(4).toUpper();
    const QString& status = call->status;
    if (word == QLatin1String("INPROGRESS")) {
        if (status != QLatin1String("RINGING") && status != QLatin1String("ONHOLD") &&
            status != QLatin1String("INPROGRESS") && status != QLatin1String("EARLYMEDIA"))
            return QStringLiteral("ERROR 23 Cannot resume this call at the moment");
        return ChangeCallStatus(*call, word, false);
    }
    if (word == QLatin1String("ONHOLD")) {
        if (status != QLatin1String("INPROGRESS") && status != QLatin1String("ONHOLD"))
            return QStringLiteral("ERROR 22 Cannot hold this call at the moment");
        return ChangeCallStatus(*call, word, false);
    }
    if (word == QLatin1String("FINISHED")) {
        if (call->IsEnded())
            return QStringLiteral("ERROR 24 Cannot hangup inactive call");
        return ChangeCallStatus(*call, word, false);
    }
    return QStringLiteral("ERROR 21 Unknown/disallowed call prop");
}

QString PeerNetwork::AlterCall(PeerUser& me, const PeerCommand& command) {
    QString error;
    PeerCall* call =
        FindCall(me, command.Token(2), &error, "ERROR 11 Invalid call id", "ERROR 12 Unknown call");
    if (!call)
        return error;
    const QString action = command.Token(3).toUpper();
    const QString echo = QStringLiteral("ALTER CALL %1 %2").arg(QString::number(call->id), action);
    const bool live =
        call->status == QLatin1String("INPROGRESS") || call->status == QLatin1String("ONHOLD");
    if (command.Count() != 4)
        return QStringLiteral("ERROR 71 ALTER CALL: invalid action");
    if (action == QLatin1String("START_VIDEO_SEND") ||
        action == QLatin1String("START_VIDEO_RECEIVE")) {
        if (!live)
            return QStringLiteral("ERROR 72 ALTER CALL: call is not in progress");
        StartVideo(*call, action == QLatin1String("START_VIDEO_SEND"));
        return echo;
    }
    if (action == QLatin1String("STOP_VIDEO_SEND") ||
        action == QLatin1String("STOP_VIDEO_RECEIVE")) {
        if (!live)
            return QStringLiteral("ERROR 72 ALTER CALL: call is not in progress");
        StopVideo(*call, action == QLatin1String("STOP_VIDEO_SEND"));
        return echo;
    }
    if (action == QLatin1String("ANSWER")) {
        if (call->status != QLatin1String("RINGING"))
            return QStringLiteral("ERROR 23 Cannot resume this call at the moment");
        ChangeCallStatus(*call, QStringLiteral("INPROGRESS"), true);
        return echo;
    }
    if (action == QLatin1String("HOLD")) {
        if (call->status != QLatin1String("INPROGRESS"))
            return QStringLiteral("ERROR 22 Cannot hold this call at the moment");
        ChangeCallStatus(*call, QStringLiteral("ONHOLD"), true);
        return echo;
    }
    if (action == QLatin1String("RESUME")) {
        if (call->status != QLatin1String("ONHOLD"))
            return QStringLiteral("ERROR 23 Cannot resume this call at the moment");
        ChangeCallStatus(*call, QStringLiteral("INPROGRESS"), true);
        return echo;
    }
    if (action == QLatin1String("HANGUP") || action == QLatin1String("END")) {
        if (call->IsEnded())
            return QStringLiteral("ERROR 24 Cannot hangup inactive call");
        ChangeCallStatus(*call, QStringLiteral("FINISHED"), true);
        return echo;
    }
    return QStringLiteral("ERROR 71 ALTER CALL: invalid action");
}

void PeerNetwork::StartVideo(PeerCall& call, bool send) {
    QString& state = send ? call.videoSend : call.videoReceive;
    if (state == QLatin1String("STARTING") || state == QLatin1String("RUNNING"))
        return;
    const QString property =
        send ? QStringLiteral("VIDEO_SEND_STATUS") : QStringLiteral("VIDEO_RECEIVE_STATUS");
    const QString id = QString::number(call.id);
    state = QStringLiteral("STARTING");
    NotifyUser(call.owner, QStringLiteral("CALL %1 %2 STARTING").arg(id, property));
    Later([this, id, send, property] {
        PeerCall* current = FindCallById(id);
        if (!current || current->IsEnded())
            return;
        QString& now = send ? current->videoSend : current->videoReceive;
        if (now != QLatin1String("STARTING"))
            return;
        now = QStringLiteral("RUNNING");
        NotifyUser(current->owner, QStringLiteral("CALL %1 %2 RUNNING").arg(id, property));
    });
}

void PeerNetwork::StopVideo(PeerCall& call, bool send) {
    QString& state = send ? call.videoSend : call.videoReceive;
    if (!VideoActive(state) || state == QLatin1String("STOPPING"))
        return;
    const QString property =
        send ? QStringLiteral("VIDEO_SEND_STATUS") : QStringLiteral("VIDEO_RECEIVE_STATUS");
    const QString id = QString::number(call.id);
    state = QStringLiteral("STOPPING");
    NotifyUser(call.owner, QStringLiteral("CALL %1 %2 STOPPING").arg(id, property));
    Later([this, id, send, property] {
        PeerCall* current = FindCallById(id);
        if (!current)
            return;
        QString& now = send ? current->videoSend : current->videoReceive;
        if (now != QLatin1String("STOPPING"))
            return;
        now = QStringLiteral("AVAILABLE");
        NotifyUser(current->owner, QStringLiteral("CALL %1 %2 AVAILABLE").arg(id, property));
    });
}

void PeerNetwork::EndVideo(PeerCall& call) {
    const QString id = QString::number(call.id);
    if (VideoActive(call.videoSend)) {
        call.videoSend = QStringLiteral("AVAILABLE");
        NotifyUser(call.owner, QStringLiteral("CALL %1 VIDEO_SEND_STATUS AVAILABLE").arg(id));
    }
    if (VideoActive(call.videoReceive)) {
        call.videoReceive = QStringLiteral("AVAILABLE");
        NotifyUser(call.owner, QStringLiteral("CALL %1 VIDEO_RECEIVE_STATUS AVAILABLE").arg(id));
    }
}

// ---- injected calls

bool PeerNetwork::IncomingCall(const QString& to, const QString& from, QString* id,
                               QString* error) {
    if (!RequireProgramUser(to, error) || !RequireUser(from, error))
        return false;
    if (to == from) {
        *error = QStringLiteral("a user cannot call itself");
        return false;
    }
    if (!FindUser(to)->loggedIn) {
        *error = QStringLiteral("\"%1\" is logged out").arg(to);
        return false;
    }
    PeerCall call;
    call.owner = to;
    call.partner = from;
    call.partnerName = FindUser(from)->ShownName();
    call.participants = {from};
    *id = NewCall(call);
    return true;
}

bool PeerNetwork::IncomingConference(const QString& to, const QString& host,
                                     const QStringList& others, QString* id, QString* error) {
    if (!RequireProgramUser(to, error) || !RequireUser(host, error))
        return false;
    if (others.isEmpty()) {
        *error = QStringLiteral("a conference needs at least one participant besides its host");
        return false;
    }
    for (const QString& handle : others) {
        if (!PeerScenario::IsValidHandle(handle) || handle == to || handle == host) {
            *error = QStringLiteral("\"%1\" cannot take part in this conference").arg(handle);
            return false;
        }
    }
    if (!FindUser(to)->loggedIn) {
        *error = QStringLiteral("\"%1\" is logged out").arg(to);
        return false;
    }
    PeerCall call;
    call.owner = to;
    call.partner = host;
    call.partnerName = FindUser(host)->ShownName();
    call.participants = QStringList{host} + others;
    call.confId = nextCallId_;
    *id = NewCall(call);
    return true;
}

bool PeerNetwork::IncomingPstnCall(const QString& to, const QString& number, QString* id,
                                   QString* error) {
    static const QRegularExpression kNumber(QStringLiteral("^\\+?[0-9]{3,20}$"));
    if (!RequireProgramUser(to, error))
        return false;
    if (!kNumber.match(number).hasMatch()) {
        *error = QStringLiteral("\"%1\" is not a telephone number").arg(number);
        return false;
    }
    if (!FindUser(to)->loggedIn) {
        *error = QStringLiteral("\"%1\" is logged out").arg(to);
        return false;
    }
    PeerCall call;
    call.owner = to;
    call.partner = number;
    call.partnerName = number;
    call.type = QStringLiteral("INCOMING_PSTN");
    call.participants = {number};
    *id = NewCall(call);
    return true;
}

bool PeerNetwork::SetCallStatus(const QString& id, const QString& status, QString* error) {
    PeerCall* call = FindCallById(id);
    if (!call) {
        *error = QStringLiteral("no call %1").arg(id);
        return false;
    }
    if (IsCallStatus(status)) {
        ChangeCallStatus(*call, status, true);
        return true;
    }
    // The remote side can also change what the callee's video does (a camera taken away).
    if (status.startsWith(QLatin1String("VIDEO_SEND_STATUS=")) ||
        status.startsWith(QLatin1String("VIDEO_RECEIVE_STATUS="))) {
        const bool send = status.startsWith(QLatin1String("VIDEO_SEND"));
        const QString word = status.section(QLatin1Char('='), 1);
        if (IsVideoStatus(word)) {
            (send ? call->videoSend : call->videoReceive) = word;
            NotifyUser(call->owner, QStringLiteral("CALL %1 %2 %3")
                                        .arg(id, status.section(QLatin1Char('='), 0, 0), word));
            return true;
        }
    }
    *error = QStringLiteral("unknown call status \"%1\"").arg(status);
    return false;
}

bool PeerNetwork::EndCall(const QString& id, QString* error) {
    PeerCall* call = FindCallById(id);
    if (!call) {
        *error = QStringLiteral("no call %1").arg(id);
        return false;
    }
    if (call->IsEnded()) {
        *error = QStringLiteral("call %1 has ended already").arg(id);
        return false;
    }
    const bool unanswered = call->status == QLatin1String("RINGING") ||
                            call->status == QLatin1String("ROUTING") ||
                            call->status == QLatin1String("EARLYMEDIA");
    ChangeCallStatus(*call, unanswered ? QStringLiteral("MISSED") : QStringLiteral("FINISHED"),
                     true);
    return true;
}

bool PeerNetwork::CallProperty(const QString& id, const QString& property, QString* value,
                               QString* error) const {
    const PeerCall* call = FindCallById(id);
    if (!call) {
        *error = QStringLiteral("no call %1").arg(id);
        return false;
    }
    const QStringList parts = property.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    bool ok = false;
    *value = CallValue(*call, parts.value(0).toUpper(), parts.value(1), &ok);
    if (!ok) {
        *error = QStringLiteral("call %1 has no property \"%2\"").arg(id, property);
        return false;
    }
    return true;
}
