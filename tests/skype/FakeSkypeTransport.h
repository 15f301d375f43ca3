#pragma once

#include "OstQueuedCall.h"
#include "OstSkypeTransport.h"

#include <QStringList>
#include <atomic>
#include <deque>
#include <functional>
#include <mutex>

// A Skype without a bus: records what the controller sends and answers as the test says.
class FakeSkypeTransport : public OstSkypeTransport {
    Q_OBJECT
public:
    // Answers each command; the default answers nothing.
    std::function<QString(const QString&)> answer = [](const QString&) { return QString(); };
    std::atomic<bool> failSends{false};
    // Fails only the texts it names, when set.
    std::function<bool(const QString&)> failWhen;
    // Turns down the texts it names as a busy bus does, when set.
    std::function<bool(const QString&)> refuseWhen;
    // Read at each attach; 0 (no bound) keeps tests that never run the event loop simple.
    int maxInFlight = 0;
    // Keeps every answer until ReleaseAnswers, when set.
    std::atomic<bool> holdAnswers{false};
    int attachRequests = 0;
    int detaches = 0;

    void RequestAttach(const QString& clientName) override {
        ++attachRequests;
        lastClientName = clientName;
    }
    // The reply travels as a bus reply does: later, on the UI thread, in sending order.
    bool Send(const QString& text) override {
        QString reply;
        {
            std::lock_guard guard(lock_);
            sent_.append(text);
            if (failSends || (failWhen && failWhen(text)))
                return false;
            if (refuseWhen && refuseWhen(text)) {
                OstQueuedCall::Post(this, [this, text] { emit commandRefused(text); });
                return true;
            }
            reply = answer(text);
            if (holdAnswers) {
                held_.push_back(reply);
                return true;
            }
        }
        OstQueuedCall::Post(this, [this, reply] { Answer(reply); });
        return true;
    }
    // Hands over the oldest held answers, on the calling (UI) thread.
    void ReleaseAnswers(int count) {
        for (int i = 0; i < count; ++i) {
            QString reply;
            {
                std::lock_guard guard(lock_);
                if (held_.empty())
                    return;
                reply = held_.front();
                held_.pop_front();
            }
            Answer(reply);
        }
    }
    void Detach() override { ++detaches; }
    int MaxInFlight() const override { return maxInFlight; }

    void Accept() { emit attachAnswered(0); }
    void Refuse() { emit attachAnswered(1); }
    void Deliver(const QString& text) { emit textReceived(text); }
    void Vanish() { emit linkLost(); }

    // A copy that shares nothing with the list a sending thread appends to: Qt's shared
    // buffers count their users with atomics ThreadSanitizer cannot see into.
    QStringList Sent() const {
        std::lock_guard guard(lock_);
        QStringList copy;
        copy.reserve(sent_.size());
        for (const QString& text : sent_)
            copy.append(QString(text.constData(), text.size()));
        return copy;
    }
    void ClearSent() {
        std::lock_guard guard(lock_);
        sent_.clear();
    }

    QString lastClientName;

private:
    void Answer(const QString& reply) {
        if (!reply.isEmpty())
            emit textReceived(reply);
        emit commandSettled();
    }

    mutable std::mutex lock_;
    QStringList sent_;
    std::deque<QString> held_;
};
