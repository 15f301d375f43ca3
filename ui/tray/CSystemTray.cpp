#include "CSystemTray.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QIcon>
#include <QMenu>
#include <QPixmap>
#include <QTimer>

namespace {

// A missing picture still gives a (transparent) icon: without one Qt would not put the icon
// into the tray at all and the program could not be reached from there.
QIcon LoadTrayIcon(int iconId, bool* found) {
    // Drawn for each size panels use, so the icon is never a blurred 16 x 16.
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64}) {
        const QString path = QStringLiteral(":/icons/%1/%2").arg(iconId).arg(size);
        if (QFile::exists(path))
            icon.addFile(path, QSize(size, size));
    }
    if (icon.isNull() && QFile::exists(QStringLiteral(":/bitmaps/%1").arg(iconId)))
        icon = QIcon(QStringLiteral(":/bitmaps/%1").arg(iconId));
    *found = !icon.isNull();
    if (*found)
        return icon;
    QPixmap blank(16, 16);
    blank.fill(Qt::transparent);
    return QIcon(blank);
}

} // namespace

CSystemTray::CSystemTray(QObject* parent) : QObject(parent) {
    singleClick_ = new QTimer(this);
    singleClick_->setSingleShot(true);
    connect(singleClick_, &QTimer::timeout, this, &CSystemTray::PopupMenu);
    balloonWait_ = new QTimer(this);
    balloonWait_->setSingleShot(true);
    balloonWait_->setInterval(200);
    connect(balloonWait_, &QTimer::timeout, this, &CSystemTray::ShowPendingBalloon);
}

CSystemTray::~CSystemTray() {
    if (icon_ != nullptr) {
        icon_->hide();
        delete icon_;
    }
}

bool CSystemTray::Create(const QString& tooltip, int iconId) {
    if (icon_ != nullptr)
        return IsIconAdded();
    icon_ = new QSystemTrayIcon(this);
    iconId_ = iconId;
    bool found = false;
    icon_->setIcon(LoadTrayIcon(iconId, &found));
    SetTooltipText(tooltip);
    if (menu_ != nullptr)
        icon_->setContextMenu(menu_);
    connect(icon_, &QSystemTrayIcon::activated, this, &CSystemTray::OnTrayIconEvent);
    // Shown even without a tray: Qt adds the icon when a tray appears later.
    icon_->show();
    return IsIconAdded();
}

bool CSystemTray::IsIconAdded() const {
    return icon_ != nullptr && icon_->isVisible() && QSystemTrayIcon::isSystemTrayAvailable();
}

bool CSystemTray::SetIcon(int iconId) {
    if (icon_ == nullptr)
        return false;
    bool found = false;
    const QIcon icon = LoadTrayIcon(iconId, &found);
    iconId_ = iconId;
    icon_->setIcon(icon);
    return found;
}

bool CSystemTray::SetTooltipText(const QString& text) {
    tooltip_ = text.left(kMaxTooltip);
    if (icon_ != nullptr)
        icon_->setToolTip(ShownTooltip());
    return true;
}

void CSystemTray::SetTooltipNote(const QString& note) {
    note_ = note;
    if (icon_ != nullptr)
        icon_->setToolTip(ShownTooltip());
}

bool CSystemTray::ShowBalloon(const QString& text) {
    if (icon_ == nullptr || !QSystemTrayIcon::supportsMessages())
        return false;
    pendingBalloon_ = text.left(kMaxBalloonText);
    balloonTries_ = 0;
    ShowPendingBalloon();
    return true;
}

void CSystemTray::ShowPendingBalloon() {
    // A balloon points at the icon: right after start-up the panel may not have placed the
    // icon yet, so wait for it a little (a balloon at the screen's corner points nowhere).
    constexpr int kTries = 10;
    if (icon_ == nullptr || pendingBalloon_.isNull())
        return;
    // The icon is placed once its geometry stays the same over one wait: an X tray first
    // maps it at the screen's origin and moves it into the panel a moment later.
    const QRect geometry = icon_->geometry();
    const bool placed = !geometry.isEmpty() && geometry == balloonAnchor_;
    balloonAnchor_ = geometry;
    if (!placed && QSystemTrayIcon::isSystemTrayAvailable() && balloonTries_++ < kTries) {
        balloonWait_->start();
        return;
    }
    icon_->showMessage(QStringLiteral("Orbit").left(kMaxBalloonTitle), pendingBalloon_,
                       QSystemTrayIcon::Information, kBalloonTimeoutMs);
    pendingBalloon_ = QString();
}

QAction* CSystemTray::GetDefaultAction() const {
    if (menu_ == nullptr || menu_->actions().isEmpty())
        return nullptr;
    return menu_->actions().constFirst();
}

void CSystemTray::SetMenu(QMenu* menu) {
    if (menu_ != nullptr)
        disconnect(menu_, &QMenu::aboutToShow, this, nullptr);
    menu_ = menu;
    if (menu_ == nullptr)
        return;
    connect(menu_, &QMenu::aboutToShow, this, [this] {
        menu_->setDefaultAction(GetDefaultAction());
        PrepareTrayMenu(menu_);
    });
    if (icon_ != nullptr)
        icon_->setContextMenu(menu_);
}

void CSystemTray::OnTrayIconEvent(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        singleClick_->start(QApplication::doubleClickInterval());
        break;
    case QSystemTrayIcon::DoubleClick:
        singleClick_->stop();
        // Queued, as a menu command would be: the click's own handling finishes first.
        if (QAction* action = GetDefaultAction())
            QMetaObject::invokeMethod(action, &QAction::trigger, Qt::QueuedConnection);
        break;
    default:
        // The context menu of a right click is opened by Qt itself.
        break;
    }
}

void CSystemTray::PrepareTrayMenu(QMenu* /*menu*/) {}

void CSystemTray::PopupMenu() {
    if (menu_ != nullptr)
        menu_->popup(QCursor::pos());
}
