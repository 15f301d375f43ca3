#include "OstSimulatedCameraDriver.h"

#include "OstCameraProperty.h"
#include "OstQueuedCall.h"
#include "OstImageEffects.h"
#include "OstPrivateSettings.h"
#include "OstSimulatedButtonControl.h"

#include <QSettings>

namespace {

using Range = OstSimulatedCameraDriver::Range;
using OstCameraProperty::Entry;
namespace P = OstCameraProperty;

// The values a set keeps: everything readable and writable.
bool Kept(std::uint32_t id) {
    Range range;
    return OstSimulatedCameraDriver::RangeOf(id, range) && range.readable && range.writable;
}

QString Key(std::uint32_t id) {
    return u"P"_qs + QString::number(id);
}

} // namespace

bool OstSimulatedCameraDriver::RangeOf(std::uint32_t id, Range& range) {
    return OstCameraProperty::RangeOf(id, range);
}

OstSimulatedCameraDriver::Values OstSimulatedCameraDriver::FactoryValues() {
    Values values{};
    for (const Entry& entry : OstCameraProperty::Table())
        values[entry.id] = entry.range.factory;
    return values;
}

bool OstSimulatedCameraDriver::IsEffectValue(std::int32_t value) {
    return value == kAutoChange || OstImageEffects::IsEffect(value);
}

OstSimulatedCameraDriver::OstSimulatedCameraDriver(QString settingsGroup)
    : settingsGroup_(std::move(settingsGroup)) {
    saved_ = FactoryValues();
    LoadSaved();
    // Like the camera's own memory, it starts with the values saved last.
    current_ = saved_;
    autoStart_ = std::chrono::steady_clock::now();
    const QString pipe = qEnvironmentVariable(OstSimulatedButtonControl::kEnvironment);
    if (!pipe.isEmpty())
        control_ = std::make_unique<OstSimulatedButtonControl>(*this, pipe);
}

OstSimulatedCameraDriver::~OstSimulatedCameraDriver() = default;

void OstSimulatedCameraDriver::LoadSaved() {
    QSettings settings(u"Ostrel"_qs, u"Orbit"_qs);
    settings.beginGroup(settingsGroup_ + u"/Saved"_qs);
    for (const Entry& entry : OstCameraProperty::Table()) {
        if (!Kept(entry.id) || !settings.contains(Key(entry.id)))
            continue;
        bool ok = false;
        const int value = settings.value(Key(entry.id)).toInt(&ok);
        // A damaged value keeps the factory one.
        if (!ok || value < entry.range.min || value > entry.range.max)
            continue;
        if (entry.id == P::Effect && !IsEffectValue(value))
            continue;
        saved_[entry.id] = value;
    }
}

void OstSimulatedCameraDriver::StoreSaved(const Values& values) {
    // The file also holds the remote monitor's password.
    OstPrivateSettings::Protect(true);
    QSettings settings(u"Ostrel"_qs, u"Orbit"_qs);
    settings.beginGroup(settingsGroup_ + u"/Saved"_qs);
    for (const Entry& entry : OstCameraProperty::Table())
        if (Kept(entry.id))
            settings.setValue(Key(entry.id), values[entry.id]);
    settings.endGroup();
    settings.sync();
}

bool OstSimulatedCameraDriver::GetProperty(std::uint32_t id, std::int32_t& value) {
    Range range;
    if (!RangeOf(id, range) || !range.readable)
        return false;
    if (id == P::SecondButton) {
        ++secondButtonReads_;
        value = secondButton_;
        return true;
    }
    std::lock_guard guard(lock_);
    value = current_[id];
    return true;
}

bool OstSimulatedCameraDriver::SetProperty(std::uint32_t id, std::int32_t value) {
    Range range;
    if (!RangeOf(id, range) || !range.writable)
        return false;
    if (id == P::SaveCurrent) {
        Values values;
        {
            std::lock_guard guard(lock_);
            saved_ = current_;
            values = saved_;
        }
        StoreSaved(values);
        return true;
    }
    if (id == P::RestoreFactory || id == P::RestoreSaved) {
        {
            std::lock_guard guard(lock_);
            current_ = id == P::RestoreFactory ? FactoryValues() : saved_;
            autoStart_ = std::chrono::steady_clock::now();
            ++version_;
        }
        return true;
    }
    if (value < range.min || value > range.max)
        return false;
    if (id == P::Effect && !IsEffectValue(value))
        return false;
    {
        std::lock_guard guard(lock_);
        if (id == P::Effect && value == kAutoChange && current_[id] != kAutoChange)
            autoStart_ = std::chrono::steady_clock::now();
        current_[id] = value;
        ++version_;
    }
    return true;
}

bool OstSimulatedCameraDriver::SetTarget(const void* owner, Target target) {
    targetOwner_ = owner;
    target_ = std::move(target);
    return true;
}

void OstSimulatedCameraDriver::ClearTarget(const void* owner) {
    if (owner != targetOwner_)
        return;
    targetOwner_ = nullptr;
    target_ = nullptr;
}

void OstSimulatedCameraDriver::PressSnapshotButton() {
    OstQueuedCall::Post(&context_, [this] {
        // A copy, since the target may register anew while it handles the press.
        const Target target = target_;
        if (target)
            target();
    });
}

void OstSimulatedCameraDriver::PressSecondButton() {
    secondButton_ = 1;
}

void OstSimulatedCameraDriver::ReleaseSecondButton() {
    secondButton_ = 0;
}

void OstSimulatedCameraDriver::SetAutoChangePeriod(std::chrono::milliseconds period) {
    std::lock_guard guard(lock_);
    autoPeriod_ = std::max(period, std::chrono::milliseconds(1));
}

OstSimulatedCameraDriver::Values OstSimulatedCameraDriver::Current(std::uint64_t* version) const {
    std::lock_guard guard(lock_);
    if (version)
        *version = version_;
    return current_;
}

std::int32_t
OstSimulatedCameraDriver::EffectShown(std::chrono::steady_clock::time_point now) const {
    std::lock_guard guard(lock_);
    const std::int32_t effect = current_[P::Effect];
    if (effect != kAutoChange)
        return effect;
    const auto turns = std::max<std::int64_t>(0, (now - autoStart_) / autoPeriod_);
    return static_cast<std::int32_t>(1 + turns % OstImageEffects::kLastFrame);
}
