#include "OstMainDlgAccess.h"

#include "COstUI_Orbit_MainDlg.h"
#include "CxSkinButton.h"
#include "OstLanguageSelector.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QKeySequence>
#include <QLabel>

namespace {

enum : int {
    IDS_PREVIEW_WINDOW = 317,
    IDS_TAKE_PHOTO = 323,
    IDS_SEND_PHOTO = 324,
    IDS_VIEW_PHOTO = 325,
    IDS_OPEN_FOLDER = 326,
    IDS_SETTING = 327,
    IDS_SEND_SOFTWARE = 328,
    IDS_PREVIEW_SIZE = 329,
    IDS_MIRROR = 321,
    IDS_INTRO = 470,
    IDS_MINIMISE = 500,
    IDS_CLOSE = 501,
    IDS_RESET_ZOOM = 502,
    IDS_ZOOM = 503,
    IDS_SHOW_LIST = 504,
    IDS_HIDE_LIST = 505,
    IDS_PHOTO_LIST = 506,
    IDS_SENDS_TO = 507,
    IDS_CHOOSE_FRIEND = 508,
    IDS_PREVIEW_KEYS = 511,
};

constexpr int kZoomEdit = COstUI_Orbit_MainDlg::IDC_ZOOM_EDIT;
constexpr int kZoomSlider = COstUI_Orbit_MainDlg::IDC_ZOOM_SLIDER;
constexpr int kZoomReset = COstUI_Orbit_MainDlg::IDC_ZOOM_RESET;

QString Text(int number) {
    return OstLanguageSelector::GetInstance().GetString(number);
}

struct Command {
    int id;
    int text;
    QKeySequence keys;
};

// The commands a person reaches without the mouse; the size menu takes F10, the key that
// opens a program's menus, since the dialog has no menu bar.
const Command kCommands[] = {
    {COstUI_Orbit_MainDlg::IDC_MINIMISE, IDS_MINIMISE, {}},
    {COstUI_Orbit_MainDlg::IDC_SIZE_MENU, IDS_PREVIEW_SIZE, QKeySequence(Qt::Key_F10)},
    {COstUI_Orbit_MainDlg::IDC_CLOSE, IDS_CLOSE, {}},
    {kZoomReset, IDS_RESET_ZOOM, QKeySequence(Qt::CTRL | Qt::Key_0)},
    {COstUI_Orbit_MainDlg::IDC_MIRROR, IDS_MIRROR, QKeySequence(Qt::CTRL | Qt::Key_M)},
    {COstUI_Orbit_MainDlg::IDC_TAKE_PHOTO, IDS_TAKE_PHOTO, QKeySequence(Qt::CTRL | Qt::Key_T)},
    {COstUI_Orbit_MainDlg::IDC_VIEW_PHOTO, IDS_VIEW_PHOTO, {}},
    // Sending reaches a friend: a deliberate chord rather than a key pressed by habit.
    {COstUI_Orbit_MainDlg::IDC_SEND_PHOTO, IDS_SEND_PHOTO, QKeySequence(Qt::CTRL | Qt::Key_Return)},
    {COstUI_Orbit_MainDlg::IDC_OPEN_FOLDER, IDS_OPEN_FOLDER, {}},
    {COstUI_Orbit_MainDlg::IDC_INTRO, IDS_INTRO, {}},
    {COstUI_Orbit_MainDlg::IDC_SETTING, IDS_SETTING, QKeySequence(Qt::CTRL | Qt::Key_Comma)},
    {COstUI_Orbit_MainDlg::IDC_SEND_SOFTWARE, IDS_SEND_SOFTWARE, {}},
    {COstUI_Orbit_MainDlg::IDC_LIST_TOGGLE, IDS_HIDE_LIST, QKeySequence(Qt::CTRL | Qt::Key_L)},
};

// Tab goes as the layout reads: the title bar, the zoom column and Mirror, the preview's
// button, the photo's side, the list and the row of buttons under it.
const int kTabOrder[] = {
    COstUI_Orbit_MainDlg::IDC_MINIMISE,     COstUI_Orbit_MainDlg::IDC_SIZE_MENU,
    COstUI_Orbit_MainDlg::IDC_CLOSE,        kZoomEdit,
    kZoomSlider,                            kZoomReset,
    COstUI_Orbit_MainDlg::IDC_MIRROR,       COstUI_Orbit_MainDlg::IDC_TAKE_PHOTO,
    COstUI_Orbit_MainDlg::IDC_VIEW_PHOTO,   COstUI_Orbit_MainDlg::IDC_FRIEND_COMBO,
    COstUI_Orbit_MainDlg::IDC_SEND_PHOTO,   COstUI_Orbit_MainDlg::IDC_EVENT_LIST,
    COstUI_Orbit_MainDlg::IDC_OPEN_FOLDER,  COstUI_Orbit_MainDlg::IDC_INTRO,
    COstUI_Orbit_MainDlg::IDC_SETTING,      COstUI_Orbit_MainDlg::IDC_SEND_SOFTWARE,
    COstUI_Orbit_MainDlg::IDC_LIST_TOGGLE,
};

} // namespace

OstMainDlgAccess::OstMainDlgAccess(QWidget& dialog) : QObject(&dialog), dialog_(dialog) {
    QWidget* previous = nullptr;
    for (int id : kTabOrder) {
        QWidget* next = Control(id);
        if (previous && next)
            QWidget::setTabOrder(previous, next);
        previous = next ? next : previous;
    }
    // The combo box is read with the label beside it, as a screen reader relates the two.
    if (auto* label = qobject_cast<QLabel*>(Control(COstUI_Orbit_MainDlg::IDC_SEND_TO)))
        label->setBuddy(Control(COstUI_Orbit_MainDlg::IDC_FRIEND_COMBO));
    if (auto* friends = qobject_cast<QComboBox*>(Control(COstUI_Orbit_MainDlg::IDC_FRIEND_COMBO)))
        connect(friends, &QComboBox::currentTextChanged, this, &OstMainDlgAccess::DescribeSend);
}

QWidget* OstMainDlgAccess::Control(int id) const {
    return dialog_.findChild<QWidget*>(QString::number(id), Qt::FindDirectChildrenOnly);
}

void OstMainDlgAccess::ApplyTexts() {
    for (const Command& command : kCommands) {
        auto* button = qobject_cast<CxSkinButton*>(Control(command.id));
        if (!button)
            continue;
        // A button's new text takes its mnemonic for a key: the command's own key goes back on.
        if (!command.keys.isEmpty())
            button->setShortcut(command.keys);
        const int text = command.id == COstUI_Orbit_MainDlg::IDC_LIST_TOGGLE && !listShown_ ? IDS_SHOW_LIST : command.text;
        button->SetToolTipText(Text(text), command.keys);
        // A toggle's action carries no key binding to a screen reader: its key is described.
        if (button->isCheckable())
            button->setAccessibleDescription(command.keys.toString(QKeySequence::NativeText));
    }
    for (int id : {kZoomEdit, kZoomSlider})
        if (QWidget* zoom = Control(id))
            zoom->setAccessibleName(Text(IDS_ZOOM));
    if (QWidget* list = Control(COstUI_Orbit_MainDlg::IDC_EVENT_LIST))
        list->setAccessibleName(Text(IDS_PHOTO_LIST));
    if (QWidget* preview = Control(COstUI_Orbit_MainDlg::IDC_PREVIEW)) {
        preview->setAccessibleName(Text(IDS_PREVIEW_WINDOW));
        preview->setAccessibleDescription(Text(IDS_PREVIEW_KEYS));
    }
    DescribeSend();
}

void OstMainDlgAccess::SetListShown(bool shown) {
    listShown_ = shown;
    ApplyTexts();
}

void OstMainDlgAccess::DescribeSend() {
    QWidget* send = Control(COstUI_Orbit_MainDlg::IDC_SEND_PHOTO);
    const auto* friends = qobject_cast<QComboBox*>(Control(COstUI_Orbit_MainDlg::IDC_FRIEND_COMBO));
    if (!send || !friends)
        return;
    // The first entry is "Select A Friend": nobody is chosen yet.
    send->setAccessibleDescription(friends->currentIndex() > 0 ? Text(IDS_SENDS_TO).arg(friends->currentText())
                                                               : Text(IDS_CHOOSE_FRIEND));
}
