#pragma once

#include <QObject>
#include <QString>

// The carrier of Skype texts. The controller talks only to this interface, so it can be
// driven without a bus in tests.
//
// Replies and unasked texts travel one road: both arrive as textReceived on the UI thread, in
// the order Skype sent them, so a reply is never classified after a text Skype sent later.
class OstSkypeTransport : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~OstSkypeTransport() override = default;

    // Asks Skype to accept this program under clientName. The answer arrives later as
    // attachAnswered on the UI thread, or never when no Skype is there.
    virtual void RequestAttach(const QString& clientName) = 0;

    // Hands one command to the attached Skype without waiting for it. Its reply arrives later
    // as textReceived, followed by commandSettled; a command the bus fails later ends as
    // commandRefused, commandSettled or linkLost, by what the failure means. Returns false when
    // there is no link to send on. May be called from any thread; callers serialise the calls,
    // and commands leave in the order of the calls.
    virtual bool Send(const QString& text) = 0;

    // How many commands may wait for their replies at a time; 0: as many as are sent.
    virtual int MaxInFlight() const { return 0; }

    // Forgets the attached Skype: later texts from it are no longer accepted.
    virtual void Detach() = 0;

signals:
    // 0 when Skype accepted the attach request, any other value otherwise.
    void attachAnswered(int status);
    // A reply or an unasked text from the attached Skype.
    void textReceived(const QString& text);
    // The attached Skype went away, or a command failed in a way that says the other end is no
    // Skype (anymore).
    void linkLost();
    // One command sent to the attached Skype is done with: answered (after its textReceived)
    // or failed without the link being lost (no answer in time, an error from Skype's side).
    void commandSettled();
    // The bus turned one command down before it reached Skype (too many calls waiting for
    // replies, no memory): Skype never saw it, so it can be sent again.
    void commandRefused(const QString& text);
};
