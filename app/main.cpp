#include "COrbitApp.h"
#include "OstQuitOnSignal.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    COrbitApp::SetUpApplication();
    bool traceSkype = false;
    const QStringList arguments = COrbitApp::ProgramArguments(QApplication::arguments(), traceSkype);

    // Before the slow start-up, so a signal that arrives meanwhile still ends the program the
    // orderly way once the event loop runs.
    OstQuitOnSignal quitOnSignal;
    COrbitApp orbit(arguments);
    if (!orbit.InitInstance(traceSkype))
        return 0;
    orbit.ConnectEndOfProgram();
    return QApplication::exec();
}
