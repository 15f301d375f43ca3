#include "COstUI_PropertyPage.h"

#include "COstUI_PropertySheet.h"

COstUI_PropertyPage::COstUI_PropertyPage(int titleStringId, QSize pageSize, QWidget* parent)
    : QWidget(parent), titleStringId_(titleStringId), pageSize_(pageSize) {}

COstUI_PropertyPage::~COstUI_PropertyPage() {
    if (sheet_ != nullptr)
        sheet_->PageDestroyed(this);
}

bool COstUI_PropertyPage::EnsureCreated() {
    if (!created_) {
        // Set first so that a page whose OnInitDialog shows itself is not built twice.
        created_ = true;
        OnInitDialog();
    }
    return created_;
}

void COstUI_PropertyPage::SetModified(bool changed) {
    if (modified_ == changed)
        return;
    modified_ = changed;
    emit modifiedChanged(changed);
}

QSize COstUI_PropertyPage::GetPageSize() const {
    if (pageSize_.isValid() && !pageSize_.isEmpty())
        return pageSize_;
    return created_ ? sizeHint().expandedTo(minimumSize()) : QSize();
}

bool COstUI_PropertyPage::OnApply() {
    OnOK();
    return true;
}
