#pragma once

#include <QDBusConnection>
#include <QDBusPendingCall>
#include <QObject>
#include <QString>
#include <QStringList>

// Plays the program's end of the desktop API on one bus: calls Invoke on com.Skype.API and
// collects what arrives at /com/Skype/Client Notify, in order.
class FakeProgram : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.Skype.API.Client")
public:
    explicit FakeProgram(const QString& address);
    ~FakeProgram() override;

    bool IsConnected() const { return connection_.isConnected(); }
    // The reply text, or "DBUS:" + the D-Bus error name when the call failed.
    QString Invoke(const QString& command);
    QDBusPendingCall InvokeAsync(const QString& command);
    // "NAME Orbit" and the two unasked texts that follow it.
    bool Attach(const QString& handle);
    // The unique name that owns com.Skype.API now, empty when nobody does.
    QString SkypeOwner() const;

    // Waits for the next notification (after the last one waited for) that starts with
    // prefix; notifications skipped on the way stay in Notes().
    bool WaitForNote(const QString& prefix, int timeoutMs = 5000, QString* text = nullptr);
    // A marker sent through the peer arrives after every notification queued before it.
    const QStringList& Notes() const { return notes_; }
    QStringList NotesSinceMark() const { return notes_.mid(cursor_); }
    void SkipAll() { cursor_ = int(notes_.size()); }

public Q_SLOTS:
    Q_SCRIPTABLE Q_NOREPLY void Notify(const QString& text);

private:
    QString name_;
    QDBusConnection connection_;
    QStringList notes_;
    int cursor_ = 0;
};
