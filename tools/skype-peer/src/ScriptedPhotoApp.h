#pragma once

#include "PeerRecord.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <memory>
#include <vector>

class PeerNetwork;
class QTimer;
struct PeerUser;

// The photo application of a scripted user: answers every packet as another copy of the
// program would (acknowledging each one, keeping the received file in its folder) and can
// offer a file to another user the same stop-and-wait way. It keeps a record of every
// transfer for the control interface.
class ScriptedPhotoApp : public QObject {
    Q_OBJECT
public:
    ScriptedPhotoApp(PeerNetwork& network, const PeerUser& user, QObject* parent = nullptr);
    ~ScriptedPhotoApp() override;

    const QString& Folder() const { return folder_; }
    // accept, refuse (cancel every announce), silent (never answer) or cancel (refuse after
    // `count` data packets).
    bool SetReceiveMode(const QString& mode, int count, QString* error);
    void SetAckDelay(int ms) { ackDelayMs_ = qMax(0, ms); }
    void SetReceiveTimeout(int ms) { receiveTimeoutMs_ = qMax(1, ms); }

    // Options: name, resolution, pictureSize, cancelAfter (data packets), ackTimeoutMs,
    // connectTimeoutMs.
    bool Offer(const QString& to, const QString& path, const QVariantMap& options, QString* id,
               QString* error);
    bool CancelOffer(const QString& id, QString* error);
    // One row per transfer: id, direction ("in"/"out"), peer, name, state, done, total, path.
    QList<PeerRecord> Transfers() const;

    void StreamOpened(const QString& app, const QString& stream);
    void StreamClosed(const QString& app, const QString& stream);
    void Received(const QString& app, const QString& stream, const QString& data);
    void LoggedOut();

private:
    struct Transfer;

    Transfer& NewTransfer(const QString& direction);
    Transfer* FindActive(const QString& direction, const QString& app, const QString& stream);
    void HandleIncoming(const QString& app, const QString& stream, const QString& data);
    void Announce(const QString& app, const QString& stream, const QString& name,
                  const QString& countText, const QString& descriptor);
    void HandleData(Transfer& transfer, int index, const QString& data);
    void HandleAck(Transfer& transfer, const QString& data);
    void StoreFile(Transfer& transfer);
    void WriteLater(const QString& app, const QString& stream, const QString& packet);
    void StartOffer(Transfer& transfer);
    void SendPacket(Transfer& transfer);
    void Finish(Transfer& transfer, const QString& state);
    void ArmTimer(Transfer& transfer, int ms, const QString& stateOnTimeout);

    PeerNetwork& network_;
    QString handle_;
    QString folder_;
    QString mode_;
    int modeCount_ = 0;
    int ackDelayMs_ = 0;
    int receiveTimeoutMs_ = 30000;
    int nextId_ = 1;
    std::vector<std::unique_ptr<Transfer>> transfers_;
};
