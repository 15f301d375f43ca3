#include "COrbitApp.h"
#include "OstQuitOnSignal.h"

#include <QApplication>

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

    COrbitApp orbit(arguments);
    if (!orbit.InitInstance(traceSkype))
        return 0;
    OstQuitOnSignal quitOnSignal;
    QObject::connect(&application, &QCoreApplication::aboutToQuit, &orbit.GetMainWnd(),
                     [&orbit] { orbit.GetMainWnd().SaveAll(); });
    return QApplication::exec();
}
