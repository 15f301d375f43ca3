#pragma once

#include "OstSkypeTransport.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusError>
#include <QDBusMessage>
#include <QString>
#include <deque>
#include <mutex>

class QDBusServiceWatcher;

// Skype texts over D-Bus: Skype serves com.Skype.API /com/Skype Invoke(s)->s, and this
// program serves /com/Skype/Client com.Skype.API.Client Notify(s) for the unasked texts.
// Commands go out as asynchronous calls; replies and Notify texts arrive on the UI thread in
// bus order (docs/skype-link.md).
class OstDBusSkypeTransport : public OstSkypeTransport, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.Skype.API.Client")
public:
    static constexpr int kDefaultCallTimeoutMs = 25000;
    // Half of the calls a bus daemon with its built-in limits lets one connection have
    // waiting for replies (128), leaving room for the program's other calls on it.
    static constexpr int kMaxInFlight = 64;

    explicit OstDBusSkypeTransport(QDBusConnection connection,
                                   int callTimeoutMs = kDefaultCallTimeoutMs,
                                   QObject* parent = nullptr);
    ~OstDBusSkypeTransport() override;

    // What a failed command means for the link (docs/skype-link.md).
    enum class Failure { Gone, Refused, Unanswered };
    static Failure Classify(const QString& errorName);

    // False when the client object could not be registered on the bus.
    bool IsRegistered() const { return registered_; }

    void RequestAttach(const QString& clientName) override;
    bool Send(const QString& text) override;
    void Detach() override;
    int MaxInFlight() const override { return kMaxInFlight; }

public slots:
    Q_SCRIPTABLE Q_NOREPLY void Notify(const QString& text);

private slots:
    // Not scriptable, so never exported on the bus: Qt D-Bus calls them for the replies.
    void OnInvokeReply(const QDBusMessage& reply);
    void OnInvokeError(const QDBusError& error, const QDBusMessage& sent);

private:
    bool IsPeer(const QString& name) const;
    void OnAttachReply(const QString& peer, const QString& answer);

    QDBusConnection connection_;
    const int callTimeoutMs_;
    bool registered_ = false;
    bool attachPending_ = false;
    // Texts Skype sent right after accepting, which Qt D-Bus can hand over before the answer
    // to the attach request itself: sender and text, kept until that answer is known.
    std::deque<std::pair<QString, QString>> earlyTexts_;
    QDBusServiceWatcher* watcher_ = nullptr;
    mutable std::mutex peerLock_;
    QString peer_; // unique bus name of the attached Skype, empty while detached
};
