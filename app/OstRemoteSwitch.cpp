#include "OstRemoteSwitch.h"

#include "COstUI_Orbit_SystemTray.h"

using Tray = COstUI_Orbit_SystemTray;

OstRemoteSwitch::OstRemoteSwitch(IOstRemoteMonitor& monitor, Environment environment, bool wanted)
    : monitor_(monitor), environment_(std::move(environment)), wanted_(wanted) {}

void OstRemoteSwitch::Update(bool wanted) {
    wanted_ = wanted;
    const auto keepWish = [&] {
        if (wanted)
            monitor_.Hold();
        else
            monitor_.Stop();
    };
    if (!environment_.cameraPresent()) {
        keepWish();
        environment_.showTrayState(Tray::TRAY_DISCONNECTED);
        return;
    }
    if (wanted && environment_.skypeOnline()) {
        monitor_.Start();
        environment_.showTrayState(Tray::TRAY_MONITOR);
        return;
    }
    // Skype offline is no wish of the user's to stop: the stored switch keeps the wish.
    keepWish();
    environment_.showTrayState(wanted ? Tray::TRAY_MONITOR_OFFLINE : Tray::TRAY_CONNECTED);
}

OstRemoteSwitch::Request OstRemoteSwitch::RequestStart() {
    if (!monitor_.HasPassword())
        return Request::NeedsPassword;
    if (!environment_.cameraPresent())
        return Request::NoCamera;
    Update(true);
    return Request::Started;
}

bool OstRemoteSwitch::ApplyPage(const QString& password, bool on) {
    // An emptied password is stored too: the old one is revoked, and without one no call is
    // taken up.
    const bool stored = monitor_.SetPassword(password);
    // One the disk did not take leaves the old password in force, which the user meant to
    // replace or revoke: the monitor takes no call until a password is stored.
    Update(on && stored);
    return stored;
}
