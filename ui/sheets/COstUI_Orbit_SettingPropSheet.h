#pragma once

#include "COstUI_Orbit_AboutPage.h"
#include "COstUI_Orbit_EffectPage.h"
#include "COstUI_Orbit_GeneralPage.h"
#include "COstUI_Orbit_ImageControlPage.h"
#include "COstUI_Orbit_RemotePage.h"
#include "COstUI_PropertySheet.h"

struct SettingsRecord;
class OstWebcam;

// The five-page settings sheet: General, Remote monitor, Image control, Effect, About, in
// this order. The controller fills it (record, camera names, remote values, camera, position),
// runs it modally, and afterwards reads cameraRestartNeeded and the remote page's values; the
// record has been written by the pages themselves on OK or Apply.
class COstUI_Orbit_SettingPropSheet : public COstUI_PropertySheet {
    Q_OBJECT

public:
    enum PageIndex { kGeneral, kRemote, kImageControl, kEffect, kAbout };

    explicit COstUI_Orbit_SettingPropSheet(QWidget* parent = nullptr);
    ~COstUI_Orbit_SettingPropSheet() override;

    void SetSettingsRecord(SettingsRecord* record);
    SettingsRecord* GetSettingsRecord() const { return general_.GetSettingsRecord(); }
    // The camera of the image control and effect pages (null: none), refreshed at once on the
    // pages that exist.
    void SetDevice(OstWebcam* device);

    COstUI_Orbit_GeneralPage& GeneralPage() { return general_; }
    COstUI_Orbit_RemotePage& RemotePage() { return remote_; }
    COstUI_Orbit_ImageControlPage& ImageControlPage() { return imageControl_; }
    COstUI_Orbit_EffectPage& EffectPage() { return effect_; }
    COstUI_Orbit_AboutPage& AboutPage() { return about_; }


private:
    COstUI_Orbit_GeneralPage general_;
    COstUI_Orbit_RemotePage remote_;
    COstUI_Orbit_ImageControlPage imageControl_;
    COstUI_Orbit_EffectPage effect_;
    COstUI_Orbit_AboutPage about_;
};
