#include "COrbitApp.h"

#include "OstSkypeController.h"

#include <QApplication>
#include <QPixmapCache>
#include <QDir>
#include <QLocalSocket>
#include <QSessionManager>
#include <QStandardPaths>
#include <QThread>
#include <unistd.h>

#include <algorithm>

COrbitApp::COrbitApp(const QStringList& arguments) : commandLine_(arguments.join(u' ')) {
    SetUpSingleInstance();
}

COrbitApp::~COrbitApp() {
    server_.close();
    if (lock_)
        lock_->unlock();
}

QString COrbitApp::InstancePath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    // The user id is part of the name as well, for runtime folders shared between users.
    QString path = folder + QStringLiteral("/orbit-") + kInstanceGuid + u'-' + QString::number(getuid());
    // Each graphical session of the user has a copy of its own: a second log-on (another seat,
    // a remote desktop) must not show the first session's dialog on the first's display.
    const QString session = qEnvironmentVariable("XDG_SESSION_ID");
    const bool plain = std::all_of(session.cbegin(), session.cend(), [](QChar c) {
        return c.isLetterOrNumber() && c.unicode() < 0x80;
    });
    if (!session.isEmpty() && session.size() <= 32 && plain)
        path += u'-' + session;
    return path;
}

void COrbitApp::SetUpApplication() {
    QApplication::setOrganizationName(QStringLiteral("Ostrel"));
    QApplication::setApplicationName(QStringLiteral("Orbit"));
    QApplication::setQuitOnLastWindowClosed(false);
    // The window's app id on Wayland and its class on X11: the shell finds the menu entry's
    // name and icon by it.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.ostrel.Orbit"));
    // The style keeps what it draws in the pixmap cache (10 MB by default); a dialog this size
    // needs a fraction of that, and the rest only grows the program over a long day.
    QPixmapCache::setCacheLimit(2048);
}

QStringList COrbitApp::ProgramArguments(QStringList arguments, bool& traceSkype) {
    traceSkype = arguments.removeAll(QStringLiteral("--trace-skype")) > 0;
    // The camera switches are read by the device monitor; the "-startup" rule never sees them.
    arguments.removeAll(QStringLiteral("--simulated-camera"));
    arguments.removeAll(QStringLiteral("--no-simulated-camera"));
    return arguments;
}

void COrbitApp::ConnectEndOfProgram() {
    auto* application = QCoreApplication::instance();
    COrbit_MainWnd* mainWnd = &mainWnd_;
    QObject::connect(application, &QCoreApplication::aboutToQuit, mainWnd, [mainWnd] { mainWnd->Close(); });
    // exit, not quit: quit first asks every window to close, and the main dialog refuses.
    QObject::connect(mainWnd, &COrbit_MainWnd::quitRequested, application,
                     [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    if (auto* gui = qobject_cast<QGuiApplication*>(application))
        QObject::connect(gui, &QGuiApplication::commitDataRequest, mainWnd,
                         [mainWnd](QSessionManager&) { mainWnd->Close(); });
}

bool COrbitApp::IsStartupLaunch(const QString& commandLine) {
    const qsizetype dash = commandLine.lastIndexOf(u'-');
    const QStringView tail = dash < 0 ? QStringView(commandLine) : QStringView(commandLine).mid(dash);
    return tail == u"-startup";
}

void COrbitApp::SetUpSingleInstance() {
    const QString path = InstancePath();
    lock_ = std::make_unique<QLockFile>(path + QStringLiteral(".lock"));
    // A lock left by a crashed instance is taken over (QLockFile checks the owner process).
    firstInstance_ = lock_->tryLock(0);
    if (firstInstance_) {
        QLocalServer::removeServer(path);
        server_.setSocketOptions(QLocalServer::UserAccessOption);
        server_.listen(path);
        QObject::connect(&server_, &QLocalServer::newConnection, &mainWnd_, [this] {
            while (QLocalSocket* socket = server_.nextPendingConnection()) {
                // The first instance does not read the forwarded command line.
                QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
                OnAnotherInstance();
            }
        });
        return;
    }
    lock_.reset();
    // The first instance may still be starting up: give its server a moment to listen.
    QLocalSocket socket;
    for (int attempt = 0; attempt < 50; ++attempt) {
        socket.connectToServer(path);
        if (socket.waitForConnected(100))
            break;
        QThread::msleep(100);
    }
    if (socket.state() == QLocalSocket::ConnectedState) {
        socket.write(commandLine_.left(kMaxForwardedCommandLine).toUtf8());
        socket.waitForBytesWritten(1000);
        socket.disconnectFromServer();
    }
}

void COrbitApp::OnAnotherInstance() {
    QMetaObject::invokeMethod(
        &mainWnd_, [this] { mainWnd_.trayCommand(TRAYCMD_OPEN_MAIN); },
        Qt::QueuedConnection);
}

bool COrbitApp::InitInstance(bool traceSkype) {
    if (!firstInstance_)
        return false;
    OstSkypeController& skype = OstSkypeController::GetInstance();
    skype.SetTrace(traceSkype);
    COrbit_MainWnd::Parts parts;
    parts.skype = &skype;
    return mainWnd_.Initialize(!IsStartupLaunch(commandLine_), parts);
}
