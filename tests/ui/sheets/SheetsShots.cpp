// Not a test: renders the about sheet, the rename dialog and the tray menu in the three
// languages for the docs (orbit_sheets_shots <folder>). With --balloon, run on an X display
// that has a tray, it also shoots the icon with its balloon.
#include "COstUI_Orbit_AboutPage.h"
#include "COstUI_Orbit_RenameDlg.h"
#include "COstUI_Orbit_SystemTray.h"
#include "COstUI_PropertySheet.h"
#include "OstLanguageSelector.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr std::uint16_t kLanguages[] = {OstLanguageSelector::English,
                                        OstLanguageSelector::TraditionalChinese,
                                        OstLanguageSelector::Korean};

bool Save(const QPixmap& pixmap, const QString& folder, const QString& name, std::uint16_t lang) {
    const QString path = QDir(folder).filePath(QStringLiteral("%1-%2.png").arg(name).arg(lang));
    const bool saved = pixmap.save(path);
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
    return saved;
}

// The menu with both of its submenus opened beside the entries they hang from.
QPixmap MenuShot(COstUI_Orbit_SystemTray& tray) {
    QMenu* menu = tray.GetMenu();
    menu->popup(QPoint(0, 0));
    const QPixmap main = menu->grab();
    QList<QPair<QPixmap, int>> subs;
    for (QAction* action : menu->actions()) {
        if (QMenu* sub = action->menu()) {
            sub->popup(QPoint(0, 0));
            subs.append({sub->grab(), menu->actionGeometry(action).top()});
            sub->hide();
        }
    }
    menu->hide();
    int width = 0;
    int height = main.height();
    for (const auto& sub : subs) {
        width += sub.first.width();
        height = std::max(height, sub.second + sub.first.height());
    }
    const qreal dpr = main.devicePixelRatio();
    QPixmap canvas(QSize(main.width() / dpr + width / dpr + 12, height / dpr + 12) * dpr);
    canvas.setDevicePixelRatio(dpr);
    canvas.fill(QColor(0xE8, 0xE8, 0xE8));
    QPainter painter(&canvas);
    painter.drawPixmap(QPoint(6, 6), main);
    // Only one submenu is ever open on screen; here each gets a column of its own.
    int column = 0;
    for (const auto& sub : subs) {
        painter.drawPixmap(QPoint(6 + main.width() / dpr + column, 6 + sub.second), sub.first);
        column += sub.first.width() / dpr;
    }
    return canvas;
}

int Balloon(const QString& folder) {
    auto& selector = OstLanguageSelector::GetInstance();
    for (std::uint16_t language : kLanguages) {
        selector.SetLanguage(language);
        COstUI_Orbit_SystemTray tray;
        tray.Create(selector.GetString(314), COstUI_Orbit_SystemTray::TRAY_DISCONNECTED);
        tray.SetTrayState(COstUI_Orbit_SystemTray::TRAY_MONITOR);
        if (!QTest::qWaitFor([&tray] { return tray.IsIconAdded(); }, 5000))
            return 1;
        QTest::qWait(1500);
        QRect area = tray.GetTrayIcon()->geometry();
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible() && widget->inherits("QBalloonTip"))
                area = area.united(widget->frameGeometry());
        }
        area.adjust(-8, -8, 8, 8);
        QScreen* screen = QGuiApplication::primaryScreen();
        if (!Save(screen->grabWindow(0, area.x(), area.y(), area.width(), area.height()), folder,
                  QStringLiteral("tray-balloon"), language))
            return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir scratch;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch.path());
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: orbit_sheets_shots [--balloon] <folder>\n");
        return 2;
    }
    const QString folder = args.last();
    if (args.contains(QStringLiteral("--balloon")))
        return Balloon(folder);

    auto& selector = OstLanguageSelector::GetInstance();
    QDir(scratch.path()).mkpath(QStringLiteral("photos"));
    const QString photos = scratch.filePath(QStringLiteral("photos/"));
    QFile(photos + QStringLiteral("20261208_153012.jpg")).open(QIODevice::WriteOnly);
    bool ok = true;
    for (std::uint16_t language : kLanguages) {
        selector.SetLanguage(language);

        COstUI_PropertySheet sheet(448);
        COstUI_Orbit_AboutPage about;
        sheet.AddPage(&about);
        sheet.show();
        QTest::qWait(50);
        ok = Save(sheet.grab(), folder, QStringLiteral("sheet-about"), language) && ok;
        sheet.hide();

        COstUI_Orbit_RenameDlg rename(QStringLiteral("20261208_153012"), photos);
        rename.show();
        rename.findChild<QPushButton*>(QStringLiteral("1"))->click(); // the name exists
        QTest::qWait(50);
        ok = Save(rename.grab(), folder, QStringLiteral("sheet-rename"), language) && ok;
        rename.reject();

        COstUI_Orbit_SystemTray tray;
        tray.Create(selector.GetString(315), COstUI_Orbit_SystemTray::TRAY_MONITOR);
        tray.SetTrayState(COstUI_Orbit_SystemTray::TRAY_MONITOR);
        ok = Save(MenuShot(tray), folder, QStringLiteral("tray-menu"), language) && ok;
    }
    return ok ? 0 : 1;
}
