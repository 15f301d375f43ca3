#pragma once

#include <QHeaderView>

// The event list's column header, painted in the skin's greys. Clicking a title does nothing
// (the list is never sorted); the dividers can be dragged.
class COstUI_Orbit_HeaderCtrl : public QHeaderView {
    Q_OBJECT
public:
    static constexpr QRgb kFace = 0xFFCCCCCC;
    static constexpr QRgb kLight = 0xFFEBEBEB;

    explicit COstUI_Orbit_HeaderCtrl(QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};
