#pragma once

#include <QPixmap>
#include <QWidget>

// A slider drawn from bitmaps: a channel that sets the control's size and a thumb (another
// while it is dragged). The thumb centre sits at
//   near margin + (value - min) / (max - min) * (length - near - far - thumb length) + thumb length / 2
// along the width, or the height when vertical. Dragging reports `moving`, releasing and the
// keys report `moved`, each with the control's number (its object name) and the position.
class CBitmapSlider : public QWidget {
    Q_OBJECT
public:
    explicit CBitmapSlider(QWidget* parent = nullptr);

    // Bitmap numbers. The channel resizes the control to its size; the thumbs' white pixels
    // are transparent.
    void SetBitmapChannel(int id);
    void SetBitmapThumb(int normal, int active);
    void SetRange(int minimum, int maximum);
    void SetPos(int position);
    // As a key press does: moves and reports `moved` (also for screen readers' value changes).
    void SetPosByUser(int position);
    int GetPos() const { return pos_; }
    int GetRangeMin() const { return min_; }
    int GetRangeMax() const { return max_; }
    void SetPageSize(int size) { page_ = size; }
    int GetPageSize() const { return page_; }
    void SetMargin(int left, int top, int right, int bottom);
    void SetVertical(bool vertical);
    bool IsDragging() const { return dragging_; }

    // The thumb centre's pixel along the slider for a value, and the value at a pixel.
    int ValueToPixel(int value) const;
    int PixelToValue(int pixel) const;

signals:
    void moving(int controlId, int position);
    void moved(int controlId, int position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void LoadBitmaps();
    int Length() const;
    int Near() const;
    int Far() const;
    int ThumbLength() const;
    int Along(const QPointF& point) const;
    int ControlId() const { return objectName().toInt(); }
    void MoveCentreTo(int pixel);

    int channelId_ = 0;
    int thumbId_ = 0;
    int activeThumbId_ = 0;
    QPixmap channel_;
    QPixmap thumb_;
    QPixmap activeThumb_;
    QSize thumbSize_;
    qreal loadedRatio_ = 0;
    int min_ = 0;
    int max_ = 100;
    int pos_ = 0;
    int page_ = 10;
    int marginLeft_ = 0;
    int marginTop_ = 0;
    int marginRight_ = 0;
    int marginBottom_ = 0;
    bool vertical_ = false;
    bool dragging_ = false;
    int dragOffset_ = 0;
};
