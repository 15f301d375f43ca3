#pragma once

#include "Ap2ApConfig.h"
#include "ContactSender.h"
#include "IncomingFile.h"
#include "OstAp2ApNotifyTarget.h"
#include "OstAp2ApReporter.h"
#include "OstObject.h"
#include "TransferReport.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

class OstSkypeController;

// Sends photos to contacts and receives photos from them over Skype's application streams,
// as base64 text packets each acknowledged before the next (stop-and-wait). A receiver
// listens on an application named after its own handle; a sender creates an application
// named after the contact and connects to it. One sending thread per contact, one receiving
// thread per incoming file; every step is reported to the notify target.
//
// Build, use and destroy it on the UI thread, the thread of the controller. The destructor
// stops and joins every thread; no report reaches the target once destruction has begun.
class OstSkypeAp2Ap : public OstObject {
public:
    // File bytes carried by one data packet.
    static constexpr int kChunkBytes = 10242;

    OstSkypeAp2Ap(OstSkypeController& skype, const QString& ownHandle, const QString& receiveFolder,
                  OstAp2ApNotifyTarget* notifyWindow, const Ap2ApConfig& config = {});
    ~OstSkypeAp2Ap() override;
    OstSkypeAp2Ap(const OstSkypeAp2Ap&) = delete;
    OstSkypeAp2Ap& operator=(const OstSkypeAp2Ap&) = delete;

    // Queues the photo for the contact and returns its transfer id; 0 when that path is
    // already waiting in the contact's queue (nothing is queued then).
    std::uint32_t SendFile(const QString& path, const QString& contact, const QString& resolution,
                           const QString& pictureSize);
    // Whether a transfer with the id was found: a photo being sent or received is cancelled
    // when its thread next wakes, a queued photo is dropped at once (reported as cancelled).
    bool CancelTransfer(std::uint32_t id);

    // Where received files go; ends with "/".
    void SetReceiveFolder(const QString& folder);
    QString GetReceiveFolder() const;

    void OnNotification(void* payload, const QString& name) override;
    void OnApplicationMessage(const QString& text);

    // Contact senders and incoming files still at work.
    std::size_t GetSenderCount() const;
    std::size_t GetIncomingCount() const;

    // Whether a received file name may be used as it is: it names a file inside the receive
    // folder and nothing else.
    static bool IsSafeFileName(const QString& name);

private:
    void RunSender(ContactSender* sender);
    QString Connect(ContactSender* sender);
    void SendJobs(ContactSender* sender, const QString& stream);
    void SendOneJob(ContactSender* sender, const QString& stream, const SendJob& job);
    void FailQueuedJobs(ContactSender* sender, TransferStatus status);

    void RunReceiver(IncomingFile* file);
    bool TakeChunks(IncomingFile* file, int* accepted);
    void WriteReceivedFile(IncomingFile* file);
    void RetireIncoming(IncomingFile* file);

    void OnReadResult(const QStringList& tokens);
    void Reap();
    void Command(const QString& text);
    void Report(const QString& peer, std::uint32_t id, TransferStatus status,
                const QString& fileName, std::int32_t done, std::int32_t total);

    OstSkypeController& skype_;
    const QString ownHandle_;
    const Ap2ApConfig config_;

    mutable std::mutex sendLock_;
    std::vector<std::unique_ptr<ContactSender>> senders_;
    mutable std::mutex receiveLock_;
    std::vector<std::unique_ptr<IncomingFile>> incoming_;
    // Serialises naming and writing received files, so two files never take one name.
    std::mutex fileLock_;

    // Records whose threads have ended, to be joined and freed on the UI thread.
    std::vector<std::unique_ptr<ContactSender>> retiredSenders_; // under sendLock_
    std::vector<std::unique_ptr<IncomingFile>> retiredIncoming_; // under receiveLock_

    mutable std::mutex folderLock_; // never held while waiting; the UI thread may set it
    QString receiveFolder_;

    OstAp2ApReporter reporter_;
};
