// One copy of the program's transfer side for end-to-end tests: the Skype controller on a
// bus of its own and the transfer object, driven through standard input and reporting on
// standard output, one tab-separated line each.
//
//   in:  send <contact> <path> <resolution> <size> | cancel <id> | quit
//   out: ready <handle> | queued <id> <path> | cancel <id> <0|1> | report <id> <status> <peer>
//        <name> <done> <total>  (status 8: <name> <resolution> <size>) | disconnected | closed

#include "OstAp2ApNotifyTarget.h"
#include "OstDBusSkypeTransport.h"
#include "OstNotificationCenter.h"
#include "OstSkypeAp2Ap.h"
#include "OstSkypeController.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

void Print(const QStringList& fields) {
    std::fputs((fields.join(u'\t') + u'\n').toUtf8().constData(), stdout);
    std::fflush(stdout);
}

class Driver : public OstObject, public OstAp2ApNotifyTarget {
public:
    Driver(OstSkypeController& controller, QString folder, const Ap2ApConfig& config,
           bool keepOnDisconnect)
        : controller_(controller), folder_(std::move(folder)), config_(config),
          keepOnDisconnect_(keepOnDisconnect) {
        OstNotificationCenter::GetInstance().AddObserver(
            this, &OstNotificationCenter::ForwardToObject, QStringLiteral("SKYPE_DISCONNECTED"));
        // The main window makes its transfer object once Skype has told who the user is.
        poll_.setInterval(10);
        QObject::connect(&poll_, &QTimer::timeout, [this] { CreateWhenReady(); });
        poll_.start();
    }
    ~Driver() override {
        OstNotificationCenter::GetInstance().RemoveObserver(this, QString());
        ap2ap_.reset();
    }

    void OnNotification(void*, const QString& name) override {
        if (name != u"SKYPE_DISCONNECTED")
            return;
        Print({QStringLiteral("disconnected")});
        if (!keepOnDisconnect_ && ap2ap_) {
            ap2ap_.reset();
            Print({QStringLiteral("closed")});
        }
    }

    void OnSkypeAp2ApMessage(const TransferReport& report) override {
        QStringList fields{QStringLiteral("report"), QString::number(report.transferId),
                           QString::number(report.status), report.peer};
        if (const TransferAnnounce* a = report.Announce())
            fields << a->fileName << a->resolution << a->pictureSize;
        else
            fields << report.Progress()->fileName << QString::number(report.Progress()->done)
                   << QString::number(report.Progress()->total);
        Print(fields);
    }

    void OnLine(const QString& line) {
        const QStringList f = line.split(u'\t');
        if (f.value(0) == u"quit") {
            ap2ap_.reset();
            QCoreApplication::quit();
            return;
        }
        if (!ap2ap_) {
            Print({QStringLiteral("error"), QStringLiteral("no transfer object"), line});
            return;
        }
        if (f.value(0) == u"send" && f.size() == 5) {
            const std::uint32_t id = ap2ap_->SendFile(f[2], f[1], f[3], f[4]);
            Print({QStringLiteral("queued"), QString::number(id), f[2]});
        } else if (f.value(0) == u"cancel" && f.size() == 2) {
            const bool found = ap2ap_->CancelTransfer(f[1].toUInt());
            Print({QStringLiteral("cancel"), f[1],
                   found ? QStringLiteral("1") : QStringLiteral("0")});
        } else {
            Print({QStringLiteral("error"), QStringLiteral("bad command"), line});
        }
    }

private:
    void CreateWhenReady() {
        if (ap2ap_ || !controller_.IsAttached() || controller_.GetCurrentUserHandle().isEmpty() ||
            controller_.GetUserStatus() < SKYPE_STATUS_ONLINE)
            return;
        ap2ap_ = std::make_unique<OstSkypeAp2Ap>(controller_, controller_.GetCurrentUserHandle(),
                                                 folder_, this, config_);
        Print({QStringLiteral("ready"), controller_.GetCurrentUserHandle()});
    }

    OstSkypeController& controller_;
    const QString folder_;
    const Ap2ApConfig config_;
    const bool keepOnDisconnect_;
    QTimer poll_;
    std::unique_ptr<OstSkypeAp2Ap> ap2ap_;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption bus(QStringLiteral("bus"), QStringLiteral("D-Bus address"),
                                 QStringLiteral("address"));
    const QCommandLineOption folder(QStringLiteral("folder"), QStringLiteral("receive folder"),
                                    QStringLiteral("path"));
    const QCommandLineOption pause(QStringLiteral("pause-ms"), QStringLiteral("pause"),
                                   QStringLiteral("ms"));
    const QCommandLineOption create(QStringLiteral("create-ms"), QStringLiteral("create wait"),
                                    QStringLiteral("ms"));
    const QCommandLineOption connectWait(QStringLiteral("connect-ms"),
                                         QStringLiteral("connect wait"), QStringLiteral("ms"));
    const QCommandLineOption ack(QStringLiteral("ack-ms"), QStringLiteral("acknowledgement wait"),
                                 QStringLiteral("ms"));
    const QCommandLineOption packet(QStringLiteral("packet-ms"), QStringLiteral("packet wait"),
                                    QStringLiteral("ms"));
    const QCommandLineOption keep(QStringLiteral("keep-on-disconnect"),
                                  QStringLiteral("keep the transfer object when Skype goes"));
    const QCommandLineOption trace(QStringLiteral("trace"), QStringLiteral("print Skype traffic"));
    parser.addOptions({bus, folder, pause, create, connectWait, ack, packet, keep, trace});
    parser.process(app);
    if (!parser.isSet(bus) || !parser.isSet(folder)) {
        std::fputs("orbit_ap2ap_driver: --bus and --folder are required\n", stderr);
        return 2;
    }
    Ap2ApConfig config;
    const auto number = [&](const QCommandLineOption& option, int* value) {
        if (parser.isSet(option))
            *value = parser.value(option).toInt();
    };
    number(pause, &config.pauseMs);
    number(create, &config.createTimeoutMs);
    number(connectWait, &config.connectTimeoutMs);
    number(ack, &config.ackTimeoutMs);
    number(packet, &config.packetTimeoutMs);

    QDBusConnection connection =
        QDBusConnection::connectToBus(parser.value(bus), QStringLiteral("orbit-ap2ap-driver"));
    if (!connection.isConnected()) {
        std::fprintf(stderr, "orbit_ap2ap_driver: cannot connect to %s\n",
                     parser.value(bus).toUtf8().constData());
        return 3;
    }
    int status = 0;
    {
        OstSkypeController controller(std::make_unique<OstDBusSkypeTransport>(connection));
        controller.SetTrace(parser.isSet(trace));
        Driver driver(controller, parser.value(folder), config, parser.isSet(keep));

        QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
        QByteArray pending;
        QObject::connect(&input, &QSocketNotifier::activated, [&] {
            char buffer[4096];
            const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
            if (n <= 0) { // the test went away: end as on "quit"
                input.setEnabled(false);
                driver.OnLine(QStringLiteral("quit"));
                return;
            }
            pending.append(buffer, n);
            qsizetype end = 0;
            while ((end = pending.indexOf('\n')) >= 0) {
                const QString line = QString::fromUtf8(pending.left(end));
                pending.remove(0, end + 1);
                driver.OnLine(line);
            }
        });
        controller.Discover();
        status = app.exec();
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("orbit-ap2ap-driver"));
    return status;
}
