#pragma once

#include "OstObject.h"

#include <QString>
#include <cstdint>
#include <set>

enum CallStatus : std::int32_t {
    CALL_STATUS_NONE = 0, // not yet reported
    CALL_STATUS_UNPLACED = 1,
    CALL_STATUS_ROUTING = 2,
    CALL_STATUS_EARLYMEDIA = 3,
    CALL_STATUS_FAILED = 4,
    CALL_STATUS_RINGING = 5,
    CALL_STATUS_INPROGRESS = 6,
    CALL_STATUS_ONHOLD = 7,
    CALL_STATUS_FINISHED = 8,
    CALL_STATUS_MISSED = 9,
    CALL_STATUS_REFUSED = 10,
    CALL_STATUS_BUSY = 11,
    CALL_STATUS_CANCELLED = 12,
    CALL_STATUS_VM_BUFFERING_GREETING = 13,
    CALL_STATUS_VM_PLAYING_GREETING = 14,
    CALL_STATUS_VM_RECORDING = 15,
    CALL_STATUS_VM_UPLOADING = 16,
    CALL_STATUS_VM_SENT = 17,
    CALL_STATUS_VM_CANCELLED = 18,
    CALL_STATUS_VM_FAILED = 19,
};

enum CallType : std::int32_t {
    CALL_TYPE_INCOMING_PSTN = 1,
    CALL_TYPE_OUTGOING_PSTN = 2,
    CALL_TYPE_INCOMING_P2P = 4,
    CALL_TYPE_OUTGOING_P2P = 8,
};

enum VideoStatus : std::int32_t {
    VIDEO_NONE = 0,
    VIDEO_AVAILABLE = 1,
    VIDEO_STARTING = 2,
    VIDEO_REJECTED = 3,
    VIDEO_RUNNING = 4,
    VIDEO_STOPPING = 5,
    VIDEO_PAUSED = 6,
};

// One Skype call as last reported; records live until the monitor is destroyed.
class OstCall : public OstObject {
public:
    explicit OstCall(QString id) : id_(std::move(id)) {}

    const QString& GetId() const { return id_; }
    const QString& GetPartnerHandle() const { return partnerHandle_; }
    const QString& GetPartnerDisplayName() const { return partnerDisplayName_; }
    std::int32_t GetConferenceId() const { return conferenceId_; }
    std::int32_t GetType() const { return type_; }
    std::int32_t GetStatus() const { return status_; }
    std::int32_t GetVideoSendStatus() const { return videoSendStatus_; }
    std::int32_t GetVideoReceiveStatus() const { return videoReceiveStatus_; }
    // -1 until Skype reported it.
    std::int32_t GetParticipantCount() const { return participantCount_; }
    const std::set<QString>& GetParticipants() const { return participants_; }

private:
    friend class OstCallMonitor;
    QString id_;
    QString partnerHandle_;
    QString partnerDisplayName_;
    std::int32_t conferenceId_ = 0;
    std::int32_t type_ = 0;
    std::int32_t status_ = CALL_STATUS_NONE;
    std::int32_t videoSendStatus_ = VIDEO_NONE;
    std::int32_t videoReceiveStatus_ = VIDEO_NONE;
    std::int32_t participantCount_ = -1;
    std::set<QString> participants_;
};
