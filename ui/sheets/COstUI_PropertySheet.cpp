#include "COstUI_PropertySheet.h"

#include "COstUI_PropertyPage.h"
#include "OstLanguageSelector.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>

#include <algorithm>
#include <initializer_list>

namespace {
constexpr int kMargin = 8;
constexpr int kMinButtonWidth = 75;
constexpr int kMinButtonHeight = 23;

// The three buttons share one size, wide enough for the longest text of the language.
QSize ButtonSize(std::initializer_list<QPushButton*> buttons) {
    QSize size(kMinButtonWidth, kMinButtonHeight);
    for (QPushButton* button : buttons)
        size = size.expandedTo(button->sizeHint());
    return size;
}
} // namespace

COstUI_PropertySheet::COstUI_PropertySheet(int captionStringId, QWidget* parent)
    : QDialog(parent), captionStringId_(captionStringId) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("12320"));
    auto makeButton = [this](int id) {
        auto* button = new QPushButton(this);
        button->setObjectName(QString::number(id));
        // Enter must never press a button; the sheet swallows it anyway, this keeps Qt's
        // default-button frame from suggesting otherwise.
        button->setAutoDefault(false);
        return button;
    };
    ok_ = makeButton(IDOK);
    cancel_ = makeButton(IDCANCEL);
    apply_ = makeButton(ID_APPLY_NOW);
    apply_->setEnabled(false);
    connect(ok_, &QPushButton::clicked, this, [this] { PressOK(); });
    connect(cancel_, &QPushButton::clicked, this, [this] { PressCancel(); });
    connect(apply_, &QPushButton::clicked, this, [this] { PressApply(); });
    connect(tabs_, &QTabWidget::currentChanged, this, &COstUI_PropertySheet::OnTabChanged);
}

COstUI_PropertySheet::~COstUI_PropertySheet() {
    tearingDown_ = true;
    if (filtering_)
        qApp->removeEventFilter(this);
    disconnect(tabs_, nullptr, this, nullptr);
    for (COstUI_PropertyPage* page : pages_) {
        page->sheet_ = nullptr;
        disconnect(page, nullptr, this, nullptr);
    }
}

void COstUI_PropertySheet::AddPage(COstUI_PropertyPage* page) {
    if (page == nullptr || pages_.contains(page))
        return;
    page->sheet_ = this;
    pages_.append(page);
    const QSize declared = page->GetPageSize();
    if (declared.isValid())
        page->setMinimumSize(declared);
    switching_ = true; // adding the first tab selects it; that is not an activation
    tabs_->addTab(page, QString());
    switching_ = false;
    connect(page, &COstUI_PropertyPage::modifiedChanged, this,
            &COstUI_PropertySheet::UpdateApplyButton);
    if (initialised_)
        ApplyTexts();
}

COstUI_PropertyPage* COstUI_PropertySheet::GetPage(int index) const {
    return index >= 0 && index < pages_.size() ? pages_[index] : nullptr;
}

int COstUI_PropertySheet::GetActiveIndex() const {
    return initialised_ ? activeIndex_ : startPage_;
}

bool COstUI_PropertySheet::SetActivePage(int index) {
    if (index < 0 || index >= pages_.size())
        return false;
    if (!initialised_) {
        startPage_ = index;
        return true;
    }
    if (index == activeIndex_)
        return true;
    tabs_->setCurrentIndex(index);
    return activeIndex_ == index;
}

bool COstUI_PropertySheet::SetActivePage(COstUI_PropertyPage* page) {
    return SetActivePage(static_cast<int>(pages_.indexOf(page)));
}

void COstUI_PropertySheet::SetPosition(int x, int y) {
    x_ = x;
    y_ = y;
}

int COstUI_PropertySheet::DoModal() {
    return exec();
}

void COstUI_PropertySheet::ApplyTexts() {
    auto* selector = &OstLanguageSelector::GetInstance();
    const QString caption = selector->GetString(captionStringId_);
    setWindowTitle(caption);
    ok_->setText(selector->GetString(450));
    cancel_->setText(selector->GetString(451));
    apply_->setText(selector->GetString(452));
    for (int i = 0; i < pages_.size(); ++i) {
        if (pages_[i]->GetTitleStringId() != 0)
            tabs_->setTabText(i, selector->GetString(pages_[i]->GetTitleStringId()));
    }
    for (COstUI_PropertyPage* page : pages_) {
        if (page->IsCreated())
            page->ApplyTexts();
    }
    if (pages_.size() == 1)
        tabs_->setTabText(0, caption);
    if (initialised_)
        PlaceControls();
}

void COstUI_PropertySheet::SetPageTitle(int index, const QString& title) {
    if (index >= 0 && index < pages_.size())
        tabs_->setTabText(index, title);
}

QString COstUI_PropertySheet::GetPageTitle(int index) const {
    return tabs_->tabText(index);
}

QPushButton* COstUI_PropertySheet::GetButton(int id) const {
    switch (id) {
    case IDOK:
        return ok_;
    case IDCANCEL:
        return cancel_;
    case ID_APPLY_NOW:
        return apply_;
    default:
        return nullptr;
    }
}

bool COstUI_PropertySheet::ApplyAll() {
    COstUI_PropertyPage* active = GetActivePage();
    if (active != nullptr && active->IsCreated() && !active->OnKillActive())
        return false;
    for (int i = 0; i < pages_.size(); ++i) {
        COstUI_PropertyPage* page = pages_[i];
        if (!page->IsCreated())
            continue;
        if (!page->OnApply()) {
            SetActivePage(i);
            return false;
        }
    }
    for (COstUI_PropertyPage* page : pages_)
        page->SetModified(false);
    return true;
}

bool COstUI_PropertySheet::PressOK() {
    if (!ApplyAll())
        return false;
    QDialog::done(Accepted);
    return true;
}

bool COstUI_PropertySheet::PressApply() {
    if (!ApplyAll())
        return false;
    if (COstUI_PropertyPage* active = GetActivePage(); active != nullptr && active->IsCreated())
        active->OnSetActive();
    return true;
}

bool COstUI_PropertySheet::PressCancel() {
    COstUI_PropertyPage* active = GetActivePage();
    if (active != nullptr && active->IsCreated() && !active->OnQueryCancel())
        return false;
    for (COstUI_PropertyPage* page : pages_) {
        if (page->IsCreated())
            page->OnCancel();
    }
    QDialog::done(Rejected);
    return true;
}

void COstUI_PropertySheet::reject() {
    // The window's close box; Esc never gets here (see eventFilter).
    PressCancel();
}

void COstUI_PropertySheet::accept() {
    PressOK();
}

void COstUI_PropertySheet::setVisible(bool visible) {
    if (visible && !initialised_)
        OnInitDialog();
    QDialog::setVisible(visible);
}

void COstUI_PropertySheet::OnInitDialog() {
    initialised_ = true;
    ApplyTexts();
    if (startPage_ >= pages_.size())
        startPage_ = 0;
    activeIndex_ = -1;
    if (!pages_.isEmpty()) {
        switching_ = true;
        tabs_->setCurrentIndex(startPage_);
        switching_ = false;
        activeIndex_ = startPage_;
        COstUI_PropertyPage* page = pages_[activeIndex_];
        page->EnsureCreated();
        page->OnSetActive();
    }
    FitToPages();
}

void COstUI_PropertySheet::showEvent(QShowEvent* event) {
    QDialog::showEvent(event); // places the window where the window system would
    if (!positioned_) {
        positioned_ = true;
        // The window is not mapped yet, so this move is never seen as a jump.
        if (x_ >= 0 && y_ >= 0)
            move(LeftEdgeOnScreen(x_), pos().y());
    }
    if (!filtering_) {
        filtering_ = true;
        qApp->installEventFilter(this);
    }
}

int COstUI_PropertySheet::LeftEdgeOnScreen(int x) const {
    // A requested edge near the screen's right side would push the buttons off the screen,
    // and with Enter and Esc swallowed the sheet could then not be closed from the keyboard.
    QScreen* target = QGuiApplication::screenAt(QPoint(x, pos().y()));
    if (target == nullptr)
        target = screen();
    if (target == nullptr)
        return x;
    const QRect area = target->availableGeometry();
    const int width = frameGeometry().width();
    return std::max(area.left(), std::min(x, area.left() + area.width() - width));
}

void COstUI_PropertySheet::hideEvent(QHideEvent* event) {
    if (filtering_) {
        filtering_ = false;
        qApp->removeEventFilter(this);
    }
    QDialog::hideEvent(event);
}

bool COstUI_PropertySheet::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease ||
        event->type() == QEvent::ShortcutOverride) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && widget->window() == this) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape)
                return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void COstUI_PropertySheet::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    PlaceControls();
}

void COstUI_PropertySheet::OnTabChanged(int index) {
    if (switching_ || tearingDown_ || !initialised_ || index == activeIndex_)
        return;
    COstUI_PropertyPage* old = GetPage(activeIndex_);
    if (old != nullptr && old->IsCreated() && !old->OnKillActive()) {
        switching_ = true;
        tabs_->setCurrentIndex(activeIndex_);
        switching_ = false;
        return;
    }
    activeIndex_ = index;
    COstUI_PropertyPage* page = GetPage(index);
    if (page == nullptr)
        return;
    const bool fresh = !page->IsCreated();
    page->EnsureCreated();
    if (fresh)
        FitToPages();
    page->OnSetActive();
}

void COstUI_PropertySheet::UpdateApplyButton() {
    bool any = false;
    for (const COstUI_PropertyPage* page : pages_)
        any = any || page->IsModified();
    apply_->setEnabled(any);
}

void COstUI_PropertySheet::PageDestroyed(COstUI_PropertyPage* page) {
    // A derived sheet's member pages go before the sheet: stop reacting to the tab widget,
    // whose selection moves as they leave.
    tearingDown_ = true;
    pages_.removeAll(page);
}

void COstUI_PropertySheet::FitToPages() {
    QSize content(0, 0);
    for (COstUI_PropertyPage* page : pages_) {
        const QSize size = page->GetPageSize();
        if (size.isValid()) {
            page->setMinimumSize(size);
            content = content.expandedTo(size);
        }
    }
    const QSize tabSize = tabs_->sizeHint().expandedTo(tabs_->minimumSizeHint());
    const QSize button = ButtonSize({ok_, cancel_, apply_});
    const int width = std::max(tabSize.width(), 3 * button.width() + 2 * kMargin) + 2 * kMargin;
    const int height = tabSize.height() + button.height() + 3 * kMargin;
    QSize wanted(width, height);
    if (fitted_)
        wanted =
            wanted.expandedTo(size()); // a later, larger page grows the sheet, never shrinks it
    fitted_ = true;
    setFixedSize(wanted);
    PlaceControls();
}

void COstUI_PropertySheet::PlaceControls() {
    const QSize button = ButtonSize({ok_, cancel_, apply_});
    const int w = button.width();
    const int h = button.height();
    const int cw = width();
    const int ch = height();
    const int y = ch - h - kMargin;
    apply_->setGeometry(cw - w - kMargin, y, w, h);
    cancel_->setGeometry(cw - 2 * w - 2 * kMargin, y, w, h);
    ok_->setGeometry(cw - 3 * w - 3 * kMargin, y, w, h);
    tabs_->setGeometry(kMargin, kMargin, cw - 2 * kMargin, y - 2 * kMargin);
    for (QPushButton* b : {ok_, cancel_, apply_})
        b->show();
}
