#include "COstUI_Orbit_SettingPropSheet.h"

#include "OstPageText.h"

namespace {
constexpr int kCaption = 327;
} // namespace

COstUI_Orbit_SettingPropSheet::COstUI_Orbit_SettingPropSheet(QWidget* parent)
    : COstUI_PropertySheet(kCaption, parent) {
    AddPage(&general_);
    AddPage(&remote_);
    AddPage(&imageControl_);
    AddPage(&effect_);
    AddPage(&about_);
}

COstUI_Orbit_SettingPropSheet::~COstUI_Orbit_SettingPropSheet() = default;

void COstUI_Orbit_SettingPropSheet::SetSettingsRecord(SettingsRecord* record) {
    general_.SetSettingsRecord(record);
}

void COstUI_Orbit_SettingPropSheet::SetDevice(OstWebcam* device) {
    imageControl_.SetDevice(device);
    effect_.SetDevice(device);
    imageControl_.RefreshDevice();
    effect_.RefreshDevice();
}
