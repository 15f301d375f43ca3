#pragma once

#include <QColor>
#include <QLabel>
#include <QUrl>

#include <functional>

// A label that opens an address with the desktop when clicked: link, visited and hover
// colours, underlined while the pointer is over it, the hand cursor. Reachable with Tab and
// opened with Enter or Space as well.
class CXHyperLink : public QLabel {
    Q_OBJECT
public:
    // Underline modes.
    static constexpr int kUnderlineNever = 0;
    static constexpr int kUnderlineAlways = 1;
    static constexpr int kUnderlineHover = -1;

    explicit CXHyperLink(QWidget* parent = nullptr);

    void SetURL(const QString& address);
    QString GetURL() const { return address_; }
    // "open" (the default) or "new"; the desktop decides how a new window is made.
    void SetVerb(const QString& verb) { verb_ = verb; }
    void SetColours(const QColor& link, const QColor& visited, const QColor& hover);
    QColor LinkColour() const { return link_; }
    QColor VisitedColour() const { return visited_; }
    QColor HoverColour() const { return hover_; }
    void SetVisited(bool visited);
    bool GetVisited() const { return visited_flag_; }
    void SetUnderline(int mode);
    bool IsHovering() const { return hovering_; }
    // With notify on, `clicked` is emitted after every click.
    void SetNotifyParent(bool notify) { notify_ = notify; }

    // Opens addresses; tests replace it. Returns whether the address was opened.
    using Opener = std::function<bool(const QUrl&)>;
    void SetOpener(Opener opener) { opener_ = std::move(opener); }

    // The colour the link is drawn in now.
    QColor CurrentColour() const;

signals:
    void clicked(int controlId);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void Open();
    void Restyle();

    QString address_;
    QString verb_ = QStringLiteral("open");
    QColor link_;
    QColor visited_;
    QColor hover_;
    bool visited_flag_ = false;
    bool hovering_ = false;
    bool notify_ = false;
    int underline_ = kUnderlineHover;
    Opener opener_;
};
