#include "OstOrbitRemote.h"

#include "CallMessage.h"
#include "OstCall.h"
#include "OstLanguageSelector.h"
#include "OstNotificationCenter.h"
#include "OstPrivateSettings.h"
#include "OstSkypeController.h"

#include <QByteArray>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QVariant>

#include <algorithm>
#include <array>

namespace {

const QString kOrganisation = u"Ostrel"_qs;
const QString kApplication = u"Orbit"_qs;
const QString kSwitchKey = u"RMON"_qs;
const QString kPasswordKey = u"RMPM"_qs;

const QString kCallName = u"SKYPE_CALL_MESSAGE"_qs;
const QString kChatName = u"SKYPE_CHAT_MESSAGE"_qs;
const QString kMessageName = u"SKYPE_MESSAGE_MESSAGE"_qs;

constexpr int kPromptText = 458;
constexpr int kCorrectText = 459;
constexpr int kInvalidText = 460;
constexpr int kTooManyText = 461;

// The line the file holds for key, read from the disk itself: Qt's settings objects share one
// cache per file, which shows a change the disk never took.
QByteArray StoredLine(const QString& fileName, const QString& key) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray prefix = key.toUtf8() + '=';
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line.startsWith(prefix))
            return line;
    }
    return {};
}

// The line Qt writes for key and value, taken from a file of its own.
QByteArray WrittenLine(const QString& key, const QVariant& value) {
    QTemporaryDir folder;
    const QString scratch = folder.filePath(u"line.conf"_qs);
    {
        QSettings settings(scratch, QSettings::IniFormat);
        settings.setValue(key, value);
    }
    return StoredLine(scratch, key);
}

bool StoreValue(const QString& key, const QVariant& value) {
    // The password is in this file: nobody but its user may read it.
    OstPrivateSettings::Protect(true);
    QSettings settings(kOrganisation, kApplication);
    const bool had = settings.contains(key);
    const QVariant previous = settings.value(key);
    settings.setValue(key, value);
    settings.sync();
    // A file that was already damaged reports its format error on every later write, whether
    // the write landed or not: the disk tells.
    if (settings.status() == QSettings::NoError ||
        (settings.status() == QSettings::FormatError &&
         StoredLine(settings.fileName(), key) == WrittenLine(key, value)))
        return true;
    // The change the disk did not take would stay pending in the shared cache, be read back
    // as stored, and be written with the next change of any other value: it is taken back.
    if (had)
        settings.setValue(key, previous);
    else
        settings.remove(key);
    return false;
}

// The first tokens of a Skype text (split at blanks, runs of blanks as one) with the position
// just past each. Only the few tokens a step needs are cut, so a huge text costs no more than
// one scan of its head.
template <std::size_t N> struct Head {
    std::array<QStringView, N> tokens;
    std::array<qsizetype, N> ends{};
    std::size_t count = 0;
};

template <std::size_t N> Head<N> SplitHead(const QString& text) {
    Head<N> head;
    qsizetype pos = 0;
    const qsizetype size = text.size();
    while (head.count < N) {
        while (pos < size && text[pos] == u' ')
            ++pos;
        if (pos == size)
            break;
        const qsizetype start = pos;
        while (pos < size && text[pos] != u' ')
            ++pos;
        head.tokens[head.count] = QStringView(text).mid(start, pos - start);
        head.ends[head.count] = pos;
        ++head.count;
    }
    return head;
}

// Statuses after which Skype reports nothing more of the call.
bool HasEnded(std::int32_t status) {
    switch (status) {
    case CALL_STATUS_FAILED:
    case CALL_STATUS_FINISHED:
    case CALL_STATUS_MISSED:
    case CALL_STATUS_REFUSED:
    case CALL_STATUS_BUSY:
    case CALL_STATUS_CANCELLED:
        return true;
    default:
        return false;
    }
}

// The two names of a chat "#creator/$other;suffix"; false when it has no such form.
bool ParseChatName(const QString& name, QString* creator, QString* other) {
    const qsizetype hash = name.indexOf(u'#');
    if (hash < 0)
        return false;
    const qsizetype dollar = name.indexOf(u'$', hash + 1);
    if (dollar < 0 || dollar - hash <= 2)
        return false;
    // The creator ends before the "/" that precedes the "$".
    *creator = name.mid(hash + 1, dollar - hash - 2);
    const qsizetype semicolon = name.indexOf(u';', dollar + 1);
    *other = semicolon < 0 ? QString() : name.mid(dollar + 1, semicolon - dollar - 1);
    return true;
}

} // namespace

OstOrbitRemote::OstOrbitRemote() : OstOrbitRemote(nullptr) {}

OstOrbitRemote::OstOrbitRemote(OstSkypeController& controller) : OstOrbitRemote(&controller) {}

OstOrbitRemote::OstOrbitRemote(OstSkypeController* controller) : controller_(controller) {
    // A file an older version wrote may still be readable by everyone.
    OstPrivateSettings::Protect(false);
    QSettings settings(kOrganisation, kApplication);
    bool ok = false;
    const int on = settings.value(kSwitchKey).toInt(&ok);
    if (ok && on == 1) {
        // The stored switch already says on: starting must not write it again.
        wished_ = true;
        Start();
    }
    const QVariant stored = settings.value(kPasswordKey);
    if (stored.isValid())
        password_ = DecodePassword(stored.toString());
}

OstOrbitRemote::~OstOrbitRemote() {
    OstNotificationCenter::GetInstance().RemoveObserver(static_cast<OstObject*>(this), QString());
}

void OstOrbitRemote::Start() {
    if (running_)
        return;
    // A resume after a suspension finds the switch stored already.
    if (!wished_ && !StoreValue(kSwitchKey, 1))
        return;
    wished_ = true;
    running_ = true;
    auto& center = OstNotificationCenter::GetInstance();
    void* self = static_cast<OstObject*>(this);
    center.AddObserver(self, OstNotificationCenter::ForwardToObject, kCallName);
    center.AddObserver(self, OstNotificationCenter::ForwardToObject, kChatName);
    center.AddObserver(self, OstNotificationCenter::ForwardToObject, kMessageName);
    center.PostNotification(u"ORBIT_REMOTEMONITOR_START"_qs, nullptr);
}

void OstOrbitRemote::Stop() {
    // Also while suspended: the stored switch is the user's wish, and the wish is now off.
    if (!wished_)
        return;
    if (!StoreValue(kSwitchKey, 0))
        return;
    wished_ = false;
    Suspend();
}

void OstOrbitRemote::Suspend() {
    if (!running_)
        return;
    running_ = false;
    auto& center = OstNotificationCenter::GetInstance();
    center.PostNotification(u"ORBIT_REMOTEMONITOR_STOP"_qs, nullptr);
    center.RemoveObserver(static_cast<OstObject*>(this), QString());
    state_ = REMOTE_STATE_IDLE;
    callId_.clear();
    chatName_.clear();
    partner_.clear();
}

void OstOrbitRemote::Hold() {
    if (!wished_ && StoreValue(kSwitchKey, 1))
        wished_ = true;
    Suspend();
}

bool OstOrbitRemote::SetPassword(const QString& text) {
    const QString encoded = EncodePassword(text);
    if (encoded.isEmpty() || !StoreValue(kPasswordKey, encoded))
        return false;
    password_ = text;
    return true;
}

QString OstOrbitRemote::EncodePassword(const QString& password) {
    const QByteArray bytes = password.toLocal8Bit();
    // Reading stops at the first zero byte and converts back; a password that would not
    // survive that would lock its owner out at the next start.
    if (bytes.contains('\0') || QString::fromLocal8Bit(bytes) != password)
        return QString();
    return QString::fromLatin1((bytes + '\0').toBase64());
}

QString OstOrbitRemote::DecodePassword(const QString& stored) {
    const auto decoded = QByteArray::fromBase64Encoding(stored.toLocal8Bit(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return QString();
    const qsizetype end = decoded.decoded.indexOf('\0');
    if (end < 0)
        return QString();
    return QString::fromLocal8Bit(decoded.decoded.left(end));
}

void OstOrbitRemote::OnNotification(void* payload, const QString& name) {
    if (!payload)
        return;
    if (name == kCallName)
        OnCallStep(*static_cast<const CallMessage*>(payload));
    else if (name == kChatName)
        OnChatStep(*static_cast<const QString*>(payload));
    else if (name == kMessageName)
        OnMessageStep(*static_cast<const QString*>(payload));
}

void OstOrbitRemote::OnCallStep(const CallMessage& message) {
    const OstCall* call = message.call;
    if (!call)
        return;
    const QString& id = call->GetId();
    if (callId_.isEmpty()) {
        // Without a password there is nothing a caller could prove: no call is taken up.
        if (password_.isEmpty())
            return;
        if (message.change == CALL_CHANGE_STATUS && call->GetStatus() == CALL_STATUS_RINGING) {
            Send(u"GET CALL "_qs + id + u" TYPE"_qs);
        } else if (message.change == CALL_CHANGE_TYPE &&
                   call->GetType() == CALL_TYPE_INCOMING_P2P && state_ == REMOTE_STATE_IDLE &&
                   !HasEnded(call->GetStatus())) {
            // A call that ended before its type came back would never be let go again.
            callId_ = id;
            state_ = REMOTE_STATE_COUNT_ASKED;
            failedAttempts_ = 0;
            Send(u"GET CALL "_qs + callId_ + u" CONF_PARTICIPANTS_COUNT"_qs);
        }
        return;
    }
    if (id != callId_)
        return;
    switch (message.change) {
    case CALL_CHANGE_STATUS:
        if (HasEnded(call->GetStatus())) {
            DropCall();
            failedAttempts_ = 0;
        }
        break;
    case CALL_CHANGE_CONF_PARTICIPANTS_COUNT:
        if (state_ != REMOTE_STATE_COUNT_ASKED)
            break;
        if (call->GetParticipantCount() > 1) {
            DropCall(); // a conference is left ringing
            break;
        }
        Send(u"GET CALL "_qs + callId_ + u" PARTNER_HANDLE"_qs);
        state_ = REMOTE_STATE_PARTNER_ASKED;
        break;
    case CALL_CHANGE_PARTNER_HANDLE:
        // An empty handle would match any chat and any message; wait for a real one.
        if (state_ != REMOTE_STATE_PARTNER_ASKED || call->GetPartnerHandle().isEmpty())
            break;
        partner_ = call->GetPartnerHandle();
        Send(u"CHAT CREATE "_qs + partner_);
        state_ = REMOTE_STATE_CHAT_REQUESTED;
        break;
    case CALL_CHANGE_VIDEO_SEND_STATUS:
        if (state_ == REMOTE_STATE_VIDEO_REQUESTED && call->GetVideoSendStatus() == VIDEO_NONE)
            Send(u"SET CALL "_qs + callId_ + u" STATUS FINISHED"_qs);
        break;
    default:
        break;
    }
}

void OstOrbitRemote::OnChatStep(const QString& text) {
    if (state_ != REMOTE_STATE_CHAT_REQUESTED)
        return;
    const auto head = SplitHead<2>(text);
    if (head.count < 2)
        return;
    const QString name = head.tokens[1].toString();
    QString creator;
    QString other;
    if (!ParseChatName(name, &creator, &other))
        return;
    if (creator != partner_ && other != partner_)
        return;
    chatName_ = name;
    state_ = REMOTE_STATE_PASSWORD_ASKED;
    SendChatText(kPromptText);
}

void OstOrbitRemote::OnMessageStep(const QString& text) {
    if (state_ != REMOTE_STATE_PASSWORD_ASKED)
        return;
    const auto head = SplitHead<4>(text);
    if (head.count < 3)
        return;
    const QStringView id = head.tokens[1];
    const QStringView property = head.tokens[2];
    const QStringView value = head.count > 3 ? head.tokens[3] : QStringView();

    if (property == u"STATUS") {
        if (value == u"RECEIVED" || value == u"READ")
            Send(u"GET MESSAGE "_qs + id.toString() + u" PARTNER_HANDLE"_qs);
    } else if (property == u"PARTNER_HANDLE") {
        if (value == partner_)
            Send(u"GET MESSAGE "_qs + id.toString() + u" BODY"_qs);
    } else if (property == u"BODY") {
        // The body is everything after the one blank that follows "BODY", blanks included.
        const qsizetype start = std::min(head.ends[2] + 1, text.size());
        const QStringView body = QStringView(text).mid(start);
        // Without a password nothing may open the camera, not even an empty body.
        if (!password_.isEmpty() && body == password_) {
            SendChatText(kCorrectText);
            state_ = REMOTE_STATE_VIDEO_REQUESTED;
            Send(u"SET CALL "_qs + callId_ + u" STATUS INPROGRESS"_qs);
            Send(u"ALTER CALL "_qs + callId_ + u" START_VIDEO_SEND"_qs);
            return;
        }
        ++failedAttempts_;
        if (failedAttempts_ >= kMaxFailedAttempts) {
            failedAttempts_ = 0;
            SendChatText(kTooManyText);
            Send(u"SET CALL "_qs + callId_ + u" STATUS FINISHED"_qs);
        } else {
            SendChatText(kInvalidText);
        }
    }
}

void OstOrbitRemote::DropCall() {
    state_ = REMOTE_STATE_IDLE;
    callId_.clear();
    partner_.clear();
    chatName_.clear();
}

void OstOrbitRemote::Send(const QString& command) {
    (controller_ ? *controller_ : OstSkypeController::GetInstance()).SendCommand(command);
}

void OstOrbitRemote::SendChatText(int stringNumber) {
    const QString text = OstLanguageSelector::GetInstance().GetString(stringNumber);
    Send(u"CHATMESSAGE "_qs + chatName_ + u' ' + text);
}
