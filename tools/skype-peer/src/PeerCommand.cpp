#include "PeerCommand.h"

PeerCommand::PeerCommand(QString text) : text_(std::move(text)) {
    qsizetype i = 0;
    const qsizetype n = text_.size();
    while (i < n) {
        while (i < n && text_.at(i) == QLatin1Char(' '))
            ++i;
        if (i >= n)
            break;
        const qsizetype start = i;
        while (i < n && text_.at(i) != QLatin1Char(' '))
            ++i;
        starts_.append(start);
        ends_.append(i);
    }
}

QString PeerCommand::Token(int index) const {
    if (index < 0 || index >= Count())
        return {};
    return text_.mid(starts_[index], ends_[index] - starts_[index]);
}

bool PeerCommand::Is(int index, const char* word) const {
    if (index < 0 || index >= Count())
        return false;
    return QStringView(text_)
               .mid(starts_[index], ends_[index] - starts_[index])
               .compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

QString PeerCommand::RestAfter(int index) const {
    if (index < 0 || index >= Count())
        return {};
    const qsizetype from = ends_[index] + 1;
    if (from >= text_.size())
        return {};
    return text_.mid(from);
}
