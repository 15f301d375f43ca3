// Texts classified per second through the controller with both monitors behind it.
#include "FakeSkypeTransport.h"
#include "OstNotificationCenter.h"
#include "OstSkypeController.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {

struct Counter : OstObject {
    void OnNotification(void*, const QString&) override { ++count; }
    std::int64_t count = 0;
};

struct Fixture {
    Fixture() {
        auto owned = std::make_unique<FakeSkypeTransport>();
        FakeSkypeTransport* transport = owned.get();
        controller = std::make_unique<OstSkypeController>(std::move(owned));
        controller->Discover();
        transport->Accept();
        controller->OnSkypeMessage(u"USERSTATUS ONLINE"_qs);
        QString users = u"USERS friend0"_qs;
        for (int i = 1; i < 200; ++i)
            users += u", friend"_qs + QString::number(i);
        controller->OnSkypeMessage(users);
        for (const char16_t* name : {u"SKYPE_FRIEND_INFO_UPDATE", u"SKYPE_CALL_MESSAGE",
                                     u"SKYPE_CHAT_MESSAGE", u"SKYPE_MESSAGE_MESSAGE",
                                     u"SKYPE_APPLICATION_MESSAGE", u"SKYPE_USERSTATUS"})
            OstNotificationCenter::GetInstance().AddObserver(
                &counter, OstNotificationCenter::ForwardToObject, QString::fromUtf16(name));
    }
    ~Fixture() { OstNotificationCenter::GetInstance().RemoveObserver(&counter, QString()); }
    std::unique_ptr<OstSkypeController> controller;
    Counter counter;
};

void RunTexts(benchmark::State& state, const QStringList& texts) {
    Fixture fixture;
    std::int64_t items = 0;
    for (auto _ : state) {
        for (const QString& text : texts)
            fixture.controller->OnSkypeMessage(text);
        items += texts.size();
    }
    state.SetItemsProcessed(items);
    state.counters["posts"] = benchmark::Counter(static_cast<double>(fixture.counter.count),
                                                 benchmark::Counter::kIsRate);
}

// The mix of a busy session: contact updates, call progress, chat and photo packets.
void BM_ClassifyMixedTraffic(benchmark::State& state) {
    RunTexts(state, {
                        u"USER friend17 ONLINESTATUS AWAY"_qs,
                        u"USER friend42 DISPLAYNAME Somebody Else"_qs,
                        u"CALL 1201 STATUS INPROGRESS"_qs,
                        u"CALL 1201 VIDEO_SEND_STATUS RUNNING"_qs,
                        u"CHAT #me/$friend3;5f1e STATUS DIALOG"_qs,
                        u"MESSAGE 4410 STATUS RECEIVED"_qs,
                        u"APPLICATION Orbit RECEIVED friend3:1=10242"_qs,
                        u"USERSTATUS ONLINE"_qs,
                        u"PONG"_qs,
                    });
}
BENCHMARK(BM_ClassifyMixedTraffic);

void BM_ClassifyContactStatus(benchmark::State& state) {
    RunTexts(state, {u"USER friend17 ONLINESTATUS AWAY"_qs, u"USER friend99 ONLINESTATUS ONLINE"_qs});
}
BENCHMARK(BM_ClassifyContactStatus);

// A photo packet acknowledgement: the largest share of texts during a transfer.
void BM_ClassifyApplicationText(benchmark::State& state) {
    RunTexts(state, {u"ALTER APPLICATION Orbit READ friend3:1 PKT-ACK photo.jpg 17"_qs});
}
BENCHMARK(BM_ClassifyApplicationText);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
