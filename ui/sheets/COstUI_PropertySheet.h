#pragma once

#include <QDialog>
#include <QList>

class COstUI_PropertyPage;
class QPushButton;
class QTabWidget;

// A modal tabbed sheet with OK (objectName "1"), Cancel ("2") and Apply ("12321") along
// its bottom right corner. Enter and Esc do nothing anywhere in the sheet, so a keystroke in
// an edit never applies or closes it; only the buttons and the window's close box do.
//
// Use: construct with the caption's string number, AddPage each page (a page that has no
// parent becomes the sheet's child; member pages of a derived sheet may be destroyed before
// the sheet), optionally SetPosition and SetActivePage, then DoModal. The sheet initialises
// itself the first time it is shown: OnInitDialog (ApplyTexts, the start page's widgets,
// size, position, buttons). See COstUI_PropertyPage for the calls each page receives.
class COstUI_PropertySheet : public QDialog {
    Q_OBJECT

public:
    static constexpr int IDOK = 1;
    static constexpr int IDCANCEL = 2;
    static constexpr int ID_APPLY_NOW = 12321;

    explicit COstUI_PropertySheet(int captionStringId, QWidget* parent = nullptr);
    ~COstUI_PropertySheet() override;

    void AddPage(COstUI_PropertyPage* page);
    int GetPageCount() const { return static_cast<int>(pages_.size()); }
    COstUI_PropertyPage* GetPage(int index) const;
    int GetActiveIndex() const;
    COstUI_PropertyPage* GetActivePage() const { return GetPage(GetActiveIndex()); }
    // Before the sheet is shown: the page it opens on. While shown: switches tabs, unless the
    // current page's OnKillActive refuses. False for an index out of range or a refusal.
    bool SetActivePage(int index);
    bool SetActivePage(COstUI_PropertyPage* page);

    int GetCaptionStringId() const { return captionStringId_; }
    void SetCaptionStringId(int id) { captionStringId_ = id; }

    // The requested left edge and top in screen coordinates; with either below 0 the sheet
    // opens where the window system puts it. When both are given, only the left edge moves,
    // and no further right than keeps the whole sheet on the screen.
    void SetPosition(int x, int y);
    int GetRequestedX() const { return x_; }
    int GetRequestedY() const { return y_; }

    // Runs the sheet modally; QDialog::Accepted after OK, QDialog::Rejected after Cancel.
    int DoModal();

    // Caption, button texts (450 OK, 451 Cancel, 452 Apply), tab titles from the pages'
    // title numbers, ApplyTexts of every created page; a one-page sheet's tab reads as the
    // caption. Derived sheets extend it; they need not call the pages again.
    virtual void ApplyTexts();

    void SetPageTitle(int index, const QString& title);
    QString GetPageTitle(int index) const;
    QPushButton* GetButton(int id) const;
    QTabWidget* GetTabControl() const { return tabs_; }

    // What the buttons do, also callable by the owner (a page cannot close the sheet itself).
    bool PressOK();
    bool PressApply();
    bool PressCancel();

    void setVisible(bool visible) override;
    void reject() override;
    void accept() override;

protected:
    // Runs once, before the first show. Derived sheets call the base first.
    virtual void OnInitDialog();
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class COstUI_PropertyPage;
    void PageDestroyed(COstUI_PropertyPage* page);
    void OnTabChanged(int index);
    bool ApplyAll();
    void UpdateApplyButton();
    void FitToPages();
    void PlaceControls();
    int LeftEdgeOnScreen(int x) const;

    QTabWidget* tabs_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* apply_ = nullptr;
    QList<COstUI_PropertyPage*> pages_;
    int captionStringId_ = 0;
    int x_ = -1;
    int y_ = -1;
    int startPage_ = 0;
    int activeIndex_ = -1;
    bool initialised_ = false;
    bool positioned_ = false;
    bool fitted_ = false;
    bool switching_ = false;
    bool tearingDown_ = false;
    bool filtering_ = false;
};
