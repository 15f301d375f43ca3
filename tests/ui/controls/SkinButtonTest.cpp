#include "CColorStatic.h"
#include "CxSkinButton.h"
#include "OstBitmap.h"

#include <QAccessible>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include "ShowActive.h"

namespace {

// Take Photo's skin: normal, down, over, disabled, mask.
constexpr int kSkin[] = {181, 182, 183, 184, 186};

QString AccessibleName(QWidget* widget) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    return iface ? iface->text(QAccessible::Name) : QString();
}

}  // namespace

TEST(SkinButton, RegionIsTheUnionOfTheMasksNonWhiteRuns) {
    QImage mask(6, 3, QImage::Format_RGB32);
    mask.fill(Qt::white);
    mask.setPixel(1, 0, qRgb(0, 0, 0));
    mask.setPixel(2, 0, qRgb(10, 10, 10));
    mask.setPixel(4, 0, qRgb(254, 255, 255));  // not white: belongs to the button
    for (int x = 0; x < 6; ++x)
        mask.setPixel(x, 2, qRgb(0, 0, 0));
    const QRegion region = CxSkinButton::RegionFromMask(mask);
    EXPECT_EQ(region, QRegion(1, 0, 2, 1) + QRegion(4, 0, 1, 1) + QRegion(0, 2, 6, 1));
    EXPECT_TRUE(CxSkinButton::RegionFromMask(QImage()).isEmpty());
}

// Clicks are delivered to the window, as a user's are, so the mask decides who gets them.
TEST(SkinButton, AClickOnAWhiteCornerFallsThroughToTheWidgetBelow) {
    const QImage mask = OstBitmap::LoadImage(kSkin[4]);
    ASSERT_FALSE(mask.isNull()) << "the pictures are not embedded";
    ASSERT_EQ(mask.pixel(0, 0) & 0xffffff, 0xffffffu) << "the mask's corner is expected to be white";

    QWidget window;
    window.resize(200, 120);
    QPushButton below(&window);
    below.setGeometry(0, 0, 200, 120);
    CxSkinButton button(&window);
    button.move(40, 30);
    button.SetSkin(kSkin[0], kSkin[1], kSkin[2], kSkin[3], kSkin[4]);
    button.raise();
    EXPECT_EQ(button.size(), mask.size());
    EXPECT_EQ(button.pos(), QPoint(40, 30));
    ASSERT_TRUE(ShowActive(window));

    QSignalSpy belowClicks(&below, &QPushButton::clicked);
    QSignalSpy buttonClicks(&button, &QPushButton::clicked);
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, QPoint(40, 30));
    EXPECT_EQ(belowClicks.count(), 1);
    EXPECT_EQ(buttonClicks.count(), 0);

    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, QPoint(40, 30) + button.rect().center());
    EXPECT_EQ(belowClicks.count(), 1);
    EXPECT_EQ(buttonClicks.count(), 1);
}

TEST(SkinButton, PressedWithoutADownBitmapShowsTheOverBitmap) {
    QWidget window;
    window.resize(160, 100);
    CxSkinButton button(&window);
    button.move(40, 40);  // away from the pointer
    button.SetSkin(kSkin[0], 0, kSkin[2], kSkin[3], kSkin[4]);
    ASSERT_TRUE(ShowActive(window));
    const QPoint probe(button.width() / 2, 3);  // on the face, clear of the glyph
    const QRgb normal = OstBitmap::LoadImage(kSkin[0]).pixel(probe);
    const QRgb over = OstBitmap::LoadImage(kSkin[2]).pixel(probe);
    ASSERT_NE(normal, over);
    ASSERT_FALSE(button.IsMouseOver());

    EXPECT_EQ(button.grab().toImage().pixel(probe), normal);
    QTest::mousePress(&button, Qt::LeftButton, {}, button.rect().center());
    EXPECT_EQ(button.grab().toImage().pixel(probe), over);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, button.rect().center());
    button.setEnabled(false);
    EXPECT_EQ(button.grab().toImage().pixel(probe), OstBitmap::LoadImage(kSkin[3]).pixel(probe));
}

TEST(SkinButton, CheckModesAndTheKeyboard) {
    QWidget window;
    CxSkinButton push(u"Push"_qs, &window);
    CxSkinButton toggle(u"Toggle"_qs, &window);
    CxSkinButton radioA(u"A"_qs, &window);
    CxSkinButton radioB(u"B"_qs, &window);
    toggle.SetCheckMode(CxSkinButton::CheckMode::Toggle);
    radioA.SetCheckMode(CxSkinButton::CheckMode::Radio);
    radioB.SetCheckMode(CxSkinButton::CheckMode::Radio);
    int x = 0;
    for (CxSkinButton* b : {&push, &toggle, &radioA, &radioB}) {
        b->setGeometry(x, 0, 50, 20);
        x += 60;
    }
    ASSERT_TRUE(ShowActive(window));

    // Push buttons never become checked.
    push.setChecked(true);
    QTest::mouseClick(&push, Qt::LeftButton);
    EXPECT_FALSE(push.isChecked());

    // Toggle: a click and Space each switch it.
    QTest::mouseClick(&toggle, Qt::LeftButton);
    EXPECT_TRUE(toggle.isChecked());
    toggle.setFocus();
    QTest::keyClick(&toggle, Qt::Key_Space);
    EXPECT_FALSE(toggle.isChecked());

    // Radio: a click sets it and clears the other; clicking it again keeps it set.
    QTest::mouseClick(&radioA, Qt::LeftButton);
    QTest::mouseClick(&radioB, Qt::LeftButton);
    EXPECT_FALSE(radioA.isChecked());
    EXPECT_TRUE(radioB.isChecked());
    QTest::mouseClick(&radioB, Qt::LeftButton);
    EXPECT_TRUE(radioB.isChecked());

    // Every skin button is on the Tab chain.
    push.setFocus();
    QTest::keyClick(&push, Qt::Key_Tab);
    EXPECT_TRUE(toggle.hasFocus());

    // Switch: a click only asks; the owner's state stands and is shown by the normal face.
    CxSkinButton mirror(&window);
    mirror.SetSkin(kSkin[0], kSkin[1], kSkin[2], kSkin[3], kSkin[4]);
    mirror.SetCheckMode(CxSkinButton::CheckMode::Switch);
    mirror.show();
    int asked = 0;
    QObject::connect(&mirror, &QAbstractButton::clicked, [&] { ++asked; });
    QTest::mouseClick(&mirror, Qt::LeftButton, {}, mirror.rect().center());
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(mirror.isChecked());
    mirror.setChecked(true);
    QTest::mouseClick(&mirror, Qt::LeftButton, {}, mirror.rect().center());
    EXPECT_TRUE(mirror.isChecked());
    // Checked, it does not wear the pressed face a checked toggle wears.
    const QImage asSwitch = mirror.grab().toImage();
    mirror.SetCheckMode(CxSkinButton::CheckMode::Toggle);
    mirror.setChecked(true);
    EXPECT_NE(mirror.grab().toImage(), asSwitch);
}

TEST(SkinButton, ImageButtonsAreNamedByTheirTooltipTextButtonsByTheirText) {
    QWidget window;
    CxSkinButton image(&window);
    image.SetSkin(kSkin[0], kSkin[1], kSkin[2], kSkin[3], kSkin[4]);
    image.SetToolTipText(u"Take Photo"_qs);
    CxSkinButton text(u"&Setting"_qs, &window);
    text.SetSkin(193, 194, 195, 196, 198);
    text.SetToolTipText(u"Opens the settings"_qs);
    CColorStatic label(&window);
    label.setText(u"Send To"_qs);
    ASSERT_TRUE(ShowActive(window));

    EXPECT_EQ(AccessibleName(&image), u"Take Photo"_qs);
    EXPECT_EQ(AccessibleName(&text), u"Setting"_qs);
    EXPECT_EQ(AccessibleName(&label), u"Send To"_qs);
    // A changed tooltip renames the image button; the keys are the tooltip's, not the name's.
    image.SetToolTipText(u"Photo"_qs, QKeySequence(Qt::CTRL | Qt::Key_T));
    EXPECT_EQ(AccessibleName(&image), u"Photo"_qs);
    EXPECT_EQ(image.toolTip(), u"Photo (Ctrl+T)"_qs);
}
