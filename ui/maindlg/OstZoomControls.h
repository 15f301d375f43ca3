#pragma once

#include <QObject>

class CBitmapSlider;
class CHMXEdit;
class CxSkinButton;
class QWidget;

// The preview's zoom in the main dialog: the percent field, the vertical slider and the reset
// button, which show one value from 100 to 200. The slider moves in steps of ten; the field
// takes what is typed when Enter or Esc is pressed, read as the leading digits and kept within
// the range.
class OstZoomControls : public QObject {
    Q_OBJECT
public:
    static constexpr int kMin = 100;
    static constexpr int kMax = 200;

    // The controls are made as children of the dialog, at their places, each named by its
    // control number.
    explicit OstZoomControls(QWidget& dialog);
    ~OstZoomControls() override;

    // disable: the camera runs at a size without zoom; the field's tooltip says so.
    void SetZoom(int percent, bool disable);
    // Without a running camera there is nothing to reset.
    void SetCameraRunning(bool running);
    void ApplyTexts();

signals:
    // The user chose a zoom.
    void zoomChosen(int percent);
    // The user is done with the zoom: the list takes the keyboard again.
    void done();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnEntered();
    void OnSliderMoving(int position);

    CHMXEdit* edit_ = nullptr;
    CBitmapSlider* slider_ = nullptr;
    CxSkinButton* reset_ = nullptr;
    bool disabled_ = false;
};
