#include "COstUI_PropertyPage.h"
#include "COstUI_PropertySheet.h"
#include "OstLanguageSelector.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// Records every call the sheet makes, in order.
class RecordingPage : public COstUI_PropertyPage {
public:
    RecordingPage(QStringList* log, QString name, int titleId = 0)
        : COstUI_PropertyPage(titleId, QSize(260, 160)), log_(log), name_(std::move(name)) {}

    bool OnInitDialog() override {
        Log(u"init");
        edit = new QLineEdit(this);
        button = new QPushButton(QStringLiteral("Save"), this);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(edit);
        layout->addWidget(button);
        return true;
    }
    bool OnSetActive() override {
        Log(u"active");
        return true;
    }
    bool OnKillActive() override {
        Log(u"kill");
        return mayLeave;
    }
    void OnOK() override { Log(u"ok"); }
    void OnCancel() override { Log(u"cancel"); }
    void ApplyTexts() override { Log(u"texts"); }

    QLineEdit* edit = nullptr;
    QPushButton* button = nullptr;
    bool mayLeave = true;

private:
    void Log(const char16_t* what) { *log_ << name_ + u':' + QString::fromUtf16(what); }
    QStringList* log_;
    QString name_;
};

// Pages as members, as the settings sheet holds them: they go before the sheet does.
class ThreePageSheet : public COstUI_PropertySheet {
public:
    explicit ThreePageSheet(QStringList* log)
        : COstUI_PropertySheet(327), a(log, u"a"_qs, 356), b(log, u"b"_qs, 371),
          c(log, u"c"_qs, 384) {
        AddPage(&a);
        AddPage(&b);
        AddPage(&c);
    }
    RecordingPage a, b, c;
};

void ClickTab(COstUI_PropertySheet& sheet, int index) {
    QTabBar* bar = sheet.GetTabControl()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
}

void Click(COstUI_PropertySheet& sheet, int id) {
    QTest::mouseClick(sheet.GetButton(id), Qt::LeftButton);
}

QString Text(std::uint16_t language, int number) {
    QString text;
    OstLanguageSelector::LoadStringInLanguage(language, number, text);
    return text;
}

} // namespace

TEST(SheetTest, PagesAreBuiltWhenFirstShownAndHearOnlyWhatConcernsThem) {
    QStringList log;
    auto sheet = std::make_unique<ThreePageSheet>(&log);
    sheet->show();
    EXPECT_EQ(log, (QStringList{u"a:init"_qs, u"a:active"_qs}));
    EXPECT_FALSE(sheet->b.IsCreated());
    EXPECT_FALSE(sheet->GetButton(COstUI_PropertySheet::ID_APPLY_NOW)->isEnabled());

    log.clear();
    ClickTab(*sheet, 1);
    EXPECT_EQ(log, (QStringList{u"a:kill"_qs, u"b:init"_qs, u"b:active"_qs}));

    sheet->b.SetModified();
    EXPECT_TRUE(sheet->GetButton(COstUI_PropertySheet::ID_APPLY_NOW)->isEnabled());
    log.clear();
    Click(*sheet, COstUI_PropertySheet::ID_APPLY_NOW);
    EXPECT_EQ(log, (QStringList{u"b:kill"_qs, u"a:ok"_qs, u"b:ok"_qs, u"b:active"_qs}))
        << "a page never shown is not applied";
    EXPECT_FALSE(sheet->GetButton(COstUI_PropertySheet::ID_APPLY_NOW)->isEnabled());
    EXPECT_TRUE(sheet->isVisible());

    // A page that refuses to be left keeps its tab.
    sheet->b.mayLeave = false;
    log.clear();
    ClickTab(*sheet, 0);
    EXPECT_EQ(log, QStringList{u"b:kill"_qs});
    EXPECT_EQ(sheet->GetTabControl()->currentIndex(), 1);
    EXPECT_EQ(sheet->GetActiveIndex(), 1);

    log.clear();
    Click(*sheet, COstUI_PropertySheet::IDCANCEL);
    EXPECT_EQ(log, (QStringList{u"a:cancel"_qs, u"b:cancel"_qs}));
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(sheet->result(), QDialog::Rejected);
    sheet.reset(); // member pages leave before the sheet: no calls into half-destroyed pages
    EXPECT_EQ(log, (QStringList{u"a:cancel"_qs, u"b:cancel"_qs}));
}

TEST(SheetTest, EnterAndEscNeitherApplyNorClose) {
    QStringList log;
    ThreePageSheet sheet(&log);
    sheet.SetActivePage(2);
    sheet.show();
    QApplication::setActiveWindow(&sheet);
    ASSERT_TRUE(sheet.c.IsCreated());
    log.clear();

    sheet.c.edit->setFocus();
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
        QTest::keyClick(sheet.c.edit, key);
    sheet.c.button->setFocus();
    QTest::keyClick(sheet.c.button, Qt::Key_Return);
    QTest::keyClick(sheet.c.button, Qt::Key_Escape);
    QPushButton* ok = sheet.GetButton(COstUI_PropertySheet::IDOK);
    ok->setFocus();
    QTest::keyClick(ok, Qt::Key_Return);
    QTest::keyClick(ok, Qt::Key_Enter);
    EXPECT_TRUE(log.isEmpty()) << log.join(u' ').toStdString();
    EXPECT_TRUE(sheet.isVisible());

    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(log, (QStringList{u"c:kill"_qs, u"c:ok"_qs}));
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
}

TEST(SheetTest, RequestedLeftEdgeAndButtonsInTheCorner) {
    QStringList log;
    auto place = [&log](int x, int y) {
        auto sheet = std::make_unique<ThreePageSheet>(&log);
        sheet->SetPosition(x, y);
        sheet->show();
        return sheet;
    };
    const auto unplaced = place(-1, -1);
    const auto placed = place(123, 0);
    const auto halfPlaced = place(123, -1);
    EXPECT_EQ(placed->frameGeometry().left(), 123);
    EXPECT_EQ(placed->frameGeometry().top(), unplaced->frameGeometry().top())
        << "only the left edge follows the request";
    EXPECT_EQ(halfPlaced->frameGeometry().topLeft(), unplaced->frameGeometry().topLeft());
    EXPECT_NE(unplaced->frameGeometry().left(), 123);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const auto nearEdge = place(screen.right() - 20, 0);
    EXPECT_EQ(nearEdge->frameGeometry().right(), screen.right()) << "kept on the screen";

    const QRect ok = placed->GetButton(COstUI_PropertySheet::IDOK)->geometry();
    const QRect cancel = placed->GetButton(COstUI_PropertySheet::IDCANCEL)->geometry();
    const QRect apply = placed->GetButton(COstUI_PropertySheet::ID_APPLY_NOW)->geometry();
    EXPECT_EQ(apply.right() + 1, placed->width() - 8);
    EXPECT_EQ(apply.bottom() + 1, placed->height() - 8);
    EXPECT_EQ(cancel.right() + 1 + 8, apply.left());
    EXPECT_EQ(ok.right() + 1 + 8, cancel.left());
    EXPECT_EQ(ok.size(), apply.size());
    EXPECT_EQ(cancel.size(), apply.size());
    EXPECT_EQ(ok.top(), apply.top());
    EXPECT_LT(placed->GetTabControl()->geometry().bottom(), ok.top());
    EXPECT_GE(placed->GetTabControl()->currentWidget()->width(), 260)
        << "the sheet fits the pages' declared size";
}

TEST(SheetTest, TabsAndButtonsFollowTheLanguage) {
    auto& selector = OstLanguageSelector::GetInstance();
    QStringList log;
    COstUI_PropertySheet about(448);
    RecordingPage page(&log, u"about"_qs);
    about.AddPage(&page);
    ThreePageSheet settings(&log);
    about.show();
    settings.show();
    selector.SetLanguage(OstLanguageSelector::Korean);
    log.clear();
    about.ApplyTexts();
    settings.ApplyTexts();
    const auto korean = OstLanguageSelector::Korean;
    EXPECT_EQ(about.windowTitle(), Text(korean, 448));
    EXPECT_EQ(about.GetPageTitle(0), about.windowTitle()) << "a lone tab reads as the caption";
    EXPECT_EQ(settings.GetPageTitle(2), Text(korean, 384));
    EXPECT_EQ(settings.GetButton(COstUI_PropertySheet::ID_APPLY_NOW)->text(), Text(korean, 452));
    EXPECT_EQ(log, (QStringList{u"about:texts"_qs, u"a:texts"_qs}))
        << "only pages that exist reload their texts";
    EXPECT_NE(Text(korean, 448), Text(OstLanguageSelector::English, 448));
    selector.SetLanguage(OstLanguageSelector::English);
}
