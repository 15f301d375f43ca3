#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QStringList>
#include <QTimer>

// The least a Skype must do for the program to attach: own com.Skype.API on a bus, answer
// Invoke, and notify the attached client.
class MiniSkype : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.Skype.API")
public:
    MiniSkype(const QString& address, const QString& connectionName)
        : connection_(QDBusConnection::connectToBus(address, connectionName)),
          name_(connectionName) {
        connection_.registerObject(QStringLiteral("/com/Skype"), this,
                                   QDBusConnection::ExportScriptableSlots);
        registered_ = connection_.registerService(QStringLiteral("com.Skype.API"));
    }
    ~MiniSkype() override {
        connection_.unregisterService(QStringLiteral("com.Skype.API"));
        connection_.unregisterObject(QStringLiteral("/com/Skype"));
        QDBusConnection::disconnectFromBus(name_);
    }

    bool IsRegistered() const { return registered_; }
    QStringList commands;

public slots:
    Q_SCRIPTABLE QString Invoke(const QString& command) {
        commands.append(command);
        if (command.startsWith(u"NAME ")) {
            client_ = message().service();
            QTimer::singleShot(0, this, [this] {
                Notify(u"CURRENTUSERHANDLE me.test"_qs);
                Notify(u"USERSTATUS ONLINE"_qs);
            });
            return u"OK"_qs;
        }
        if (command == u"GET SKYPEVERSION")
            return u"SKYPEVERSION 2.1.0.81"_qs;
        if (command == u"PING")
            return u"PONG"_qs;
        if (command == u"SEARCH FRIENDS")
            return u"USERS alice, bob"_qs;
        if (command.startsWith(u"GET USER ")) {
            const QStringList parts = command.split(u' ');
            if (parts.size() == 4 && parts[3] == u"ONLINESTATUS")
                return u"USER "_qs + parts[2] + u" ONLINESTATUS ONLINE"_qs;
            if (parts.size() == 4)
                return u"USER "_qs + parts[2] + u' ' + parts[3] + u' ' + parts[2].toUpper();
        }
        return u"ERROR 2 Unknown command"_qs;
    }

private:
    void Notify(const QString& text) {
        QDBusMessage msg = QDBusMessage::createMethodCall(
            client_, QStringLiteral("/com/Skype/Client"), QStringLiteral("com.Skype.API.Client"),
            QStringLiteral("Notify"));
        msg << text;
        msg.setAutoStartService(false);
        connection_.call(msg, QDBus::NoBlock);
    }

    QDBusConnection connection_;
    QString name_;
    QString client_;
    bool registered_ = false;
};
