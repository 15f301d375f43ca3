#include "PeerHost.h"

#include "ApiEndpoint.h"
#include "ControlEndpoint.h"
#include "PeerScenario.h"
#include "SkypePeerNames.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>

#include <cstdio>

using namespace SkypePeerNames;

PeerHost::PeerHost(QObject* parent) : QObject(parent) {
    connect(&busWatch_, &QTimer::timeout, this, &PeerHost::QuitWhenAllBusesAreGone);
}

void PeerHost::QuitWhenAllBusesAreGone() {
    for (const QString& name : connections_) {
        if (QDBusConnection(name).isConnected())
            return;
    }
    // Nobody can reach the peer any more (its test ended without stopping it, say).
    std::fprintf(stderr, "skype-peer: every bus it served has gone; quitting\n");
    busWatch_.stop();
    QCoreApplication::quit();
}

PeerHost::~PeerHost() {
    qDeleteAll(endpoints_);
    endpoints_.clear();
    for (const QString& name : connections_) {
        QDBusConnection connection(name);
        connection.unregisterObject(QLatin1String(kControlPath));
        connection.interface()->unregisterService(QLatin1String(kControlService));
        QDBusConnection::disconnectFromBus(name);
    }
    delete control_;
}

bool PeerHost::Connect(const QString& address, const QString& name, QString* error) {
    QDBusConnection connection =
        address == QLatin1String("session")
            ? QDBusConnection::connectToBus(QDBusConnection::SessionBus, name)
            : QDBusConnection::connectToBus(address, name);
    connections_.append(name);
    if (!connection.isConnected()) {
        *error = QStringLiteral("cannot connect to bus %1: %2")
                     .arg(address, connection.lastError().message());
        return false;
    }
    // A bus reached by address is not a message bus until the Hello exchange gave a name.
    if (connection.baseService().isEmpty()) {
        *error = QStringLiteral("%1 is not a message bus").arg(address);
        return false;
    }
    return true;
}

bool PeerHost::PublishControl(const QString& name, QString* error) {
    QDBusConnection connection(name);
    if (!connection.registerObject(QLatin1String(kControlPath), control_,
                                   QDBusConnection::ExportScriptableSlots)) {
        *error = QStringLiteral("cannot register %1").arg(QLatin1String(kControlPath));
        return false;
    }
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
        connection.interface()->registerService(QLatin1String(kControlService),
                                                QDBusConnectionInterface::DontQueueService,
                                                QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid() || reply.value() != QDBusConnectionInterface::ServiceRegistered) {
        *error = QStringLiteral("cannot own %1 (another peer on this bus?)")
                     .arg(QLatin1String(kControlService));
        return false;
    }
    return true;
}

bool PeerHost::Start(const PeerScenario& scenario, const QString& controlBus, bool trace,
                     QString* error) {
    PeerRecord::RegisterDBusTypes();
    network_.SetTrace(trace);
    if (!network_.Load(scenario, error))
        return false;
    control_ = new ControlEndpoint(*this);
    int served = 0;
    for (const PeerUser& user : scenario.users) {
        if (!user.IsProgram())
            continue;
        const QString name = QStringLiteral("skype-peer-control-") + user.handle;
        if (!Connect(user.bus, name, error) || !PublishControl(name, error))
            return false;
        auto* endpoint = new ApiEndpoint(network_, user.handle, user.bus);
        endpoints_.insert(user.handle, endpoint);
        if (!endpoint->Publish(error))
            return false;
        ++served;
    }
    if (!controlBus.isEmpty()) {
        const QString name = QStringLiteral("skype-peer-control");
        if (!Connect(controlBus, name, error) || !PublishControl(name, error))
            return false;
        ++served;
    }
    if (served == 0) {
        *error = QStringLiteral("no bus to serve: give users one with --bus HANDLE=ADDRESS");
        return false;
    }
    busWatch_.start(500);
    return true;
}
