#pragma once

#include <QObject>
#include <QString>

// The carrier of Skype texts. The controller talks only to this interface, so it can be
// driven without a bus in tests.
class OstSkypeTransport : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~OstSkypeTransport() override = default;

    // Asks Skype to accept this program under clientName. The answer arrives later as
    // attachAnswered on the UI thread, or never when no Skype is there.
    virtual void RequestAttach(const QString& clientName) = 0;

    // Delivers one command to the attached Skype and returns its reply text. Returns false
    // when the link is lost. May be called from any thread; callers serialise the calls.
    virtual bool Send(const QString& text, QString* reply) = 0;

    // Forgets the attached Skype: later texts from it are no longer accepted.
    virtual void Detach() = 0;

signals:
    // 0 when Skype accepted the attach request, any other value otherwise.
    void attachAnswered(int status);
    // An unasked text from the attached Skype.
    void textReceived(const QString& text);
    // The attached Skype went away without a failed send (its bus name vanished).
    void linkLost();
};
