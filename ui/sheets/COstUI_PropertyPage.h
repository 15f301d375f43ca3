#pragma once

#include <QSize>
#include <QWidget>

class COstUI_PropertySheet;

// One tab of a COstUI_PropertySheet. A page builds its widgets lazily: the sheet calls
// OnInitDialog the first time the page's tab is shown (or EnsureCreated does, for a page
// used on its own), so a five-page sheet only pays for the tabs the user opens.
//
// Order of calls made by the sheet:
//   first activation:   OnInitDialog, then OnSetActive
//   leaving the tab:    OnKillActive (false keeps the tab selected)
//   OK:                 OnKillActive of the active page, then OnApply of every created page,
//                       then the sheet closes (a page whose OnApply returns false is shown and
//                       the sheet stays open)
//   Apply:              as OK, but the sheet stays open, every page becomes unmodified and the
//                       active page gets OnSetActive again
//   Cancel, window X:   OnQueryCancel of the active page, then OnCancel of every created page
// Pages that were never shown get none of OnApply, OnCancel, OnKillActive.
class COstUI_PropertyPage : public QWidget {
    Q_OBJECT

public:
    // titleStringId: the tab title's string number (0: the sheet sets the title itself).
    // pageSize: the page's size before its widgets exist, used to size the sheet; an empty
    // size means "use sizeHint() once created".
    explicit COstUI_PropertyPage(int titleStringId = 0, QSize pageSize = {},
                                 QWidget* parent = nullptr);
    ~COstUI_PropertyPage() override;

    // (Re)sets the page's texts from the current language. Called by the sheet for created
    // pages on creation of the sheet and on language changes; pages call it at the end of
    // their OnInitDialog.
    virtual void ApplyTexts() {}

    // Builds the widgets once. Returns whether they exist (true after the first call).
    bool EnsureCreated();
    bool IsCreated() const { return created_; }

    // Marks the page changed (enables the sheet's Apply) or unchanged.
    void SetModified(bool changed = true);
    bool IsModified() const { return modified_; }

    COstUI_PropertySheet* GetSheet() const { return sheet_; }
    int GetTitleStringId() const { return titleStringId_; }
    void SetTitleStringId(int id) { titleStringId_ = id; }
    QSize GetPageSize() const;

    // The sheet's hooks; the defaults accept.
    virtual bool OnInitDialog() { return true; }
    virtual bool OnSetActive() { return true; }
    virtual bool OnKillActive() { return true; }
    // OK and Apply. The default calls OnOK.
    virtual bool OnApply();
    virtual void OnOK() {}
    virtual bool OnQueryCancel() { return true; }
    virtual void OnCancel() {}

signals:
    void modifiedChanged(bool modified);

private:
    friend class COstUI_PropertySheet;
    COstUI_PropertySheet* sheet_ = nullptr;
    int titleStringId_ = 0;
    QSize pageSize_;
    bool created_ = false;
    bool modified_ = false;
};
