#include "OstSheets.h"

#include "COstUI_Orbit_AboutPage.h"
#include "COstUI_Orbit_RemotePage.h"
#include "COstUI_Orbit_SettingPropSheet.h"
#include "COstUI_PropertySheet.h"
#include "OstCameraSession.h"
#include "OstCameraSharing.h"
#include "OstHeap.h"
#include "OstMessages.h"
#include "OstOrbitRemote.h"
#include "OstRemoteSwitch.h"
#include "OstWebcamMonitor.h"

#include <QStringList>
#include <QWidget>

namespace {
constexpr int kRemoteTitle = 371;
constexpr int kAboutTitle = 448;
constexpr int kSaveFailedText = 475;
// The picture beside the preview; the sheets open over it.
const QString kPictureArea = QStringLiteral("1005");
} // namespace

OstSheets::OstSheets(Parts parts, QWidget& owner) : parts_(std::move(parts)), owner_(owner) {}

void OstSheets::Open(int page) {
    // Declared first, so it runs after the sheet is gone.
    struct GiveBack {
        ~GiveBack() { OstGiveBackFreedHeap(); }
    } giveBack;
    if (settings_) {
        settings_->SetActivePage(page);
        return;
    }
    if (onePage_ || (page != Settings && page != Remote && page != About))
        return;
    const bool placed = owner_.isVisible();
    int left = -1;
    if (placed) {
        const QWidget* picture = owner_.findChild<QWidget*>(kPictureArea);
        left = picture ? picture->mapToGlobal(QPoint(0, 0)).x() : owner_.x();
    }

    if (page == Settings) {
        COstUI_Orbit_SettingPropSheet sheet(&owner_);
        settings_ = &sheet;
        sheet.SetSettingsRecord(&parts_.working);
        QStringList names;
        parts_.webcams.ListNames(names);
        sheet.GeneralPage().SetDeviceNames(names);
        sheet.RemotePage().SetRemoteValues(parts_.remote.GetPassword(), parts_.remoteSwitch.Wanted() ? 1 : 0);
        sheet.SetDevice(parts_.camera.Camera());
        sheet.GeneralPage().SetSharing(parts_.sharing.Wanted(), parts_.sharing.Available());
        if (placed)
            sheet.SetPosition(left, 0);
        sheet.DoModal();
        settings_ = nullptr;
        if (sheet.GeneralPage().sharingApplied)
            parts_.sharing.SetWanted(sheet.GeneralPage().sharingWanted);
        parts_.settingsClosed(sheet.GeneralPage().cameraRestartNeeded);
        ApplyRemote(sheet.RemotePage());
        return;
    }

    COstUI_PropertySheet sheet(page == Remote ? kRemoteTitle : kAboutTitle, &owner_);
    onePage_ = &sheet;
    if (placed)
        sheet.SetPosition(left, 0);
    if (page == Remote) {
        COstUI_Orbit_RemotePage remotePage;
        remotePage.SetRemoteValues(parts_.remote.GetPassword(), parts_.remoteSwitch.Wanted() ? 1 : 0);
        sheet.AddPage(&remotePage);
        sheet.DoModal();
        onePage_ = nullptr;
        ApplyRemote(remotePage);
        return;
    }
    COstUI_Orbit_AboutPage about;
    sheet.AddPage(&about);
    sheet.DoModal();
    onePage_ = nullptr;
}

void OstSheets::ApplyRemote(const COstUI_Orbit_RemotePage& page) {
    if (!parts_.remoteSwitch.ApplyPage(page.password, page.monitorOn != 0))
        OstMessages::Instance().Tell(kSaveFailedText, owner_.isVisible() ? &owner_ : nullptr);
}

void OstSheets::CameraPlugged() {
    if (!settings_)
        return;
    QStringList names;
    parts_.webcams.ListNames(names);
    settings_->GeneralPage().SetDeviceNames(names);
    settings_->SetDevice(parts_.camera.Camera());
}

void OstSheets::CameraPulled() {
    if (!settings_)
        return;
    settings_->GeneralPage().SetDeviceNames({});
    settings_->SetDevice(nullptr);
}

void OstSheets::ApplyTexts() {
    if (settings_)
        settings_->ApplyTexts();
    if (onePage_)
        onePage_->ApplyTexts();
}

void OstSheets::CloseAll() {
    if (settings_)
        settings_->done(0);
    if (onePage_)
        onePage_->done(0);
}
