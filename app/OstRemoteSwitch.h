#pragma once

#include "IOstRemoteMonitor.h"

#include <QString>
#include <functional>

// What the user wants of the remote monitor, what can run of it, and the tray state that says
// so. The wish is stored in every case, also while no camera or no Skype lets it run, and only
// the user changes it. UI thread only.
class OstRemoteSwitch {
public:
    // The world the switch looks at and the tray it speaks through.
    struct Environment {
        std::function<bool()> cameraPresent;
        std::function<bool()> skypeOnline;
        std::function<void(int trayState)> showTrayState;
    };
    // What the tray's Open led to.
    enum class Request { Started, NoCamera, NeedsPassword };

    OstRemoteSwitch(IOstRemoteMonitor& monitor, Environment environment, bool wanted);

    // Starts, holds or stops the monitor for the wish and the world as they are now.
    void Update(bool wanted);
    // The world changed (a camera, Skype's status): the wish stays.
    void Refresh() { Update(wanted_); }
    // The tray's Open: only with a password, and only with a camera.
    Request RequestStart();
    // The remote page closed: its password (an emptied one revokes the old) and its switch.
    // False when the password could not be stored; the monitor is then off.
    bool ApplyPage(const QString& password, bool on);

    bool Wanted() const { return wanted_; }

private:
    IOstRemoteMonitor& monitor_;
    Environment environment_;
    bool wanted_;
};
