#include "OstDialogUnits.h"

#include <QFontMetrics>
#include <QString>

#include <algorithm>

namespace {

// a * b / c rounded half away from zero, as dialog templates were mapped.
int MulDiv(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

} // namespace

OstDialogUnits::OstDialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    static const QString letters = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"_qs;
    const int width = metrics.horizontalAdvance(letters);
    baseX_ = std::max(1, (width / 26 + 1) / 2);
    baseY_ = std::max(1, metrics.height());
}

OstDialogUnits::OstDialogUnits(int baseX, int baseY)
    : baseX_(std::max(1, baseX)), baseY_(std::max(1, baseY)) {}

int OstDialogUnits::X(int units) const {
    return MulDiv(units, baseX_, 4);
}

int OstDialogUnits::Y(int units) const {
    return MulDiv(units, baseY_, 8);
}

QRect OstDialogUnits::Rect(int left, int top, int width, int height) const {
    // Both corners are mapped, as the platform did, so neighbouring controls never overlap by
    // a rounding pixel.
    const int x = X(left);
    const int y = Y(top);
    return QRect(x, y, X(left + width) - x, Y(top + height) - y);
}

QSize OstDialogUnits::Size(int width, int height) const {
    return QSize(X(width), Y(height));
}
