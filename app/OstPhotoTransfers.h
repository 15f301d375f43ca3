#pragma once

#include "EventRecord.h"
#include "OstAp2ApNotifyTarget.h"

#include <QList>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

class IOstEventRows;
class OstSkypeAp2Ap;
class OstSkypeController;

// The photos that travel: the photo application, made once Skype's contacts are complete and
// Skype has named the user; photos sent to a friend, each a row of its own; and every report
// of a transfer applied to its row. UI thread only.
class OstPhotoTransfers final : public OstAp2ApNotifyTarget {
public:
    // What the transfers need of the program around them.
    struct Hooks {
        std::function<QString(int number)> text; // a string of the current language
        std::function<QString(const QString& handle)> contactName; // how a contact is shown
        std::function<QString()> receiveFolder;
        std::function<void(int index)> showRow; // the row becomes the one selected and shown
        std::function<void()> photoArrived; // a photo arrived whole; its row is selected
        std::function<void(const QString& text)> tell;
        std::function<void()> rowsChanged; // rows were added or a transfer ended
    };

    OstPhotoTransfers(OstSkypeController& skype, IOstEventRows& rows, Hooks hooks);
    ~OstPhotoTransfers();
    OstPhotoTransfers(const OstPhotoTransfers&) = delete;
    OstPhotoTransfers& operator=(const OstPhotoTransfers&) = delete;

    // The contact list is complete: the application is made, or asked for the user's name.
    void ContactsComplete();
    // Skype named the user (however late).
    void UserNamed();
    // Skype went away, or the program ends: the application and its transfers go.
    void Drop();
    bool Ready() const { return ap2ap_ != nullptr; }

    // Sends each photo that still exists to the contact; each becomes a new top row. False
    // when the application is not ready, and nothing was sent.
    bool Send(const QList<EventRecord>& photos, const QString& handle, const QString& shownName);
    void Cancel(std::uint32_t transferId);
    void SetReceiveFolder(const QString& folder);

    void OnSkypeAp2ApMessage(const TransferReport& report) override;

    // Progress a transfer row shows for a report of done of total packets.
    static int ProgressPercent(std::int32_t status, std::int32_t done, std::int32_t total);

private:
    void Apply(const TransferReport& report);

    OstSkypeController& skype_;
    IOstEventRows& rows_;
    Hooks hooks_;
    std::unique_ptr<OstSkypeAp2Ap> ap2ap_;
    // The contacts are complete but Skype has not named the user yet.
    bool wanted_ = false;
};
