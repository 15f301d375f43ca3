#pragma once

#include <QObject>

class QWidget;

// The main dialog for people who use the keyboard and a screen reader: every control named in
// the current language, keys for the commands (shown in their tooltips and announced with
// them), and a Tab order that reads as the layout does. The skinned controls draw their names
// as pictures, so nothing else would tell a screen reader what they are.
class OstMainDlgAccess : public QObject {
public:
    explicit OstMainDlgAccess(QWidget& dialog);

    // Names, descriptions and tooltips in the current language.
    void ApplyTexts();
    // The list toggle is named by what pressing it does.
    void SetListShown(bool shown);

private:
    QWidget* Control(int id) const;
    void DescribeSend();

    QWidget& dialog_;
    bool listShown_ = true;
};
