#pragma once

#include <QEvent>
#include <QString>

// A graph event posted to the graph's notify window (event type 0x8378, the message number
// the graph notification always had). The program acts on none of them.
class OstGraphEvent : public QEvent {
public:
    static constexpr QEvent::Type kType = QEvent::Type(0x8378);
    enum Code : int {
        Complete = 0x01,   // the stream ended
        ErrorAbort = 0x03, // the stream stopped on an error (a pulled camera, ...)
    };
    OstGraphEvent(Code code, QString text);
    ~OstGraphEvent() override;

    Code EventCode() const { return code_; }
    const QString& Text() const { return text_; }

private:
    Code code_;
    QString text_;
};
