#include "COstUI_Orbit_HeaderCtrl.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace {
constexpr int kMaxTitleLength = 255;
}

COstUI_Orbit_HeaderCtrl::COstUI_Orbit_HeaderCtrl(QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent) {
    setSectionsClickable(false);
    setSectionsMovable(false);
    setHighlightSections(false);
    setSortIndicatorShown(false);
    setStretchLastSection(false);
    setMinimumSectionSize(0);
    setSectionResizeMode(QHeaderView::Interactive);
}

QSize COstUI_Orbit_HeaderCtrl::sizeHint() const {
    QSize size = QHeaderView::sizeHint();
    size.setHeight(std::max(20, fontMetrics().height() + 6));
    return size;
}

void COstUI_Orbit_HeaderCtrl::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const int width = viewport()->width();
    const int height = viewport()->height();
    const QColor white(Qt::white);
    const QColor light = QColor::fromRgb(kLight);

    painter.fillRect(event->rect(), QColor::fromRgb(kFace));
    painter.setPen(white);
    painter.drawLine(0, 0, width - 1, 0);
    painter.drawLine(0, height - 1, width - 1, height - 1);
    painter.setPen(light);
    painter.drawLine(0, 1, width - 1, 1);
    painter.drawLine(0, height - 2, width - 1, height - 2);
    if (height < 3 || !model())
        return;

    const auto vertical = [&](int x, const QColor& colour) {
        painter.setPen(colour);
        painter.drawLine(x, 1, x, height - 2);
    };
    const int first = logicalIndex(0);
    if (first >= 0) {
        const int left = sectionViewportPosition(first);
        vertical(left, white);
        vertical(left + 1, light);
    }
    painter.setFont(font());
    for (int visual = 0; visual < count(); ++visual) {
        const int logical = logicalIndex(visual);
        if (isSectionHidden(logical))
            continue;
        const int left = sectionViewportPosition(logical);
        const int size = sectionSize(logical);
        const int right = left + size;
        if (right + 1 < event->rect().left() || left > event->rect().right())
            continue;
        vertical(right - 1, light);
        vertical(right, white);
        vertical(right + 1, light);
        if (size <= 2)
            continue;
        const QString title =
            model()->headerData(logical, orientation()).toString().left(kMaxTitleLength);
        const QRect box(left + 1, 0, size - 1, height);
        painter.setPen(Qt::black);
        painter.drawText(box, Qt::AlignCenter | Qt::TextSingleLine,
                         painter.fontMetrics().elidedText(title, Qt::ElideRight, box.width()));
    }
}
