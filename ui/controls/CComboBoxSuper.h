#pragma once

#include <QColor>
#include <QComboBox>
#include <QList>
#include <QPixmap>


// A drop-down list whose items carry an image from an image list, a text colour, a bold flag
// and texts for further columns. Column texts are kept whether or not the columns are shown:
// a single-column combo uses column 1 as a hidden value of each item.
class CComboBoxSuper : public QComboBox {
    Q_OBJECT
public:
    explicit CComboBoxSuper(QWidget* parent = nullptr);

    void SetImageList(const QList<QPixmap>& images);
    const QList<QPixmap>& ImageList() const { return images_; }
    void ShowImages(bool show);

    // Per item; each creates the item's record when it has none. Out-of-range items are ignored.
    void SetItemColor(int item, const QColor& colour);  // invalid colour: the default
    void SetItemImage(int item, int image);              // -1: none
    void SetItemBold(int item, bool bold);
    // Column 0 is the item's own text; columns 1 and above are kept with the item.
    void SetItemText(int item, int column, const QString& text);
    QString GetItemText(int item, int column) const;
    QColor GetItemColor(int item) const;
    int GetItemImage(int item) const;
    bool GetItemBold(int item) const;

    // Columns shown side by side, separated by light grey lines.
    void SetColumnWidth(int column, int width);
    int GetColumnCount() const { return static_cast<int>(columnWidths_.size()); }
    int GetColumnWidth(int column) const;
    // A single column of the current first width; further column texts stay with the items.
    void ResetColumns();

    void SetDroppedWidth(int width);

    // Draws one item the way the list and the closed box show it.
    void DrawItem(QPainter& painter, const QRect& rect, int item, bool selected) const;

    void showPopup() override;
    void hidePopup() override;

signals:
    // The list is about to drop down / has closed up.
    void droppingDown();
    void closedUp();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<QPixmap> images_;
    bool showImages_ = true;
    QList<int> columnWidths_;
};
