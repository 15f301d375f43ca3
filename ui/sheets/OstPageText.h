#pragma once

#include "CColorStatic.h"

#include <QFont>
#include <QString>

class QAbstractButton;

// Small text helpers shared by the settings pages.
namespace OstPageText {

// The string of that number in the current language.
QString Load(int number);

// `text` broken into lines no wider than `width` pixels in `font`, joined with line feeds:
// check boxes and radio buttons cannot wrap by themselves, and a long translation must not
// run past its control. Breaks follow the Unicode line-breaking rules, so Chinese and Korean
// break between characters or words as their readers expect.
QString Wrapped(const QString& text, const QFont& font, int width);

// Sets a button's text wrapped to the button's width and makes the button tall enough for
// the lines (never shorter than it is laid out); FitTexts then leaves it alone.
void SetWrappedText(QAbstractButton* button, const QString& text, int width, int minHeight);

} // namespace OstPageText

// A transparent coloured label for a folder path: paths are often longer than the label, so
// the middle of a long one is left out ("…") and the whole path is the tooltip; Path() is
// always the whole path.
class OstPagePathLabel : public CColorStatic {
public:
    explicit OstPagePathLabel(QWidget* parent = nullptr);
    void SetPath(const QString& path);
    const QString& Path() const { return path_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Elide();
    QString path_;
};
