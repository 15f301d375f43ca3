#pragma once

#include <QString>
#include <vector>

class OstUser;

// Where the user chooses the contact a photo goes to.
class IOstFriendChooser {
public:
    virtual ~IOstFriendChooser() = default;
    // The contacts in the order given; the one whose handle is preferredHandle is chosen, else
    // none.
    virtual void FillFriendList(const std::vector<OstUser*>& contacts, const QString& preferredHandle) = 0;
    // The chosen contact's handle; "" for none.
    virtual QString SelectedFriendHandle() const = 0;
};

// The window that counts the contacts in while Skype reports their states.
class IOstContactProgress {
public:
    virtual ~IOstContactProgress() = default;
    // Shown, at the first of count steps.
    virtual void Begin(int count) = 0;
    virtual void Step(int done) = 0;
    // Hidden, back at the first step.
    virtual void End() = 0;
    virtual bool Counting() const = 0;
};
