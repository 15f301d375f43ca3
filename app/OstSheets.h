#pragma once

#include <functional>

class COstUI_Orbit_RemotePage;
class COstUI_Orbit_SettingPropSheet;
class COstUI_PropertySheet;
class OstCameraSession;
class OstCameraSharing;
class OstOrbitRemote;
class OstRemoteSwitch;
class OstWebcamMonitor;
class QWidget;
struct SettingsRecord;

// The sheets the program opens over its main dialog, one at a time and each modal: the
// settings sheet with its five pages, and the one-page sheets of the remote monitor and of
// About. The settings sheet works on the working copy of the settings and follows the camera
// while it is open; the remote monitor takes the remote page's password and switch when a
// sheet with that page closes. UI thread only.
class OstSheets {
public:
    enum Page : int { Settings = 0, Remote = 1, About = 4 };

    struct Parts {
        SettingsRecord& working;
        OstWebcamMonitor& webcams;
        OstCameraSession& camera;
        const OstOrbitRemote& remote;
        OstRemoteSwitch& remoteSwitch;
        OstCameraSharing& sharing;
        // The settings sheet closed; restartCamera: the camera's format changed.
        std::function<void(bool restartCamera)> settingsClosed;
    };

    // owner: the main dialog, which the sheets open over and beside.
    OstSheets(Parts parts, QWidget& owner);

    // A page of the settings sheet, or a one-page sheet; with the settings sheet open, it turns
    // to that page. Returns when the sheet has closed.
    void Open(int page);
    bool SettingsOpen() const { return settings_ != nullptr; }
    // A camera came or went while the settings sheet is open: its camera list and pages follow.
    void CameraPlugged();
    void CameraPulled();
    void ApplyTexts();
    // The program ends: an open sheet closes as if cancelled.
    void CloseAll();

private:
    void ApplyRemote(const COstUI_Orbit_RemotePage& page);

    Parts parts_;
    QWidget& owner_;
    COstUI_Orbit_SettingPropSheet* settings_ = nullptr;
    COstUI_PropertySheet* onePage_ = nullptr;
};
