#include "OstPresenter.h"

#include "COstUI_Orbit_MainDlg.h"
#include "OstCameraSession.h"
#include "OstPresenterView.h"
#include "OstVideoWidget.h"

OstPresenter::OstPresenter(COstUI_Orbit_MainDlg& dialog, OstCameraSession& camera)
    : dialog_(dialog), camera_(camera),
      view_(new OstPresenterView(*dialog.VideoWindow(), &dialog)) {
    camera_.SetRotation(view_->Rotation());
    connect(&dialog_, &COstUI_Orbit_MainDlg::presenterRequested, this, &OstPresenter::Enter);
    connect(&dialog_, &COstUI_Orbit_MainDlg::cameraStateChanged, view_,
            [this](int, const QString& text) { view_->SetMessage(text); });
    connect(view_, &OstPresenterView::leaveRequested, this, &OstPresenter::Leave);
    connect(view_, &OstPresenterView::takePhotoRequested, &dialog_, &COstUI_Orbit_MainDlg::OnTakePhoto);
    connect(view_, &OstPresenterView::rotationChanged, this,
            [this](int quarterTurns) { camera_.SetRotation(quarterTurns); });
}

OstPresenter::~OstPresenter() = default;

void OstPresenter::Enter() {
    view_->Enter(dialog_.screen());
}

void OstPresenter::Leave() {
    // The keys go to the dialog before the view goes, so they never go nowhere.
    if (dialog_.isVisible()) {
        dialog_.raise();
        dialog_.activateWindow();
    }
    view_->hide();
}

void OstPresenter::PhotoTaken() {
    view_->ConfirmPhoto();
}
