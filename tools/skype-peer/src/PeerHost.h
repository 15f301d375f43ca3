#pragma once

#include "PeerNetwork.h"

#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

class ApiEndpoint;
class ControlEndpoint;
class PeerScenario;

// The process's side of the buses: one connection per served user (plus an optional
// control-only bus), the desktop API endpoint of each user and the control interface on all.
class PeerHost : public QObject {
    Q_OBJECT
public:
    explicit PeerHost(QObject* parent = nullptr);
    ~PeerHost() override;

    bool Start(const PeerScenario& scenario, const QString& controlBus, bool trace, QString* error);

    PeerNetwork& Network() { return network_; }
    ApiEndpoint* Endpoint(const QString& handle) const { return endpoints_.value(handle, nullptr); }

private:
    bool Connect(const QString& address, const QString& name, QString* error);
    bool PublishControl(const QString& name, QString* error);
    void QuitWhenAllBusesAreGone();

    PeerNetwork network_;
    ControlEndpoint* control_ = nullptr;
    QMap<QString, ApiEndpoint*> endpoints_;
    QStringList connections_;
    QTimer busWatch_;
};
