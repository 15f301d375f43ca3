#pragma once

#include <QObject>
#include <QString>

class QWidget;

// Every message box of the program: one look (titled "Orbit", its buttons in the current
// language rather than Qt's English words) and one place where the controller and the tests
// see what the user was told or asked. Each box is modal and returns when it is closed; a box
// shown for a string carries the string's number as its object name.
class OstMessages : public QObject {
    Q_OBJECT
public:
    static OstMessages& Instance();

    // With an OK button. parent: the window the box belongs over, or none.
    void Tell(int stringId, QWidget* parent);
    void TellText(const QString& text, QWidget* parent);
    // With Yes and No, No the default; true for Yes.
    bool Ask(int stringId, QWidget* parent);

signals:
    // A box is about to be shown with this text.
    void shown(const QString& text);

private:
    OstMessages() = default;
    int Show(const QString& text, const QString& name, bool question, QWidget* parent);
};
