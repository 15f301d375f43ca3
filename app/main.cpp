#include "COrbitApp.h"
#include "OstQuitOnSignal.h"

#include <QApplication>
#include <QSessionManager>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Ostrel"));
    QApplication::setApplicationName(QStringLiteral("Orbit"));
    // The tray keeps the program running while no window is shown.
    QApplication::setQuitOnLastWindowClosed(false);

    QStringList arguments = QApplication::arguments();
    const bool traceSkype = arguments.removeAll(QStringLiteral("--trace-skype")) > 0;
    // The camera switches are read by the device monitor; the "-startup" rule never sees them.
    arguments.removeAll(QStringLiteral("--simulated-camera"));
    arguments.removeAll(QStringLiteral("--no-simulated-camera"));

    // Before the slow start-up, so a signal that arrives meanwhile still ends the program the
    // orderly way once the event loop runs.
    OstQuitOnSignal quitOnSignal;
    COrbitApp orbit(arguments);
    if (!orbit.InitInstance(traceSkype))
        return 0;
    COrbit_MainWnd& mainWnd = orbit.GetMainWnd();
    // Every end of the program saves first: the tray's Close, a termination signal, and the
    // desktop session's end (which may still be cancelled, so the program goes on after it).
    QObject::connect(&application, &QCoreApplication::aboutToQuit, &mainWnd, [&mainWnd] { mainWnd.Close(); });
    QObject::connect(&mainWnd, &COrbit_MainWnd::quitRequested, &application,
                     [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &mainWnd,
                     [&mainWnd](QSessionManager&) { mainWnd.Close(); });
    return QApplication::exec();
}
