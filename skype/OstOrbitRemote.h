#pragma once

#include "IOstRemoteMonitor.h"
#include "OstObject.h"

#include <QString>
#include <cstdint>

class OstSkypeController;
struct CallMessage;

// Where the remote monitor is with the call it handles (code 1 is not used).
enum RemoteState : std::int32_t {
    REMOTE_STATE_IDLE = 0,
    REMOTE_STATE_COUNT_ASKED = 2,   // an incoming person-to-person call was taken
    REMOTE_STATE_PARTNER_ASKED = 3, // at most one participant; the caller's handle was asked
    REMOTE_STATE_CHAT_REQUESTED = 4,
    REMOTE_STATE_PASSWORD_ASKED = 5,
    REMOTE_STATE_VIDEO_REQUESTED = 6, // the call was answered and video requested
};

// The remote camera: while it runs, an incoming person-to-person Skype call is answered only
// after the caller has typed the password into a chat the monitor opens, and then video is
// started. Three wrong passwords end the call. UI thread only.
//
// Without a password no call is taken up, whatever the switch says.
//
// Its switch and password persist in QSettings("Ostrel", "Orbit") as "RMON" (1 on, 0 off)
// and "RMPM" (base64 of the password's local 8-bit text and one zero byte).
class OstOrbitRemote : public OstObject, public IOstRemoteMonitor {
public:
    static constexpr std::int32_t kMaxFailedAttempts = 3;

    // Commands go to OstSkypeController::GetInstance(), which is taken on the first command.
    OstOrbitRemote();
    explicit OstOrbitRemote(OstSkypeController& controller);
    // Leaves the stored switch as it is, so the next start resumes monitoring.
    ~OstOrbitRemote() override;
    OstOrbitRemote(const OstOrbitRemote&) = delete;
    OstOrbitRemote& operator=(const OstOrbitRemote&) = delete;

    // Both change nothing unless "RMON" could be written.
    void Start() override;
    void Stop() override;
    // Stops answering calls without storing the switch as off: the user still wants the
    // monitor, it only cannot run now (no camera, Skype offline).
    void Suspend();
    // The user wants the monitor but it cannot run now: the stored switch says on (written
    // only when it said off) and no call is answered.
    void Hold() override;
    // Whether the password was stored; only then does it become the password.
    bool SetPassword(const QString& text) override;

    bool IsRunning() const { return running_; }
    const QString& GetPassword() const { return password_; }
    bool HasPassword() const override { return !password_.isEmpty(); }
    std::int32_t GetState() const { return state_; }
    const QString& GetCallId() const { return callId_; }
    const QString& GetPartner() const { return partner_; }
    const QString& GetChatName() const { return chatName_; }
    std::int32_t GetFailedAttempts() const { return failedAttempts_; }

    void OnNotification(void* payload, const QString& name) override;

    // The "RMPM" form of a password; empty when the text would not read back as itself
    // (a zero character, or a character the local 8-bit encoding cannot hold).
    static QString EncodePassword(const QString& password);
    // The password of an "RMPM" value; empty when the value is not base64 or holds no zero byte.
    static QString DecodePassword(const QString& stored);

private:
    explicit OstOrbitRemote(OstSkypeController* controller);
    void OnCallStep(const CallMessage& message);
    void OnChatStep(const QString& text);
    void OnMessageStep(const QString& text);
    void DropCall();
    void Send(const QString& command);
    void SendChatText(int stringNumber);

    OstSkypeController* controller_ = nullptr;
    bool running_ = false;
    // The stored switch is on: the user wants the monitor, running or suspended.
    bool wished_ = false;
    QString password_;
    std::int32_t state_ = REMOTE_STATE_IDLE;
    QString callId_;
    QString partner_;
    QString chatName_;
    std::int32_t failedAttempts_ = 0;
};
