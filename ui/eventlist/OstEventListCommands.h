#pragma once

#include <QObject>
#include <QString>

#include <cstdint>

class COstUI_Orbit_EventListCtrl;
class QKeyEvent;
class QPoint;
class QWidget;

// What a user does to the rows of the event list: pressing and moving among them, Cancel on a
// transfer, the context menu, Delete, Save As, Rename and Properties. Each command acts on the
// rows chosen when it began and finds them again after its question or dialog, so rows that
// arrive or go meanwhile never redirect it; a chosen row that went meanwhile is skipped.
// Questions and failures go to the user through the message boxes, over window.
class OstEventListCommands : public QObject {
    Q_OBJECT
public:
    OstEventListCommands(COstUI_Orbit_EventListCtrl& list, QWidget& window);

    // The context menu at a point of the list's viewport; with no row selected it only selects
    // the current one. pictureShown: the selected photo's file is there to act on.
    void ShowMenu(const QPoint& position, bool pictureShown);
    void Delete();
    void SaveAs();
    void Rename();
    void ShowProperties();

signals:
    // The row whose details are to be shown: pressed, or moved to with the keys.
    void rowChosen(int index);
    // Cancel was pressed on a transfer's row, which already shows it.
    void cancelWanted(std::uint32_t transferId);
    // The menu's Send Photo.
    void sendWanted();
    // Rows were renamed or deleted: the stored list is out of date.
    void rowsChanged();
    // After a delete: the row now selected, whose details are shown; -1 when the list is empty.
    void rowShown(int index);
    // A photo got a new name in its folder.
    void renamed(const QString& oldPath, const QString& newPath, const QString& newName);
    // A command ended; the list takes the keyboard again.
    void done();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnRowPressed(int index);
    void OnCancelPressed(int index);
    bool OnKey(QKeyEvent* event);

    COstUI_Orbit_EventListCtrl& list_;
    QWidget& window_;
};
