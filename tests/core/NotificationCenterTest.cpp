#include "OstNotificationCenter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

struct Recorder : OstObject {
    Recorder(std::vector<QString>* l, QString t) : log(l), tag(std::move(t)) {}
    std::vector<QString>* log = nullptr;
    QString tag;
    void OnNotification(void* payload, const QString& name) override {
        const auto* text = static_cast<const QString*>(payload);
        log->push_back(tag + u':' + name + (text ? u'=' + *text : QString()));
    }
};

void OtherCallback(void* observer, void* /*payload*/, const QString& name) {
    static_cast<Recorder*>(observer)->log->push_back(u"other:"_qs + name);
}

} // namespace

class NotificationCenterTest : public ::testing::Test {
protected:
    OstNotificationCenter center;
    std::vector<QString> log;
    Recorder a{&log, u"a"_qs};
    Recorder b{&log, u"b"_qs};
};

TEST_F(NotificationCenterTest, PostingUnknownOrEmptiedNameCallsNothingAndCreatesNoEntry) {
    center.PostNotification(u"NOBODY"_qs, nullptr);
    EXPECT_FALSE(center.HasEntry(u"NOBODY"_qs));

    center.AddObserver(&a, OstNotificationCenter::ForwardToObject, u"X"_qs);
    center.RemoveObserver(&a, u"X"_qs);
    center.PostNotification(u"X"_qs, nullptr);
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(center.HasEntry(u"X"_qs)) << "entries are never erased";
    EXPECT_EQ(center.ObserverCount(u"X"_qs), 0u);
}

TEST_F(NotificationCenterTest, DuplicateRegistrationIsIgnoredButOtherCallbackIsKept) {
    center.AddObserver(&a, OstNotificationCenter::ForwardToObject, u"X"_qs);
    center.AddObserver(&a, OstNotificationCenter::ForwardToObject, u"X"_qs);
    center.AddObserver(&a, OtherCallback, u"X"_qs);
    EXPECT_EQ(center.ObserverCount(u"X"_qs), 2u);
    const QString text = u"t"_qs;
    center.PostNotification(u"X"_qs, const_cast<QString*>(&text));
    EXPECT_EQ(log, (std::vector<QString>{u"a:X=t"_qs, u"other:X"_qs}));

    // Removal ignores the callback: both entries of the observer go.
    center.RemoveObserver(&a, u"X"_qs);
    EXPECT_EQ(center.ObserverCount(u"X"_qs), 0u);
}

TEST_F(NotificationCenterTest, DeliversInRegistrationOrderAndNamesAreCaseSensitive) {
    center.AddObserver(&b, OstNotificationCenter::ForwardToObject, u"X"_qs);
    center.AddObserver(&a, OstNotificationCenter::ForwardToObject, u"X"_qs);
    center.PostNotification(u"x"_qs, nullptr);
    center.PostNotification(u"X"_qs, nullptr);
    EXPECT_EQ(log, (std::vector<QString>{u"b:X"_qs, u"a:X"_qs}));
    EXPECT_FALSE(center.HasEntry(u"x"_qs));
}

TEST_F(NotificationCenterTest, RemovingWithEmptyNameLeavesOtherObservers) {
    center.AddObserver(&a, OstNotificationCenter::ForwardToObject, u"X"_qs);
    center.AddObserver(&b, OstNotificationCenter::ForwardToObject, u"X"_qs);
    center.AddObserver(&a, OstNotificationCenter::ForwardToObject, u"Y"_qs);
    center.RemoveObserver(&b, u"Z"_qs); // not registered there: no change
    center.RemoveObserver(&a, QString());
    center.PostNotification(u"X"_qs, nullptr);
    center.PostNotification(u"Y"_qs, nullptr);
    EXPECT_EQ(log, (std::vector<QString>{u"b:X"_qs}));
}

// A callback that registers, posts and removes from inside a post must neither deadlock
// (the lock is recursive) nor invalidate the walk.
struct Reentrant : OstObject {
    OstNotificationCenter* center = nullptr;
    std::vector<QString>* log = nullptr;
    Recorder* late = nullptr;
    void OnNotification(void*, const QString& name) override {
        log->push_back(u"re:"_qs + name);
        if (name == u"X"_qs) {
            center->AddObserver(late, OstNotificationCenter::ForwardToObject, u"X"_qs);
            center->PostNotification(u"Y"_qs, nullptr);
            center->RemoveObserver(this, u"X"_qs);
        }
    }
};

TEST_F(NotificationCenterTest, CallbacksMayChangeRegistrationsDuringPost) {
    Reentrant r;
    r.center = &center;
    r.log = &log;
    r.late = &a;
    center.AddObserver(&r, OstNotificationCenter::ForwardToObject, u"X"_qs);
    center.AddObserver(&r, OstNotificationCenter::ForwardToObject, u"Y"_qs);
    center.PostNotification(u"X"_qs, nullptr);
    // The walk re-reads the array: after r removed itself, a now sits at index 0 and the
    // walk has moved past it, so a is not called in this post, only in the next.
    EXPECT_EQ(log, (std::vector<QString>{u"re:X"_qs, u"re:Y"_qs}));
    log.clear();
    center.PostNotification(u"X"_qs, nullptr);
    EXPECT_EQ(log, (std::vector<QString>{u"a:X"_qs}));
}

TEST_F(NotificationCenterTest, ConcurrentPostsFromSeveralThreadsAreSerialised) {
    struct Counter : OstObject {
        int inside = 0;
        int maxInside = 0;
        int calls = 0;
        void OnNotification(void*, const QString&) override {
            maxInside = std::max(maxInside, ++inside);
            ++calls;
            --inside;
        }
    } counter;
    center.AddObserver(&counter, OstNotificationCenter::ForwardToObject, u"X"_qs);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([this] {
            for (int i = 0; i < 2000; ++i)
                center.PostNotification(u"X"_qs, nullptr);
        });
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(counter.calls, 8000);
    EXPECT_EQ(counter.maxInside, 1);
}
