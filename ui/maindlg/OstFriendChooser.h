#pragma once

#include "IOstFriendChooser.h"

#include <QObject>
#include <QRect>

class CComboBoxSuper;
class QWidget;

// The Send To chooser of the main dialog: "Select A Friend" first, then the contacts, each with
// the picture of its state and its handle kept with it.
class OstFriendChooser : public QObject, public IOstFriendChooser {
    Q_OBJECT
public:
    // The chooser is made as a child of the dialog, named by its control number.
    explicit OstFriendChooser(QWidget& dialog);

    void FillFriendList(const std::vector<OstUser*>& contacts, const QString& preferredHandle) override;
    QString SelectedFriendHandle() const override;
    // As shown: the contact's name, or "Select A Friend".
    QString SelectedFriendText() const;
    // The contacts it offers, "Select A Friend" not counted.
    int ContactCount() const;
    void SetGeometry(const QRect& place);
    void ApplyTexts();

signals:
    // The user is opening the list.
    void droppingDown();
    // The list closed, or was refilled: the dialog's list takes the keyboard again.
    void done();

private:
    CComboBoxSuper* combo_ = nullptr;
};
