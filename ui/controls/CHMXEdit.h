#pragma once

#include <QColor>
#include <QLineEdit>

// A line edit with its own text and background colours for the normal and the focused state,
// and a mode in which its text can only be selected: typing, pasting, dropping and the
// right-button menu are refused, while selecting and copying still work.
class CHMXEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CHMXEdit(QWidget* parent = nullptr);

    void SetTextColor(const QColor& colour);
    void SetBkColor(const QColor& colour);
    void SetTextFocusColor(const QColor& colour);
    void SetBkFocusColor(const QColor& colour);

    void SetEditable(bool editable);
    bool IsEditable() const { return editable_; }

    // The tooltip's text, shown only while the tooltip is active.
    void SetToolTipText(const QString& text);
    void ActivateToolTip(bool active);
    bool IsToolTipActive() const { return toolTipActive_; }

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void ApplyColours();

    QColor text_;
    QColor back_;
    QColor focusText_;
    QColor focusBack_;
    bool editable_ = true;
    QString toolTipText_;
    bool toolTipActive_ = false;
};
