#pragma once

#include <QMetaObject>
#include <QObject>
#include <mutex>
#include <utility>

// Queues a call to the event loop of `context`'s thread so that ThreadSanitizer sees the
// hand-over: Qt's event queue locks with futexes it cannot follow, so everything the call
// carries would otherwise look shared without synchronisation. A short lock is held while the
// call is queued and taken again before it runs. The call is dropped when `context` is
// destroyed first. Used by the Skype link's and the camera's worker threads alike.
class OstQueuedCall {
public:
    template <typename Function> static void Post(QObject* context, Function&& function) {
        std::lock_guard guard(Lock());
        QMetaObject::invokeMethod(
            context,
            [call = std::forward<Function>(function)]() mutable {
                { std::lock_guard taken(Lock()); }
                call();
            },
            Qt::QueuedConnection);
    }

private:
    static std::mutex& Lock() {
        static std::mutex lock;
        return lock;
    }
};
