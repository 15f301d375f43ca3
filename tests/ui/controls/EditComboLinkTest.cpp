#include "CComboBoxSuper.h"
#include "CHMXEdit.h"
#include "CXHyperLink.h"
#include "OstBitmap.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "ShowActive.h"

TEST(HMXEdit, ASelectOnlyEditIgnoresTypingPasteAndTheRightButtonButSelects) {
    QWidget window;
    CHMXEdit edit(&window);
    edit.setGeometry(10, 10, 120, 22);
    edit.setText(u"150%"_qs);
    edit.SetEditable(false);
    ASSERT_TRUE(ShowActive(window));
    edit.setFocus();
    QSignalSpy edited(&edit, &QLineEdit::textEdited);

    QTest::keyClicks(&edit, u"99"_qs);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClick(&edit, Qt::Key_Delete);
    QApplication::clipboard()->setText(u"77"_qs);
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), u"150%"_qs);
    EXPECT_EQ(edited.count(), 0);

    // A right click brings up no menu (one that did appear is closed again, so the test ends).
    bool menuShown = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            menuShown = true;
            popup->close();
        }
    });
    closer.start(20);
    QTest::mouseClick(window.windowHandle(), Qt::RightButton, {}, edit.geometry().center());
    QTest::qWait(100);
    EXPECT_FALSE(menuShown);

    // Selecting works, by keyboard and by mouse.
    QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(edit.selectedText(), u"150%"_qs);
    edit.deselect();
    QTest::mouseDClick(&edit, Qt::LeftButton, {}, QPoint(8, edit.height() / 2));
    EXPECT_TRUE(edit.hasSelectedText());

    // Editable again, the same keys edit.
    edit.SetEditable(true);
    edit.selectAll();
    QTest::keyClicks(&edit, u"120"_qs);
    EXPECT_EQ(edit.text(), u"120"_qs);
}

TEST(HMXEdit, FocusedColoursWhileFocusedTooltipOnlyWhileActive) {
    QWidget window;
    CHMXEdit edit(&window);
    CHMXEdit other(&window);
    other.move(0, 40);
    edit.SetTextColor(Qt::black);
    edit.SetBkColor(Qt::white);
    edit.SetTextFocusColor(Qt::white);
    edit.SetBkFocusColor(Qt::darkBlue);
    edit.SetToolTipText(u"Only at some resolutions"_qs);
    ASSERT_TRUE(ShowActive(window));

    other.setFocus();
    EXPECT_EQ(edit.palette().color(QPalette::Base), QColor(Qt::white));
    edit.setFocus();
    EXPECT_EQ(edit.palette().color(QPalette::Base), QColor(Qt::darkBlue));
    EXPECT_EQ(edit.palette().color(QPalette::Text), QColor(Qt::white));

    EXPECT_TRUE(edit.toolTip().isEmpty());
    edit.ActivateToolTip(true);
    EXPECT_EQ(edit.toolTip(), u"Only at some resolutions"_qs);
    edit.ActivateToolTip(false);
    EXPECT_TRUE(edit.toolTip().isEmpty());
}

TEST(ComboBoxSuper, HiddenColumnTextsStayWithTheirItemsThroughResetColumns) {
    CComboBoxSuper combo;
    EXPECT_EQ(combo.GetColumnCount(), 100);
    EXPECT_EQ(combo.GetColumnWidth(99), 50);
    combo.addItem(u"Select A Friend"_qs);
    combo.addItem(u"Ann Lee"_qs);
    combo.addItem(u"Bo Park"_qs);
    combo.addItem(u"Cy Chen"_qs);
    combo.SetItemText(1, 1, u"ann.lee"_qs);
    combo.SetItemText(2, 1, u"bo.park"_qs);
    combo.SetItemText(3, 1, u"cy.chen"_qs);
    combo.SetItemImage(2, 1);
    combo.SetItemBold(3, true);

    combo.ResetColumns();
    combo.SetColumnWidth(0, 100);
    EXPECT_EQ(combo.GetColumnCount(), 1);
    EXPECT_EQ(combo.GetColumnWidth(0), 100);
    EXPECT_EQ(combo.GetItemText(1, 1), u"ann.lee"_qs);
    EXPECT_EQ(combo.GetItemText(2, 1), u"bo.park"_qs);
    EXPECT_EQ(combo.GetItemText(0, 1), QString()) << "an item without a record has no column texts";
    EXPECT_EQ(combo.GetItemText(2, 0), u"Bo Park"_qs);

    // Records go with their items when others are removed; setting one field keeps the rest.
    combo.removeItem(1);
    EXPECT_EQ(combo.GetItemText(1, 1), u"bo.park"_qs);
    EXPECT_EQ(combo.GetItemImage(1), 1);
    EXPECT_EQ(combo.GetItemText(2, 1), u"cy.chen"_qs);
    EXPECT_TRUE(combo.GetItemBold(2));
    combo.SetItemColor(2, Qt::red);
    EXPECT_EQ(combo.GetItemText(2, 1), u"cy.chen"_qs);
    // Out of range: nothing happens, nothing is found.
    combo.SetItemText(7, 1, u"x"_qs);
    EXPECT_EQ(combo.GetItemText(7, 1), QString());
    EXPECT_EQ(combo.GetItemImage(7), -1);
}

TEST(ComboBoxSuper, TheStatusStripSplitsIntoSevenImagesWithTheYellowCleared) {
    const QList<QPixmap> images = OstBitmap::Strip(245, 16, QColor(255, 255, 0));
    ASSERT_EQ(images.size(), 7);
    for (const QPixmap& image : images) {
        ASSERT_EQ(image.size(), QSize(16, 16));
        const QImage pixels = image.toImage();
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                ASSERT_NE(pixels.pixel(x, y), qRgb(255, 255, 0));
    }
    EXPECT_EQ(images[1].toImage().pixelColor(0, 0).alpha(), 0) << "the corner was mask colour";
}

TEST(HyperLink, OpensWithTheDesktopTurnsVisitedAndHovers) {
    QWidget window;
    CXHyperLink link(&window);
    link.setObjectName(u"5001"_qs);
    link.setText(u"www.example.com"_qs);
    link.SetURL(u"https://www.example.com/"_qs);
    link.SetNotifyParent(true);
    link.setGeometry(40, 40, 160, 20);  // away from the pointer
    window.resize(240, 100);
    QList<QUrl> opened;
    bool succeed = false;
    link.SetOpener([&](const QUrl& url) {
        opened << url;
        return succeed;
    });
    QSignalSpy clicked(&link, &CXHyperLink::clicked);
    ASSERT_TRUE(ShowActive(window));

    ASSERT_FALSE(link.IsHovering());
    EXPECT_EQ(link.CurrentColour(), QColor(0, 0, 0xEE));
    QTest::mouseClick(&link, Qt::LeftButton);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], QUrl(u"https://www.example.com/"_qs));
    EXPECT_FALSE(link.GetVisited()) << "a failed open does not mark the link visited";
    succeed = true;
    link.setFocus();
    QTest::keyClick(&link, Qt::Key_Return);
    EXPECT_TRUE(link.GetVisited());
    EXPECT_EQ(link.CurrentColour(), QColor(0x55, 0x1A, 0x8B));
    ASSERT_EQ(clicked.count(), 2);
    EXPECT_EQ(clicked.at(0).at(0).toInt(), 5001);

    // Pointed at: the hover colour and an underline; left: back again.
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&link, &enter);
    EXPECT_EQ(link.CurrentColour(), QColor(0xFF, 0, 0));
    EXPECT_TRUE(link.font().underline());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&link, &leave);
    EXPECT_FALSE(link.font().underline());
    EXPECT_EQ(link.CurrentColour(), QColor(0x55, 0x1A, 0x8B));
}
