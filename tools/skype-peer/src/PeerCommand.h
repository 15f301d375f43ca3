#pragma once

#include <QList>
#include <QString>

// A command text split at blanks the way the desktop API reads it: keywords by token, free
// text (chat bodies, stream data) by position, so the blanks inside it survive.
class PeerCommand {
public:
    explicit PeerCommand(QString text);

    int Count() const { return int(starts_.size()); }
    QString Token(int index) const;
    // Keywords compare without regard to case, as the desktop API accepted them.
    bool Is(int index, const char* word) const;
    // Everything after token `index` and the one blank that follows it.
    QString RestAfter(int index) const;
    const QString& Text() const { return text_; }

private:
    QString text_;
    QList<qsizetype> starts_;
    QList<qsizetype> ends_;
};
