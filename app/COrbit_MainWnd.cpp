#include "COrbit_MainWnd.h"

#include "OstLanguageSelector.h"
#include "OstNotificationCenter.h"
#include "OstSkypeController.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcMainWnd, "orbit.app", QtInfoMsg)

namespace {
// The eight notifications the controller observes, in the order it registers them.
const char16_t* const kObserved[] = {
    u"LANGUAGE_CHANGED",      u"SKYPE_CONNECTED",          u"SKYPE_DISCONNECTED",
    u"WEBCAM_PLUG_IN",        u"WEBCAM_PULL_OUT",          u"SKYPE_FRIEND_INFO_UPDATE",
    u"SKYPE_CALL_MESSAGE",    u"SKYPE_USERSTATUS",
};
} // namespace

COrbit_MainWnd::COrbit_MainWnd(QObject* parent)
    : QObject(parent), working_(settings_.GetSettings()) {}

COrbit_MainWnd::~COrbit_MainWnd() {
    if (center_)
        center_->RemoveObserver(this, QString());
}

bool COrbit_MainWnd::Initialize(bool showMainDialog, OstSkypeController* controller) {
    showMainDialog_ = showMainDialog;
    language_ = &OstLanguageSelector::GetInstance();
    center_ = &OstNotificationCenter::GetInstance();
    skype_ = controller ? controller : &OstSkypeController::GetInstance();
    for (const char16_t* name : kObserved)
        center_->AddObserver(this, &COrbit_MainWnd::OnNotificationCallback, QString::fromUtf16(name));
    skype_->Discover();
    return true;
}

void COrbit_MainWnd::OnNotificationCallback(void* observer, void* /*payload*/, const QString& name) {
    auto* self = static_cast<COrbit_MainWnd*>(observer);
    if (name == u"SKYPE_CONNECTED")
        self->OnSkypeConnected();
}

void COrbit_MainWnd::OnSkypeConnected() {
    qCDebug(lcMainWnd) << "Skype attached";
    skype_->SendCommand(QStringLiteral("SEARCH FRIENDS"));
}

void COrbit_MainWnd::SaveAll() {
    // Saving is best effort: a failed save keeps the previous files intact.
    settings_.SaveSettings();
    settings_.SaveEventList(settings_.GetEvents());
}

int COrbit_MainWnd::trayCommand(int code) {
    switch (code) {
    case TRAYCMD_OPEN_MAIN:
        qCDebug(lcMainWnd) << "main dialog requested";
        emit mainDialogRequested();
        break;
    default:
        break;
    }
    return 0;
}
