#include "OstPageText.h"

#include "OstLanguageSelector.h"
#include "OstPageControls.h"

#include <QAbstractButton>
#include <QEvent>
#include <QFontMetrics>
#include <QStringList>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>

namespace OstPageText {

QString Load(int number) {
    return OstLanguageSelector::GetInstance().GetString(number);
}

QString Wrapped(const QString& text, const QFont& font, int width) {
    if (width <= 0 || text.isEmpty())
        return text;
    QStringList lines;
    // Line feeds already in the text stay.
    for (const QString& paragraph : text.split(u'\n')) {
        QTextLayout layout(paragraph, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            lines.append(paragraph.mid(line.textStart(), line.textLength()).trimmed());
        }
        layout.endLayout();
        if (paragraph.isEmpty())
            lines.append(QString());
    }
    return lines.join(u'\n');
}

void SetWrappedText(QAbstractButton* button, const QString& text, int width, int minHeight) {
    // The indicator and the style's spacing take their share of the width; the rest holds the
    // text, narrowed further while the button would still ask for more than it has.
    button->setText(QString());
    int textWidth = std::max(1, width - button->sizeHint().width());
    for (int attempt = 0; attempt < 4; ++attempt) {
        button->setText(Wrapped(text, button->font(), textWidth));
        const int over = button->sizeHint().width() - width;
        if (over <= 0)
            break;
        int widest = 0;
        for (const QString& line : button->text().split(u'\n'))
            widest = std::max(widest, button->fontMetrics().horizontalAdvance(line));
        textWidth = std::max(1, std::min(textWidth, widest) - over);
    }
    const int lines = static_cast<int>(button->text().count(u'\n')) + 1;
    const int textHeight = lines * QFontMetrics(button->font()).lineSpacing() + 4;
    button->resize(width, std::max({minHeight, textHeight, button->sizeHint().height()}));
    OstPageControls::SetWrapped(button);
}

} // namespace OstPageText

OstPagePathLabel::OstPagePathLabel(QWidget* parent) : CColorStatic(parent) {
    setTextFormat(Qt::PlainText);
    SetTransparent(true);
}

void OstPagePathLabel::SetPath(const QString& path) {
    path_ = path;
    setToolTip(path);
    Elide();
}

void OstPagePathLabel::resizeEvent(QResizeEvent* event) {
    CColorStatic::resizeEvent(event);
    Elide();
}

void OstPagePathLabel::changeEvent(QEvent* event) {
    CColorStatic::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        Elide();
}

void OstPagePathLabel::Elide() {
    const int room = contentsRect().width();
    setText(room > 0 ? fontMetrics().elidedText(path_, Qt::ElideMiddle, room) : path_);
}
