#include "COstUI_Orbit_SettingPropSheet.h"

#include "OstPageText.h"

namespace {
constexpr int kCaption = 327;
COstUI_Orbit_SettingPropSheet* g_current = nullptr;
} // namespace

COstUI_Orbit_SettingPropSheet::COstUI_Orbit_SettingPropSheet(QWidget* parent)
    : COstUI_PropertySheet(kCaption, parent) {
    AddPage(&general_);
    AddPage(&remote_);
    AddPage(&imageControl_);
    AddPage(&effect_);
    AddPage(&about_);
    if (g_current == nullptr)
        g_current = this;
}

COstUI_Orbit_SettingPropSheet::~COstUI_Orbit_SettingPropSheet() {
    if (g_current == this)
        g_current = nullptr;
}

COstUI_Orbit_SettingPropSheet* COstUI_Orbit_SettingPropSheet::Current() {
    return g_current;
}

void COstUI_Orbit_SettingPropSheet::SetSettingsRecord(SettingsRecord* record) {
    general_.SetSettingsRecord(record);
}

void COstUI_Orbit_SettingPropSheet::SetDevice(OstWebcam* device) {
    imageControl_.SetDevice(device);
    effect_.SetDevice(device);
    imageControl_.RefreshDevice();
    effect_.RefreshDevice();
}
