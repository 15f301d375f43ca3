#pragma once

#include <QString>
#include <functional>

class IOstContactProgress;
class IOstFriendChooser;
class OstSkypeController;
struct FriendInfoUpdate;

// The user's Skype contacts as the program offers them: asked for once Skype is attached,
// counted in while each reports its state, then put in the friend chooser with the last chosen
// contact chosen again; a chooser that fell behind is refilled when the user opens it; and the
// check before anything is sent to a contact. UI thread only.
class OstContacts {
public:
    struct Hooks {
        std::function<void()> complete;           // every contact reported its state
        std::function<void(int stringId)> tell;
    };

    // lastFriend: the stored handle of the contact chosen last, kept up to date here.
    OstContacts(OstSkypeController& skype, IOstFriendChooser& chooser, IOstContactProgress& progress,
                QString& lastFriend, Hooks hooks);

    // Skype attached: the contacts are asked for.
    void Connected();
    // Skype went: the chooser empties, and the chosen contact is kept for the next time.
    void Disconnected();
    void OnFriendInfoUpdate(const FriendInfoUpdate& update);
    // The chooser is about to open: contacts that changed since it was filled are shown.
    void Refresh();
    // The chooser's contact becomes the one to choose next time.
    void Remember();
    // A photo may go to handle: a contact is chosen, and both sides are online; otherwise the
    // user is told why not.
    bool CheckFriend(const QString& handle);

private:
    void Fill();

    OstSkypeController& skype_;
    IOstFriendChooser& chooser_;
    IOstContactProgress& progress_;
    QString& lastFriend_;
    Hooks hooks_;
    // Contacts changed while the window was not counting: the chooser is behind.
    bool changed_ = false;
    int counted_ = 0;
};
