#include "OstFriendChooser.h"

#include "CComboBoxSuper.h"
#include "OstBitmap.h"
#include "OstLanguageSelector.h"
#include "OstMainDlgLayout.h"
#include "OstUser.h"

namespace {

constexpr int kChooserId = 1002;
constexpr int kSelectFriendText = 322;

// The picture in the strip of contact states for a Skype state; -1 for none.
int StateImage(std::int32_t status) {
    switch (status) {
    case SKYPE_STATUS_OFFLINE:
        return 6;
    case SKYPE_STATUS_ONLINE:
        return 1;
    case SKYPE_STATUS_AWAY:
        return 2;
    case SKYPE_STATUS_NA:
        return 3;
    case SKYPE_STATUS_DND:
        return 4;
    default:
        return -1;
    }
}

QString SelectFriendText() {
    return OstLanguageSelector::GetInstance().GetString(kSelectFriendText);
}

} // namespace

OstFriendChooser::OstFriendChooser(QWidget& dialog) : QObject(&dialog) {
    combo_ = new CComboBoxSuper(&dialog);
    combo_->setObjectName(QString::number(kChooserId));
    combo_->setFont(dialog.font());
    // Seven 16 x 16 state pictures on pure yellow, which shows what lies below.
    combo_->SetImageList(OstBitmap::Strip(OstSkin::ContactStates, 16, QColor(255, 255, 0),
                                          dialog.devicePixelRatioF()));
    combo_->ShowImages(true);
    combo_->SetColumnWidth(0, 100);
    combo_->ResetColumns();
    combo_->SetDroppedWidth(230);
    connect(combo_, &CComboBoxSuper::droppingDown, this, &OstFriendChooser::droppingDown);
    connect(combo_, &CComboBoxSuper::closedUp, this, &OstFriendChooser::done);
    FillFriendList({}, QString());
}

void OstFriendChooser::FillFriendList(const std::vector<OstUser*>& contacts,
                                      const QString& preferredHandle) {
    combo_->setUpdatesEnabled(false);
    combo_->clear();
    combo_->addItem(SelectFriendText());
    int chosen = 0;
    for (const OstUser* contact : contacts) {
        if (!contact)
            continue;
        const int item = combo_->count();
        combo_->addItem(contact->GetShownName());
        combo_->SetItemText(item, 1, contact->GetHandle());
        combo_->SetItemImage(item, StateImage(contact->GetOnlineStatus()));
        if (!preferredHandle.isEmpty() && contact->GetHandle() == preferredHandle)
            chosen = item;
    }
    combo_->setCurrentIndex(chosen);
    combo_->setUpdatesEnabled(true);
    emit done();
}

QString OstFriendChooser::SelectedFriendHandle() const {
    return combo_->GetItemText(combo_->currentIndex(), 1);
}

QString OstFriendChooser::SelectedFriendText() const {
    return combo_->currentText();
}

int OstFriendChooser::ContactCount() const {
    return std::max(0, combo_->count() - 1);
}

void OstFriendChooser::SetGeometry(const QRect& place) {
    combo_->setGeometry(place);
}

void OstFriendChooser::ApplyTexts() {
    if (combo_->count() > 0)
        combo_->setItemText(0, SelectFriendText());
}
