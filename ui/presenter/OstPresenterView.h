#pragma once

#include "OstPresenterChoices.h"
#include "OstPresenterZoom.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPointer>
#include <QWidget>

class OstVideoWidget;
class QScreen;
class QTimer;
class QVariantAnimation;

// The page on the big screen: the live picture alone, filling a whole screen with its aspect
// kept, for a projector or a display. It shows the frames the preview receives (no second
// camera stream), zooms into the point under the pointer, pans, freezes and turns the picture,
// shows the countdown's digits large over it and takes photos. It decides nothing of the
// program's own: photos and turns go to the dialog as signals.
class OstPresenterView : public QWidget {
    Q_OBJECT
public:
    explicit OstPresenterView(OstVideoWidget& source, QWidget* parent = nullptr);
    ~OstPresenterView() override;

    // Full screen on the remembered screen, or on the first one `dialogScreen` is not.
    void Enter(QScreen* dialogScreen);
    // Goes to the next screen and remembers it.
    void NextScreen();
    // The camera's message while there is no picture (empty while there is one).
    void SetMessage(const QString& text);
    // A photo was taken: a short flash says so.
    void ConfirmPhoto();

    bool Frozen() const { return !frozen_.isNull(); }
    bool HelpShown() const { return helpShown_; }
    // The countdown's digit is shown.
    bool CountdownShown() const { return !overlay_.isNull(); }
    int Rotation() const { return choices_.rotation; }
    const OstPresenterZoom& Placement() const { return zoom_; }
    // The zoom the running animation ends at.
    double TargetZoom() const { return targetZoom_; }

    // Figures for the benchmark: frames painted, and the longest time from a frame's arrival
    // at the preview to the end of its paint here.
    quint64 FramesPainted() const { return painted_; }
    qint64 LongestLatencyNs() const { return longestLatencyNs_; }
    void ResetFigures();

signals:
    // Esc, F11 or a double-click: back to the dialog.
    void leaveRequested();
    // Enter: a photo, as Take Photo takes it.
    void takePhotoRequested();
    // R or Shift+R: the picture's new quarter turns (already remembered).
    void rotationChanged(int quarterTurns);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void OnFrame();
    void ShowOn(QScreen* screen);
    void OnScreenAdded(QScreen* screen);
    void OnScreenRemoved(QScreen* screen);
    void ZoomBy(double factor, const QPointF& at);
    void FitWhole();
    void Rotate(int step);
    void ToggleFreeze();
    void ShowPointer();
    QPointF PointerOrMiddle() const;
    QImage Shown() const;
    void PaintOverlays(class QPainter& painter);
    void PaintHelp(class QPainter& painter);

    OstVideoWidget& source_;
    OstPresenterChoices choices_;
    OstPresenterZoom zoom_;
    QImage frame_;
    QImage frozen_;
    QImage overlay_;
    quint64 serial_ = 0;
    qint64 arrivedNs_ = 0;
    bool paintedSerial_ = true;
    QString message_;
    QPointer<QScreen> dialogScreen_;

    double targetZoom_ = 1.0;
    QPointF zoomAnchor_;
    QPointF zoomAnchorInFrame_;
    QVariantAnimation* zoomAnimation_ = nullptr;
    QVariantAnimation* flash_ = nullptr;
    QTimer* pointerTimer_ = nullptr;
    bool dragging_ = false;
    QPointF dragFrom_;
    bool helpShown_ = false;

    quint64 painted_ = 0;
    qint64 longestLatencyNs_ = 0;
};
