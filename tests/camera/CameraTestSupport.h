#pragma once

#include "IOstGraphReporter.h"
#include "IOstVideoWindow.h"

#include <QCoreApplication>
#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QThread>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

// Records every failure text a graph reports.
class RecordingReporter : public IOstGraphReporter {
public:
    RecordingReporter() = default;
    void ReportFailure(const QString& text) override {
        std::lock_guard guard(lock_);
        texts_.append(text);
    }
    // Reports are queued to the UI thread: on it, the queue is run first.
    QStringList Texts() const {
        if (QThread::currentThread() == QCoreApplication::instance()->thread())
            QCoreApplication::sendPostedEvents();
        std::lock_guard guard(lock_);
        return texts_;
    }
    void Clear() {
        std::lock_guard guard(lock_);
        texts_.clear();
    }

private:
    mutable std::mutex lock_;
    QStringList texts_;
};

// A video window that keeps the frames handed to it.
class RecordingWindow : public IOstVideoWindow {
public:
    explicit RecordingWindow(QRect client = QRect(0, 0, 320, 240)) : client_(client) {}

    void PresentFrame(const QImage& frame, const QRect& target) override {
        {
            std::lock_guard guard(lock_);
            if (frame.isNull()) {
                released_ = true;
            } else {
                last_ = frame;
                target_ = target;
                ++count_;
                released_ = false;
            }
        }
        changed_.notify_all();
    }
    bool GetClientRect(QRect& rect) const override {
        std::lock_guard guard(lock_);
        rect = client_;
        return canTell_;
    }

    void SetClient(QRect client, bool canTell = true) {
        std::lock_guard guard(lock_);
        client_ = client;
        canTell_ = canTell;
    }
    std::uint64_t Count() const {
        std::lock_guard guard(lock_);
        return count_;
    }
    QImage Last() const {
        std::lock_guard guard(lock_);
        return last_;
    }
    QRect Target() const {
        std::lock_guard guard(lock_);
        return target_;
    }
    bool Released() const {
        std::lock_guard guard(lock_);
        return released_;
    }
    // Waits until `more` frames beyond those seen so far have arrived; the newest, or a null
    // image when they do not come.
    QImage WaitForFrames(std::uint64_t more = 1,
                         std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        std::unique_lock guard(lock_);
        const std::uint64_t goal = count_ + more;
        if (!changed_.wait_for(guard, timeout, [&] { return count_ >= goal; }))
            return QImage();
        return last_;
    }

private:
    mutable std::mutex lock_;
    std::condition_variable changed_;
    QRect client_;
    bool canTell_ = true;
    QImage last_;
    QRect target_;
    std::uint64_t count_ = 0;
    bool released_ = false;
};

inline const QString kSimulatedPath =
    u"\\\\?\\usb#vid_6b2d&pid_0e41#sim0#{65e8773d-8f56-11d0-a3b9-00a0c9223196}"_qs;

inline QString Failure(const char* step, const char* detail) {
    return u"OstDXShow::"_qs + QString::fromLatin1(step) + u"() failed -> "_qs +
           QString::fromLatin1(detail) + u'\n';
}
