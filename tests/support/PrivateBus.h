#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <memory>

// A private D-Bus session daemon for one test: started on construction, killed on destruction.
class PrivateBus {
public:
    enum class Limits {
        // The system's session configuration, which raises the daemon's limits.
        Session,
        // A bare configuration that keeps the daemon's built-in limits, such as 128 calls
        // waiting for replies per connection, as some systems' session buses have.
        DaemonDefaults,
    };

    explicit PrivateBus(Limits limits = Limits::Session);
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    bool IsValid() const { return !address_.isEmpty(); }
    const QString& Address() const { return address_; }

private:
    QProcess daemon_;
    QString address_;
    std::unique_ptr<QTemporaryDir> configDir_;
};
