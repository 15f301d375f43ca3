#pragma once

#include <QString>
#include <QWidget>

// Building blocks shared by the settings pages.
namespace OstPageControls {

// A control of the page, named by its numeric id.
template <typename T> T* Make(QWidget* parent, int id) {
    auto* widget = new T(parent);
    widget->setObjectName(QString::number(id));
    return widget;
}

// Pages build their controls the first time their tab is shown, when the page is already
// visible; controls made then stay hidden until shown. Shows every control of the page and
// of its group boxes that was not hidden on purpose.
void ShowNewControls(QWidget* page);

// The layouts are drawn for English; a translation may need more room. Every button and
// one-line label of the page (and of its group boxes) whose text needs more than its layout
// rectangle grows: taller around its middle, wider to the right up to its parent's edge.
// Called after every change of the texts; each control starts again from its layout rectangle.
void FitTexts(QWidget* page);

// Marks a control whose text is wrapped to its width by the page itself: FitTexts leaves it.
void SetWrapped(QWidget* control);

} // namespace OstPageControls
