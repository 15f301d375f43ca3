#include "OstAp2ApReporter.h"

#include "OstQueuedCall.h"

#include <QThread>
#include <QTimer>

void OstAp2ApReporter::Delivery::Finish() {
    {
        std::lock_guard guard(gate->lock);
        if (*done)
            return;
        *done = true;
    }
    gate->changed.notify_all();
}

OstAp2ApReporter::OstAp2ApReporter(OstAp2ApNotifyTarget* target)
    : target_(target), gate_(std::make_shared<Gate>()) {}

OstAp2ApReporter::~OstAp2ApReporter() {
    Close();
}

bool OstAp2ApReporter::IsOpen() const {
    return gate_->IsOpen();
}

void OstAp2ApReporter::Close() {
    {
        std::lock_guard guard(gate_->lock);
        gate_->open = false;
    }
    gate_->changed.notify_all();
}

void OstAp2ApReporter::Send(const TransferReport& report) {
    if (!target_)
        return;
    if (QThread::currentThread() == context_.thread()) {
        if (gate_->IsOpen())
            target_->OnSkypeAp2ApMessage(report);
        return;
    }
    auto done = std::make_shared<bool>(false);
    {
        std::lock_guard guard(gate_->lock);
        if (!gate_->open)
            return;
    }
    auto delivery = std::make_shared<Delivery>(gate_, done);
    OstQueuedCall::Post(&context_, [delivery, report, target = target_] {
        // Closed while queued: the owner is going away and nobody waits for the answer.
        if (delivery->gate->IsOpen())
            target->OnSkypeAp2ApMessage(report);
        delivery->Finish();
    });
    delivery.reset(); // only the queued call keeps it now, so a dropped call also finishes it
    std::unique_lock guard(gate_->lock);
    gate_->changed.wait(guard, [&] { return *done || !gate_->open; });
}

void OstAp2ApReporter::Post(const TransferReport& report) {
    if (!target_)
        return;
    Later(0, [target = target_, report] { target->OnSkypeAp2ApMessage(report); });
}

void OstAp2ApReporter::Later(int ms, std::function<void()> task) {
    auto run = [gate = gate_, task = std::move(task)] {
        if (gate->IsOpen())
            task();
    };
    if (ms <= 0)
        OstQueuedCall::Post(&context_, std::move(run));
    else
        QTimer::singleShot(ms, &context_, std::move(run));
}
