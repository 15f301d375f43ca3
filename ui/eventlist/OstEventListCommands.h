#pragma once

#include <QObject>
#include <QString>

class COstUI_Orbit_EventListCtrl;
class QKeyEvent;
class QPoint;
class QWidget;

// What a user does to the rows of the event list: the context menu, Delete, Save As, Rename
// and Properties. Each acts on the rows chosen when it began and finds them again after its
// question or dialog, so rows that arrive or go meanwhile never redirect it; a chosen row that
// went meanwhile is skipped. Questions and failures go to the user through the message boxes,
// over window.
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

private:
    COstUI_Orbit_EventListCtrl& list_;
    QWidget& window_;
};
