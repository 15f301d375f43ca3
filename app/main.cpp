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

    COrbitApp orbit(arguments);
    if (!orbit.InitInstance(traceSkype))
        return 0;
    OstQuitOnSignal quitOnSignal;
    QObject::connect(&application, &QCoreApplication::aboutToQuit, &orbit.GetMainWnd(),
                     [&orbit] { orbit.GetMainWnd().SaveAll(); });
    return QApplication::exec();
}
