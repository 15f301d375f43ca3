// The whole program, as a user starts it, with a hand for the end-to-end tests: commands on
// standard input act on the real widgets through QTest events, and what the windows show is
// read back on standard output, one tab-separated line each.
//
//   in:  click|dclick|rclick <widget> | key <widget> <key sequence> | type <widget> <text>
//        | text <widget> | state <widget> | rows <list> | click-cell <list> <row> <column>
//        | combo <widget> <index> | pick <widget> <item text> | items <widget> | grab <widget> <file>
//        | box <button text or index> | menu <action object name> | tray <action object name>
//        | popup <menu> | modal | focus | language <id> | camera plug|unplug|running | memory | objects | quit
//   out: ready <ms> | text <widget> <value> | state <widget> <visible> <enabled> | row <i> <cells...>
//        | items <widget> <texts...> | modal <class> <title> | focus <widget with the keyboard>
//        | rows <n> | message <text> | done <command> | error <command> <why>
//        | memory <resident kB> <peak resident kB> <heap in use kB> | camera <1 when a camera streams, else 0>
//        | objects <widgets alive> <objects under the top-level windows> <anonymous kB> <file kB>
//   and unasked, for the whole-process benchmarks (ms since main() began, for comparison):
//        painted main <ms>   the main dialog's first paint
//        painted tray <ms>   the tray icon's first paint in an X tray
//        row-added <n> <ms>  the event list got rows (n in all); row-shown <n> <ms> once painted
//
// <widget> is an object name (the control's number, "1016"), optionally prefixed with the
// top-level window's object name and a slash ("102/1016").

#include "COrbitApp.h"
#include "COstUI_Orbit_MainDlg.h"
#include "COstUI_Orbit_SystemTray.h"
#include "OstLanguageSelector.h"
#include "OstDXShow.h"
#include "OstWebcam.h"
#include "OstWebcamMonitor.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QMessageBox>
#include <QSocketNotifier>
#include <QTest>
#include <QTimer>
#include <QPointer>
#include <QWindow>
#include <cstdio>
#include <cstring>
#include <malloc.h>
#include <unistd.h>

namespace {

void Print(const QStringList& fields) {
    QStringList clean;
    for (const QString& f : fields) {
        QString c = f;
        c.replace(u'\t', u' ').replace(u'\n', u' ');
        clean.append(c);
    }
    std::fputs((clean.join(u'\t') + u'\n').toUtf8().constData(), stdout);
    std::fflush(stdout);
}

QWidget* FindWidget(const QString& path) {
    const qsizetype slash = path.indexOf(u'/');
    const QString top = slash < 0 ? QString() : path.left(slash);
    const QString name = slash < 0 ? path : path.mid(slash + 1);
    QWidget* fallback = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!top.isEmpty() && window->objectName() != top)
            continue;
        QList<QWidget*> candidates = window->findChildren<QWidget*>(name);
        if (window->objectName() == name)
            candidates.prepend(window);
        for (QWidget* w : candidates) {
            if (w->isVisible())
                return w;
            if (!fallback)
                fallback = w;
        }
    }
    return fallback;
}

QString TextOf(QWidget* w) {
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->text().isEmpty() ? button->accessibleName() : button->text();
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return combo->currentText();
    if (w->isWindow())
        return w->windowTitle();
    return w->accessibleName();
}

QAction* FindAction(const QString& name) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* menu = qobject_cast<QMenu*>(window)) {
            if (QAction* a = menu->findChild<QAction*>(name))
                return a;
            for (QAction* a : menu->actions()) {
                if (a->objectName() == name)
                    return a;
            }
        }
    }
    return nullptr;
}

QElapsedTimer& SinceMain() {
    static QElapsedTimer timer;
    return timer;
}

QString Ms() {
    return QString::number(double(SinceMain().nsecsElapsed()) / 1e6, 'f', 1);
}

// Reports the first paints the benchmarks time: it watches every paint of the process from
// before the program builds its windows, as the main dialog may paint while it starts.
class PaintWatch : public QObject {
public:
    // After the windows exist: rows added to the event list are reported once painted.
    void WatchEventList(QAbstractItemView* list) {
        list_ = list;
        if (!list || !list->model())
            return;
        connect(list->model(), &QAbstractItemModel::rowsInserted, this, [this] {
            rowsToShow_ = true;
            Print({QStringLiteral("row-added"), QString::number(list_->model()->rowCount()), Ms()});
        });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint)
            return false;
        if (!mainPainted_ && watched->objectName() == u"102" && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            mainPainted_ = true;
            Print({QStringLiteral("painted"), QStringLiteral("main"), Ms()});
        } else if (!trayPainted_ && std::strcmp(watched->metaObject()->className(), "QSystemTrayIconSys") == 0) {
            trayPainted_ = true;
            Print({QStringLiteral("painted"), QStringLiteral("tray"), Ms()});
        } else if (rowsToShow_ && list_ && watched == list_->viewport()) {
            rowsToShow_ = false;
            Print({QStringLiteral("row-shown"), QString::number(list_->model()->rowCount()), Ms()});
        }
        return false;
    }

private:
    bool mainPainted_ = false;
    bool trayPainted_ = false;
    bool rowsToShow_ = false;
    QPointer<QAbstractItemView> list_;
};

// Resident and peak resident size of this process in kB, from the kernel's status file.
QStringList Memory() {
    QFile status(QStringLiteral("/proc/self/status"));
    // The heap's bytes in use, apart from what the allocator keeps free.
    QStringList out{QStringLiteral("memory"), QString(), QString(),
                    QString::number(static_cast<qulonglong>(mallinfo2().uordblks / 1024))};
    if (!status.open(QIODevice::ReadOnly))
        return out;
    for (const QByteArray& line : status.readAll().split('\n')) {
        const QList<QByteArray> f = line.simplified().split(' ');
        if (f.value(0) == "VmRSS:")
            out[1] = QString::fromLatin1(f.value(1));
        else if (f.value(0) == "VmHWM:")
            out[2] = QString::fromLatin1(f.value(1));
    }
    return out;
}

class Driver : public QObject {
public:
    explicit Driver(COrbitApp& app) : app_(app), input_(STDIN_FILENO, QSocketNotifier::Read) {
        connect(&input_, &QSocketNotifier::activated, this, [this] { ReadInput(); });
        connect(&app_.GetMainWnd(), &COrbit_MainWnd::messageShown, this,
                [](const QString& text) { Print({QStringLiteral("message"), text}); });
    }

private:
    void ReadInput() {
        char buffer[4096];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            input_.setEnabled(false);
            QCoreApplication::exit(0);
            return;
        }
        pending_.append(buffer, n);
        qsizetype end = 0;
        while ((end = pending_.indexOf('\n')) >= 0) {
            const QString line = QString::fromUtf8(pending_.left(end));
            pending_.remove(0, end + 1);
            // A command may open a modal window whose loop reads the next commands; each runs
            // from the event loop so that the order of the lines is kept.
            QTimer::singleShot(0, this, [this, line] { Run(line.split(u'\t')); });
        }
    }

    void Run(const QStringList& f) {
        const QString& cmd = f.value(0);
        auto fail = [&](const QString& why) { Print({QStringLiteral("error"), cmd, why}); };
        auto done = [&] { Print({QStringLiteral("done"), cmd}); };
        if (cmd == u"quit") {
            // The end of the event loop saves, as it does in the program.
            done();
            QCoreApplication::exit(0);
            return;
        }
        if (cmd == u"box") {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return fail(QStringLiteral("no message box"));
            static const QMap<QString, QMessageBox::StandardButton> kStandard = {
                {QStringLiteral("Ok"), QMessageBox::Ok},
                {QStringLiteral("Yes"), QMessageBox::Yes},
                {QStringLiteral("No"), QMessageBox::No},
                {QStringLiteral("Cancel"), QMessageBox::Cancel}};
            QAbstractButton* chosen = box->button(kStandard.value(f.value(1), QMessageBox::NoButton));
            const QList<QAbstractButton*> buttons = box->buttons();
            bool isIndex = false;
            const int index = f.value(1).toInt(&isIndex);
            for (QAbstractButton* b : buttons) {
                if (b->text() == f.value(1))
                    chosen = b;
            }
            if (!chosen && isIndex && index >= 0 && index < buttons.size())
                chosen = buttons[index];
            if (!chosen)
                return fail(QStringLiteral("no such button"));
            done();
            QTest::mouseClick(chosen, Qt::LeftButton);
            return;
        }
        if (cmd == u"modal") {
            QWidget* modal = QApplication::activeModalWidget();
            return Print({QStringLiteral("modal"), modal ? modal->metaObject()->className() : QString(),
                          modal ? modal->windowTitle() : QString()});
        }
        if (cmd == u"memory")
            return Print(Memory());
        if (cmd == u"focus") {
            const QWidget* focus = QApplication::focusWidget();
            return Print({QStringLiteral("focus"), focus ? focus->objectName() : QString()});
        }
        if (cmd == u"objects") {
            // Widgets and objects alive, for telling growth from caches apart from a leak.
            qsizetype objects = 0;
            for (QWidget* top : QApplication::topLevelWidgets())
                objects += 1 + top->findChildren<QObject*>().size();
            // With the resident memory split: anonymous (the heap) and file-backed (fonts,
            // libraries), which the kernel takes back under pressure.
            QStringList out{QStringLiteral("objects"), QString::number(QApplication::allWidgets().size()),
                            QString::number(objects), QString(), QString()};
            QFile status(QStringLiteral("/proc/self/status"));
            if (status.open(QIODevice::ReadOnly))
                for (const QByteArray& line : status.readAll().split('\n')) {
                    const QList<QByteArray> field = line.simplified().split(' ');
                    if (field.value(0) == "RssAnon:")
                        out[3] = QString::fromLatin1(field.value(1));
                    else if (field.value(0) == "RssFile:")
                        out[4] = QString::fromLatin1(field.value(1));
                }
            return Print(out);
        }
        if (cmd == u"language") {
            OstLanguageSelector::GetInstance().SetLanguage(static_cast<std::uint16_t>(f.value(1).toUInt()));
            return done();
        }
        if (cmd == u"camera" && f.value(1) == u"running") {
            // Whether any camera streams: its light would be on.
            const OstWebcamMonitor& monitor = OstWebcamMonitor::GetInstance();
            bool running = false;
            for (std::size_t i = 0; i < monitor.DeviceCount(); ++i) {
                const OstWebcam* device = monitor.DeviceAt(i);
                running = running || (device && device->Graph() && device->Graph()->State() == GraphState::Running);
            }
            return Print({QStringLiteral("camera"), QString::number(running)});
        }
        if (cmd == u"camera") {
            OstWebcamMonitor& monitor = OstWebcamMonitor::GetInstance();
            const bool ok = f.value(1) == u"plug" ? monitor.PlugSimulatedCamera() : monitor.UnplugSimulatedCamera();
            return ok ? done() : fail(QStringLiteral("refused"));
        }
        if (cmd == u"tray" || cmd == u"menu") {
            QAction* action = nullptr;
            if (cmd == u"tray") {
                if (COstUI_Orbit_SystemTray* tray = app_.GetMainWnd().Tray())
                    action = tray->GetAction(f.value(1).toInt());
            } else {
                action = FindAction(f.value(1));
            }
            if (!action)
                return fail(QStringLiteral("no such action"));
            done();
            action->trigger();
            return;
        }
        QWidget* w = FindWidget(f.value(1));
        if (!w)
            return fail(QStringLiteral("no such widget"));
        if (cmd == u"popup") {
            // A menu shown without its own loop, as the tray shows its menu.
            auto* menu = qobject_cast<QMenu*>(w);
            if (!menu)
                return fail(QStringLiteral("not a menu"));
            menu->popup(QPoint(100, 100));
            return done();
        }
        if (cmd == u"click" || cmd == u"dclick" || cmd == u"rclick") {
            const QPoint at = f.size() > 3 ? QPoint(f.value(2).toInt(), f.value(3).toInt()) : w->rect().center();
            done();
            if (cmd == u"click")
                QTest::mouseClick(w, Qt::LeftButton, {}, at);
            else if (cmd == u"rclick")
                QTest::mouseClick(w, Qt::RightButton, {}, at);
            else
                QTest::mouseDClick(w, Qt::LeftButton, {}, at);
            return;
        }
        if (cmd == u"key") {
            const QKeySequence seq(f.value(2));
            if (seq.isEmpty())
                return fail(QStringLiteral("bad key"));
            // A window's shortcuts answer only while it is the active one, as for a person.
            w->window()->activateWindow();
            if (!QTest::qWaitForWindowActive(w->window(), 1000))
                return fail(QStringLiteral("window not active"));
            done();
            QTest::keyClick(w, seq[0].key(), seq[0].keyboardModifiers());
            return;
        }
        if (cmd == u"type") {
            QTest::keyClicks(w, f.value(2));
            return done();
        }
        if (cmd == u"text")
            return Print({QStringLiteral("text"), f.value(1), TextOf(w)});
        if (cmd == u"state") {
            const auto* button = qobject_cast<QAbstractButton*>(w);
            return Print({QStringLiteral("state"), f.value(1), QString::number(w->isVisible()),
                          QString::number(w->isEnabled()),
                          QString::number(button && button->isChecked())});
        }
        if (cmd == u"combo") {
            auto* combo = qobject_cast<QComboBox*>(w);
            if (!combo || f.value(2).toInt() >= combo->count())
                return fail(QStringLiteral("no such item"));
            combo->setCurrentIndex(f.value(2).toInt());
            return done();
        }
        if (cmd == u"pick") {
            auto* combo = qobject_cast<QComboBox*>(w);
            const int index = combo ? combo->findText(f.value(2)) : -1;
            if (index < 0)
                return fail(QStringLiteral("no such item"));
            combo->setCurrentIndex(index);
            return done();
        }
        if (cmd == u"items") {
            auto* combo = qobject_cast<QComboBox*>(w);
            if (!combo)
                return fail(QStringLiteral("not a combo"));
            QStringList items{QStringLiteral("items"), f.value(1)};
            for (int i = 0; i < combo->count(); ++i)
                items.append(combo->itemText(i));
            return Print(items);
        }
        if (cmd == u"click-cell") {
            auto* view = qobject_cast<QAbstractItemView*>(w);
            if (!view || !view->model())
                return fail(QStringLiteral("not a list"));
            const QRect cell = view->visualRect(view->model()->index(f.value(2).toInt(), f.value(3).toInt()));
            if (!cell.isValid())
                return fail(QStringLiteral("no such cell"));
            done();
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
            return;
        }
        if (cmd == u"rows") {
            auto* view = qobject_cast<QAbstractItemView*>(w);
            if (!view || !view->model())
                return fail(QStringLiteral("not a list"));
            const QAbstractItemModel* model = view->model();
            for (int r = 0; r < model->rowCount(); ++r) {
                QStringList cells{QStringLiteral("row"), QString::number(r)};
                for (int c = 0; c < model->columnCount(); ++c)
                    cells.append(model->data(model->index(r, c)).toString());
                Print(cells);
            }
            return Print({QStringLiteral("rows"), QString::number(model->rowCount())});
        }
        if (cmd == u"grab") {
            const bool ok = w->grab().save(f.value(2));
            return ok ? done() : fail(QStringLiteral("cannot save"));
        }
        fail(QStringLiteral("unknown command"));
    }

    COrbitApp& app_;
    QSocketNotifier input_;
    QByteArray pending_;
};

} // namespace

int main(int argc, char** argv) {
    SinceMain().start();
    QApplication application(argc, argv);
    PaintWatch paints;
    application.installEventFilter(&paints);
    COrbitApp::SetUpApplication();
    bool traceSkype = false;
    const QStringList arguments = COrbitApp::ProgramArguments(QApplication::arguments(), traceSkype);
    COrbitApp orbit(arguments);
    if (!orbit.InitInstance(traceSkype))
        return 0;
    Driver driver(orbit);
    if (COstUI_Orbit_MainDlg* dialog = orbit.GetMainWnd().MainDialog())
        paints.WatchEventList(dialog->findChild<QAbstractItemView*>(QStringLiteral("1000")));
    orbit.ConnectEndOfProgram();
    Print({QStringLiteral("ready"), Ms()});
    return QApplication::exec();
}
