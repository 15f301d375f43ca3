#pragma once

#include <QDialog>

class QProgressBar;

// "Getting Contact List": steps once per contact while the contacts report their online states.
class COstUI_Orbit_ContactListDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kProgressId = 1100;

    explicit COstUI_Orbit_ContactListDlg(QWidget* parent = nullptr);

    void ApplyTexts();
    void SetRange(int low, int high);
    void SetPos(int position);
    int Pos() const;
    int Maximum() const;

private:
    QProgressBar* progress_ = nullptr;
};
