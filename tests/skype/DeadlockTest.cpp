#include "FakeSkypeTransport.h"
#include "NotificationLog.h"
#include "OstSkypeController.h"

#include <QCoreApplication>
#include <future>
#include <gtest/gtest.h>
#include <thread>

namespace {

// Sends a command from inside a notification callback, so the UI thread holds the center's
// lock while it waits for the send lock.
struct SendingObserver : OstObject {
    explicit SendingObserver(OstSkypeController* c) : controller(c) {}
    OstSkypeController* controller;
    void OnNotification(void*, const QString&) override {
        controller->SendCommand(u"GET USER x FULLNAME"_qs);
    }
};

} // namespace

// A worker whose send fails while the UI thread posts and sends must never deadlock, and
// every lost link must end in exactly one disconnect on the UI thread.
TEST(DeadlockTest, WorkerFailureAndUiPostRunTogether) {
    auto owned = std::make_unique<FakeSkypeTransport>();
    FakeSkypeTransport* transport = owned.get();
    OstSkypeController controller(std::move(owned), 10);
    NotificationLog log;
    SendingObserver observer(&controller);
    auto& center = OstNotificationCenter::GetInstance();
    center.AddObserver(&observer, OstNotificationCenter::ForwardToObject, u"DEADLOCK_PROBE"_qs);
    // Observers of the disconnect also send, the other lock order of the original design.
    center.AddObserver(&observer, OstNotificationCenter::ForwardToObject, u"SKYPE_DISCONNECTED"_qs);

    constexpr int kRounds = 300;
    // The worker's tenth write fails; until then both threads send side by side.
    transport->failWhen = [](const QString& text) { return text.endsWith(u"#9"); };
    for (int round = 0; round < kRounds; ++round) {
        transport->Accept();
        ASSERT_TRUE(controller.IsAttached());
        auto worker = std::async(std::launch::async, [&controller] {
            for (int i = 0; i < 20; ++i)
                controller.SendCommand(u"ALTER APPLICATION Orbit WRITE bob:1 PKT-#"_qs +
                                       QString::number(i));
        });
        for (int i = 0; i < 20; ++i)
            center.PostNotification(u"DEADLOCK_PROBE"_qs, nullptr);
        ASSERT_EQ(worker.wait_for(std::chrono::seconds(20)), std::future_status::ready)
            << "deadlock in round " << round;
        QCoreApplication::processEvents();
        ASSERT_FALSE(controller.IsAttached());
    }
    EXPECT_EQ(log.lines.count(u"SKYPE_DISCONNECTED"_qs), kRounds);
    EXPECT_GT(transport->Sent().count(u"GET USER x FULLNAME"_qs), kRounds);
    center.RemoveObserver(&observer, QString());
}
