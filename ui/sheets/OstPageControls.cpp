#include "OstPageControls.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QVariant>

#include <algorithm>

namespace {

constexpr const char* kLayoutRect = "ostLayoutRect";
constexpr const char* kWrapped = "ostWrapped";

template <typename F> void ForEachControl(QWidget* page, F f) {
    auto each = [&](QWidget* parent) {
        for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            f(child);
    };
    each(page);
    for (QGroupBox* group : page->findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly))
        each(group);
}

} // namespace

namespace OstPageControls {

void ShowNewControls(QWidget* page) {
    ForEachControl(page, [](QWidget* child) {
        if (!child->testAttribute(Qt::WA_WState_ExplicitShowHide) && !child->isWindow())
            child->show();
    });
}

void SetWrapped(QWidget* control) {
    control->setProperty(kWrapped, true);
}

void FitTexts(QWidget* page) {
    ForEachControl(page, [](QWidget* control) {
        auto* label = qobject_cast<QLabel*>(control);
        const bool fits = qobject_cast<QAbstractButton*>(control) != nullptr ||
                          (label != nullptr && !label->wordWrap() && label->toolTip().isEmpty());
        if (!fits || control->property(kWrapped).toBool() || control->isWindow())
            return;
        QVariant stored = control->property(kLayoutRect);
        if (!stored.isValid()) {
            stored = control->geometry();
            control->setProperty(kLayoutRect, stored);
        }
        const QRect layout = stored.toRect();
        const QSize wanted = control->sizeHint();
        const int room = control->parentWidget()->width() - layout.x() - 2;
        const int width = std::max(layout.width(), std::min(wanted.width(), room));
        const int height = std::max(layout.height(), wanted.height());
        control->setGeometry(layout.x(), layout.y() - (height - layout.height()) / 2, width,
                             height);
    });
}

} // namespace OstPageControls
