#pragma once

#include <QList>
#include <QPersistentModelIndex>
#include <QTableView>

#include <cstdint>

class COstUI_Orbit_HeaderCtrl;
class OstEventListDelegate;
class OstEventListModel;

// The event list of the main dialog: a view of the program's events, one row per photo taken,
// sent or received, newest on top, with a progress bar and a Cancel button for transfers. The
// rows change in the event model; here they are shown, hovered and selected.
class COstUI_Orbit_EventListCtrl : public QTableView {
    Q_OBJECT
public:
    static constexpr int kControlId = 1000;

    // The events outlive the list.
    explicit COstUI_Orbit_EventListCtrl(OstEventListModel& events, QWidget* parent = nullptr);
    ~COstUI_Orbit_EventListCtrl() override;

    OstEventListModel& Events() const { return events_; }
    // The row becomes the only selected one, the current one and the selection mark, in view.
    void SelectOnly(int index);
    // A row's identity, which follows the row while rows above it come and go: what a modal
    // question or dialog acts on when it closes. RowOf gives its index now, -1 once it is gone.
    QPersistentModelIndex RowHandle(int index) const;
    QList<QPersistentModelIndex> SelectedRowHandles() const;
    int RowOf(const QPersistentModelIndex& handle) const;
    // Selected rows, ascending.
    QList<int> GetSelectedRows() const;
    // The row the keyboard and the last click act from; -1 when none.
    int GetSelectionMark() const;
    // The column titles and every drawn text in the current language.
    void ApplyTexts();

    // The cell's rectangle in viewport coordinates, empty outside the list.
    QRect CellRect(int index, int column) const;

signals:
    // A press on a row's Cancel button; the row has already been marked cancelled.
    // Emitted before rowPressed for the same press.
    void buttonClicked(int index);
    // Every left-button press on a row, before the selection changes.
    void rowPressed(int index, int column);
    // A double-click anywhere in the list.
    void listDoubleClicked();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Asks for the row menu at the current row, as a keyboard opens it; false without one.
    bool OpenMenuAtCurrentRow();
    void FitRowHeight();
    void CoolHotRow();

    OstEventListModel& events_;
    OstEventListDelegate* delegate_ = nullptr;
    COstUI_Orbit_HeaderCtrl* header_ = nullptr;
    // The row whose Cancel button is under the mouse; -1 for none.
    int hotRow_ = -1;
};
