#pragma once

#include <QObject>

class QSocketNotifier;

// Ends the event loop on SIGTERM, SIGINT and SIGHUP (log-off, Ctrl+C), so the program saves
// its files on the way out as it does when closed from the tray.
class OstQuitOnSignal : public QObject {
    Q_OBJECT
public:
    explicit OstQuitOnSignal(QObject* parent = nullptr);
    ~OstQuitOnSignal() override;

private:
    QSocketNotifier* notifier_ = nullptr;
};
