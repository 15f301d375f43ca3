#pragma once

#include <QObject>

class COstUI_Orbit_MainDlg;
class OstCameraSession;
class OstPresenterView;

// The presenter view as the program uses it: the dialog asks for it, its photos are taken as
// Take Photo takes them, its turns go to the camera (the stored turn from the start on), and a
// photo taken is confirmed on the big screen. Leaving it shows the dialog as it was.
class OstPresenter : public QObject {
    Q_OBJECT
public:
    OstPresenter(COstUI_Orbit_MainDlg& dialog, OstCameraSession& camera);
    ~OstPresenter() override;

    void Enter();
    void Leave();
    // A photo taken has its row.
    void PhotoTaken();
    OstPresenterView* View() const { return view_; }

private:
    COstUI_Orbit_MainDlg& dialog_;
    OstCameraSession& camera_;
    // A window of the dialog's, destroyed with it.
    OstPresenterView* view_ = nullptr;
};
