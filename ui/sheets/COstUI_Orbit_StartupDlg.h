#pragma once

#include <QDialog>

class QLabel;

// The small window shown while the program builds its parts at start-up.
class COstUI_Orbit_StartupDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTextId = 1300;

    explicit COstUI_Orbit_StartupDlg(QWidget* parent = nullptr);

    // "Orbit is Starting Up..." in the current language.
    void ApplyTexts();
    QString Text() const;

private:
    QLabel* text_ = nullptr;
};
