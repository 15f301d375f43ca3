// skype-peer: a stand-in for the Skype desktop client that plays a small Skype network for
// tests and the demo. See docs/skype-peer.md.
#include "PeerHost.h"
#include "PeerScenario.h"
#include "SkypePeerNames.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void OnSignal(int) {
    const char byte = 1;
    // Only async-signal-safe work here; the event loop does the rest.
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

// SIGTERM and SIGINT end the event loop normally, so folders and bus names are cleaned up.
void QuitOnSignals(QCoreApplication& app) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [&app] {
        char byte = 0;
        [[maybe_unused]] const ssize_t got = ::read(signalPipe[0], &byte, 1);
        app.quit();
    });
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

int Fail(const QString& text, int code) {
    std::fprintf(stderr, "skype-peer: %s\n", text.toLocal8Bit().constData());
    return code;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("skype-peer"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Plays a small Skype network on D-Bus: the desktop API for each user "
                       "given a bus, scripted users inside."));
    parser.addHelpOption();
    const QCommandLineOption scenarioOption(QStringLiteral("scenario"),
                                            QStringLiteral("The network, as a JSON file."),
                                            QStringLiteral("file"));
    const QCommandLineOption busOption(
        QStringLiteral("bus"),
        QStringLiteral("Serve HANDLE on the bus at ADDRESS (\"session\": this session's bus). "
                       "Repeat for each program user."),
        QStringLiteral("HANDLE=ADDRESS"));
    const QCommandLineOption controlOption(
        QStringLiteral("control-bus"),
        QStringLiteral("Also offer the control interface on this bus."), QStringLiteral("address"));
    const QCommandLineOption versionOption(QStringLiteral("skype-version"),
                                           QStringLiteral("Overrides the scenario's version."),
                                           QStringLiteral("version"));
    const QCommandLineOption traceOption(QStringLiteral("trace"),
                                         QStringLiteral("Print every text to standard error."));
    parser.addOptions({scenarioOption, busOption, controlOption, versionOption, traceOption});
    parser.process(app);

    if (!parser.isSet(scenarioOption))
        return Fail(QStringLiteral("--scenario is required"), 2);
    PeerScenario scenario;
    QString error;
    if (!scenario.LoadFile(parser.value(scenarioOption), &error))
        return Fail(error, 2);
    for (const QString& entry : parser.values(busOption)) {
        const qsizetype equals = entry.indexOf(QLatin1Char('='));
        if (equals <= 0 || equals == entry.size() - 1)
            return Fail(QStringLiteral("--bus wants HANDLE=ADDRESS, got \"%1\"").arg(entry), 2);
        if (!scenario.SetBus(entry.left(equals), entry.mid(equals + 1)))
            return Fail(QStringLiteral("--bus names \"%1\", who is not in the scenario")
                            .arg(entry.left(equals)),
                        2);
    }
    if (parser.isSet(versionOption))
        scenario.skypeVersion = parser.value(versionOption);

    PeerHost host;
    if (!host.Start(scenario, parser.value(controlOption), parser.isSet(traceOption), &error))
        return Fail(error, 3);
    QuitOnSignals(app);
    std::printf("%s\n", SkypePeerNames::kReadyLine);
    std::fflush(stdout);
    return app.exec();
}
