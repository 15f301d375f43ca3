#include "OstContacts.h"

#include "FriendInfoUpdate.h"
#include "IOstFriendChooser.h"
#include "OstSkypeController.h"
#include "OstUser.h"
#include "OstUserMonitor.h"

#include <vector>

namespace {
constexpr int kSelectContactText = 462;
constexpr int kCheckOnlineText = 463;
} // namespace

OstContacts::OstContacts(OstSkypeController& skype, IOstFriendChooser& chooser,
                         IOstContactProgress& progress, QString& lastFriend, Hooks hooks)
    : skype_(skype), chooser_(chooser), progress_(progress), lastFriend_(lastFriend),
      hooks_(std::move(hooks)) {}

void OstContacts::Connected() {
    skype_.SendCommand(QStringLiteral("SEARCH FRIENDS"));
}

void OstContacts::Disconnected() {
    Remember();
    chooser_.FillFriendList({}, lastFriend_);
}

void OstContacts::Remember() {
    lastFriend_ = chooser_.SelectedFriendHandle();
}

void OstContacts::Fill() {
    std::vector<OstUser*> friends;
    skype_.GetUserMonitor().GetFriendList(friends);
    chooser_.FillFriendList(friends, lastFriend_);
}

void OstContacts::OnFriendInfoUpdate(const FriendInfoUpdate& update) {
    const int count = static_cast<int>(skype_.GetUserMonitor().GetUserCount());
    if (!update.contact) {
        if (update.change == FRIEND_LIST_REBUILT && count > 0) {
            counted_ = 0;
            progress_.Begin(count);
        }
        return;
    }
    if (!progress_.Counting()) {
        changed_ = true;
        return;
    }
    // While counting, each contact's first state is one step; the last one completes the list.
    if (update.change != FRIEND_ONLINESTATUS)
        return;
    progress_.Step(counted_);
    if (++counted_ != count)
        return;
    Fill();
    hooks_.complete();
    progress_.End();
    counted_ = 0;
}

void OstContacts::Refresh() {
    if (!changed_)
        return;
    Remember();
    Fill();
    changed_ = false;
}

bool OstContacts::CheckFriend(const QString& handle) {
    if (handle.isEmpty()) {
        hooks_.tell(kSelectContactText);
        return false;
    }
    const OstUser* contact = skype_.GetUserMonitor().GetUser(handle);
    if (skype_.GetUserStatus() <= SKYPE_STATUS_OFFLINE || !contact ||
        contact->GetOnlineStatus() <= SKYPE_STATUS_OFFLINE) {
        hooks_.tell(kCheckOnlineText);
        return false;
    }
    return true;
}
