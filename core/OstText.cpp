#include "OstText.h"

#include <limits>

namespace OstText {
namespace {

std::int32_t Clamp(std::int64_t value) {
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

// Accumulates digits from pos, saturating well past the 32-bit range so it never overflows.
std::int64_t Digits(QStringView text, qsizetype pos) {
    std::int64_t value = 0;
    for (; pos < text.size(); ++pos) {
        const QChar c = text[pos];
        if (c < u'0' || c > u'9')
            break;
        if (value < (std::int64_t{1} << 40))
            value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

bool IsCSpace(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f';
}

} // namespace

std::int32_t ToInt(QStringView text) {
    qsizetype pos = 0;
    while (pos < text.size() && IsCSpace(text[pos]))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) {
        negative = text[pos] == u'-';
        ++pos;
    }
    const std::int64_t value = Digits(text, pos);
    return Clamp(negative ? -value : value);
}

std::int32_t LeadingDigits(QStringView text) { return Clamp(Digits(text, 0)); }

QStringList SplitBlanks(const QString& text) {
    return text.split(u' ', Qt::SkipEmptyParts);
}

} // namespace OstText
