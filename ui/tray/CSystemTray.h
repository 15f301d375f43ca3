#pragma once

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>

class QAction;
class QTimer;

// A general notification-area icon: one icon with a tooltip and balloons, whose clicks open
// a menu. Derived classes supply the menu (SetMenu) and fill it in PrepareTrayMenu each time
// it opens; the menu's first entry is its default (bold, run by a double-click).
//
// When the panel that hosts the icon restarts, or a tray appears only after the program
// started, the icon is added again by Qt's tray support with its current picture and tooltip.
class CSystemTray : public QObject {
    Q_OBJECT

public:
    static constexpr int kTrayIconId = 140;
    static constexpr int kMaxTooltip = 127;
    static constexpr int kMaxBalloonText = 255;
    static constexpr int kMaxBalloonTitle = 63;
    static constexpr int kBalloonTimeoutMs = 10000;

    explicit CSystemTray(QObject* parent = nullptr);
    ~CSystemTray() override;

    // Puts the icon (picture ":/bitmaps/<iconId>") with its tooltip into the notification
    // area. False when the desktop has no tray at the moment: the icon then counts as
    // not added, the operations below only keep their data, and it shows once a tray appears.
    bool Create(const QString& tooltip, int iconId);

    // False when the picture does not exist or there is no icon yet.
    bool SetIcon(int iconId);
    bool SetTooltipText(const QString& text);
    // A second line under every tooltip text (empty: none), such as what the program shares.
    void SetTooltipNote(const QString& note);
    // A balloon titled "Orbit" for 10 s, when the tray can show balloons; false otherwise.
    // Shown once the panel has placed the icon (at most 2 s later); a newer one replaces it.
    virtual bool ShowBalloon(const QString& text);

    QString GetTooltipText() const { return tooltip_; }
    // What the icon shows: the text and the note under it.
    QString ShownTooltip() const { return note_.isEmpty() ? tooltip_ : tooltip_ + u'\n' + note_; }
    int GetIconId() const { return iconId_; }
    // Whether the icon is in a tray right now.
    bool IsIconAdded() const;
    QSystemTrayIcon* GetTrayIcon() const { return icon_; }
    QMenu* GetMenu() const { return menu_; }

    // The menu's first action, run by a double-click on the icon.
    QAction* GetDefaultAction() const;

protected:
    // The menu shown by clicks; it is not owned (derived classes keep it).
    void SetMenu(QMenu* menu);
    // Clicks on the icon: a left click opens the menu once the double-click time has passed
    // without a second click, a right click opens it at once, a double-click runs the default.
    virtual void OnTrayIconEvent(QSystemTrayIcon::ActivationReason reason);
    // Called each time the menu is about to open. The base does nothing.
    virtual void PrepareTrayMenu(QMenu* menu);

private:
    void PopupMenu();
    void ShowPendingBalloon();

    QSystemTrayIcon* icon_ = nullptr;
    QPointer<QMenu> menu_;
    QTimer* singleClick_ = nullptr;
    QTimer* balloonWait_ = nullptr;
    QString pendingBalloon_;
    QRect balloonAnchor_;
    int balloonTries_ = 0;
    QString tooltip_;
    QString note_;
    int iconId_ = 0;
};
