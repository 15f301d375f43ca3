#pragma once

#include "COrbit_MainWnd.h"

#include <QLocalServer>
#include <QLockFile>
#include <QString>
#include <QStringList>
#include <memory>

// The process: one resident instance per user log-on. A second start hands its command
// line to the first, which shows its main dialog, and ends.
class COrbitApp {
public:
    static inline const QString kInstanceGuid = QStringLiteral("{5E0B7C21-9A3D-4f6e-B1C8-2D47E9A06F13}");
    static constexpr qsizetype kMaxForwardedCommandLine = 2047;

    explicit COrbitApp(const QStringList& arguments);
    ~COrbitApp();

    // False for a second instance, which should then end with status 0.
    bool InitInstance(bool traceSkype = false);
    bool IsFirstInstance() const { return firstInstance_; }
    COrbit_MainWnd& GetMainWnd() { return mainWnd_; }

    // What every copy of the program sets before anything else: the names its stored
    // settings live under, and no end when the last window closes (it lives in the tray).
    static void SetUpApplication();
    // The command line without the switches read elsewhere (the camera's, which the device
    // monitor reads, and "--trace-skype", reported through traceSkype).
    static QStringList ProgramArguments(QStringList arguments, bool& traceSkype);
    // Every end of the program saves first: the tray's Close, the end of the event loop (a
    // termination signal), and the desktop session's end, which may still be cancelled.
    void ConnectEndOfProgram();

    // The log-on start: the command line's text from its last '-' equals "-startup".
    static bool IsStartupLaunch(const QString& commandLine);
    // Where the instance lock and socket live: the session's runtime folder, per user.
    static QString InstancePath();

private:
    void SetUpSingleInstance();
    void OnAnotherInstance();

    QString commandLine_;
    bool firstInstance_ = false;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer server_;
    COrbit_MainWnd mainWnd_;
};
