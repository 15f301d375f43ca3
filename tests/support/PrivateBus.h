#pragma once

#include <QProcess>
#include <QString>

// A private D-Bus session daemon for one test: started on construction, killed on destruction.
class PrivateBus {
public:
    PrivateBus();
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    bool IsValid() const { return !address_.isEmpty(); }
    const QString& Address() const { return address_; }

private:
    QProcess daemon_;
    QString address_;
};
