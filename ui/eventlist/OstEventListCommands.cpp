#include "OstEventListCommands.h"

#include "COstUI_Orbit_EventListCtrl.h"
#include "COstUI_Orbit_RenameDlg.h"
#include "EventRecord.h"
#include "OstEventListModel.h"
#include "OstLanguageSelector.h"
#include "OstMessages.h"
#include "OstPhotoFiles.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QFileInfo>
#include <QMenu>
#include <QPersistentModelIndex>

#include <algorithm>

namespace {

enum : int {
    IDS_MENU_SEND_PHOTO = 330,
    IDS_MENU_SAVE_AS = 331,
    IDS_MENU_RENAME = 332,
    IDS_MENU_DELETE = 333,
    IDS_MENU_CONTENT = 334,
    IDS_DELETE_EVENT = 455,
    IDS_DELETE_PICTURE = 456,
    IDS_DELETE_SEVERAL = 457,
    IDS_SAVE_FAILED = 472,
    IDS_RENAME_FAILED = 473,
};

QString Text(int number) {
    return OstLanguageSelector::GetInstance().GetString(number);
}

} // namespace

OstEventListCommands::OstEventListCommands(COstUI_Orbit_EventListCtrl& list, QWidget& window)
    : QObject(&window), list_(list), window_(window) {
    connect(&list_, &COstUI_Orbit_EventListCtrl::rowPressed, this,
            [this](int index, int) { OnRowPressed(index); });
    connect(&list_, &COstUI_Orbit_EventListCtrl::buttonClicked, this,
            &OstEventListCommands::OnCancelPressed);
    list_.installEventFilter(this);
}

bool OstEventListCommands::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &list_ && event->type() == QEvent::KeyPress &&
        OnKey(static_cast<QKeyEvent*>(event)))
        return true;
    return QObject::eventFilter(watched, event);
}

void OstEventListCommands::OnRowPressed(int index) {
    if (QGuiApplication::keyboardModifiers() & Qt::ControlModifier) {
        const QList<int> selected = list_.GetSelectedRows();
        if (selected.contains(index)) {
            // This click takes the row out of the selection: show what stays selected.
            if (selected.front() != index)
                return;
            index = selected.size() > 1 ? selected[1] : index;
        }
    }
    emit rowChosen(index);
}

void OstEventListCommands::OnCancelPressed(int index) {
    const EventRow* row = list_.Events().Row(index);
    if (!row || row->TransferId == 0)
        return;
    const std::uint32_t id = row->TransferId;
    list_.Events().SetProgress(id, EventRow::Canceled);
    emit cancelWanted(id);
}

bool OstEventListCommands::OnKey(QKeyEvent* event) {
    if (event->matches(QKeySequence::SelectAll)) {
        list_.selectAll();
        return true;
    }
    const int step = event->key() == Qt::Key_Up ? -1 : event->key() == Qt::Key_Down ? 1 : 0;
    // The details follow the row the key moves to; the list moves the selection itself.
    if (step != 0 && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        const int mark = list_.GetSelectionMark();
        if (mark >= 0 && list_.Events().Row(mark + step))
            emit rowChosen(mark + step);
    }
    return false;
}

void OstEventListCommands::ShowMenu(const QPoint& position, bool pictureShown) {
    if (list_.GetSelectedRows().isEmpty()) {
        const int mark = list_.GetSelectionMark();
        if (mark >= 0)
            list_.SelectOnly(mark);
        return;
    }
    QMenu menu(&window_);
    QAction* send = menu.addAction(Text(IDS_MENU_SEND_PHOTO), this, [this] { emit sendWanted(); });
    QAction* saveAs = menu.addAction(Text(IDS_MENU_SAVE_AS), this, &OstEventListCommands::SaveAs);
    QAction* rename = menu.addAction(Text(IDS_MENU_RENAME), this, &OstEventListCommands::Rename);
    menu.addAction(Text(IDS_MENU_DELETE), this, &OstEventListCommands::Delete);
    QAction* content =
        menu.addAction(Text(IDS_MENU_CONTENT), this, &OstEventListCommands::ShowProperties);
    if (!pictureShown)
        for (QAction* action : {send, saveAs, rename, content})
            action->setEnabled(false);
    menu.exec(list_.viewport()->mapToGlobal(position));
}

void OstEventListCommands::Delete() {
    OstEventListModel& events = list_.Events();
    const QList<QPersistentModelIndex> chosen = list_.SelectedRowHandles();
    if (chosen.isEmpty())
        return;
    int question = IDS_DELETE_SEVERAL;
    if (chosen.size() == 1) {
        EventRecord record;
        events.GetRecord(list_.RowOf(chosen.front()), record);
        question = record.EventType == EventRecord::Sent ? IDS_DELETE_EVENT : IDS_DELETE_PICTURE;
    }
    if (!OstMessages::Instance().Ask(question, &window_))
        return;
    QList<int> rows;
    for (const QPersistentModelIndex& handle : chosen) {
        const int index = list_.RowOf(handle);
        if (index >= 0)
            rows.append(index);
    }
    if (rows.isEmpty())
        return;
    std::sort(rows.begin(), rows.end());
    for (auto it = rows.crbegin(); it != rows.crend(); ++it)
        events.Delete(*it);
    emit rowsChanged();
    const int count = events.Count();
    const int next = count == 0 ? -1 : std::min(rows.front(), count - 1);
    if (next >= 0)
        list_.SelectOnly(next);
    emit rowShown(next);
}

void OstEventListCommands::SaveAs() {
    const OstEventListModel& events = list_.Events();
    for (const QPersistentModelIndex& handle : list_.SelectedRowHandles()) {
        EventRecord record;
        if (!events.GetRecord(list_.RowOf(handle), record) || !QFileInfo(record.FullPath()).isFile())
            continue;
        const QString target = QFileDialog::getSaveFileName(&window_, QString(), record.FullPath(),
                                                            QStringLiteral("JPEG Files (*.jpg)"));
        if (target.isEmpty() || QFileInfo(target) == QFileInfo(record.FullPath()))
            continue;
        // The file dialog has asked before replacing.
        if (!OstPhotoFiles::SaveCopy(record.FullPath(), target))
            OstMessages::Instance().Tell(IDS_SAVE_FAILED, &window_);
    }
    emit done();
}

void OstEventListCommands::Rename() {
    OstEventListModel& events = list_.Events();
    for (const QPersistentModelIndex& handle : list_.SelectedRowHandles()) {
        EventRecord record;
        if (!events.GetRecord(list_.RowOf(handle), record) || !QFileInfo(record.FullPath()).isFile())
            continue;
        const QString oldPath = record.FullPath();
        const int dot = record.EventName.lastIndexOf(QLatin1Char('.'));
        const QString base = dot < 0 ? record.EventName : record.EventName.left(dot);
        COstUI_Orbit_RenameDlg dialog(base, record.EventFolder, &window_);
        if (dialog.exec() != QDialog::Accepted || dialog.GetNewName() == base)
            continue;
        // The dialog ran the event loop: a row that went, or now stands for another file, is
        // left alone.
        EventRecord now;
        if (!events.GetRecord(list_.RowOf(handle), now) || now.FullPath() != oldPath)
            continue;
        const QString newName = dialog.GetNewName() + QStringLiteral(".jpg");
        const QString newPath = record.EventFolder + newName;
        if (!OstPhotoFiles::Rename(oldPath, newPath)) {
            OstMessages::Instance().Tell(IDS_RENAME_FAILED, &window_);
            continue;
        }
        events.SetEventName(list_.RowOf(handle), newName);
        emit rowsChanged();
        emit renamed(oldPath, newPath, newName);
    }
    emit done();
}

void OstEventListCommands::ShowProperties() {
    const OstEventListModel& events = list_.Events();
    for (const QPersistentModelIndex& handle : list_.SelectedRowHandles()) {
        EventRecord record;
        if (events.GetRecord(list_.RowOf(handle), record) && QFileInfo(record.FullPath()).isFile())
            OstPhotoFiles::ShowProperties(record.FullPath(), &window_);
    }
}
