#pragma once

#include "IOstFriendChooser.h"

#include <QDialog>

class QProgressBar;

// "Getting Contact List": steps once per contact while the contacts report their online states.
class COstUI_Orbit_ContactListDlg : public QDialog, public IOstContactProgress {
    Q_OBJECT
public:
    static constexpr int kProgressId = 1100;

    explicit COstUI_Orbit_ContactListDlg(QWidget* parent = nullptr);

    void ApplyTexts();
    void SetRange(int low, int high);
    void SetPos(int position);
    int Pos() const;
    int Maximum() const;

    void Begin(int count) override;
    void Step(int done) override { SetPos(done); }
    void End() override;
    bool Counting() const override { return isVisible(); }

private:
    QProgressBar* progress_ = nullptr;
};
