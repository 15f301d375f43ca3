#include "OstPresenterChoices.h"
#include "OstPresenterZoom.h"

#include <gtest/gtest.h>

namespace {

void ExpectNear(const QPointF& got, const QPointF& want, double within = 1e-6) {
    EXPECT_NEAR(got.x(), want.x(), within);
    EXPECT_NEAR(got.y(), want.y(), within);
}

} // namespace

TEST(PresenterZoomTest, TheWholePictureFitsWithItsAspectAndBarsOnlyWhereTheShapesDiffer) {
    OstPresenterZoom zoom;
    // A 4:3 camera on a 16:9 screen: bars left and right, the full height used.
    zoom.SetSizes(QSizeF(800, 600), QSizeF(1920, 1080));
    EXPECT_DOUBLE_EQ(zoom.Scale(), 1.8);
    EXPECT_EQ(zoom.Target(), QRectF(240, 0, 1440, 1080));
    EXPECT_EQ(zoom.Source(), QRectF(0, 0, 800, 600));
    // A page turned sideways on the same screen.
    zoom.SetSizes(QSizeF(600, 800), QSizeF(1920, 1080));
    EXPECT_EQ(zoom.Target(), QRectF(555, 0, 810, 1080));
    // Nothing to show yet.
    zoom.SetSizes(QSizeF(), QSizeF(1920, 1080));
    EXPECT_TRUE(zoom.Target().isEmpty());
    EXPECT_TRUE(zoom.Source().isEmpty());
}

TEST(PresenterZoomTest, ZoomKeepsThePointUnderThePointerPansWithinThePictureAndFitsAgain) {
    OstPresenterZoom zoom;
    zoom.SetSizes(QSizeF(800, 600), QSizeF(1920, 1080));
    const QPointF pointer(700, 300);
    const QPointF under = zoom.ToFrame(pointer);
    zoom.ZoomAt(pointer, 3.0);
    EXPECT_DOUBLE_EQ(zoom.Zoom(), 3.0);
    ExpectNear(zoom.ToFrame(pointer), under);
    // Zoomed in, the picture covers the whole screen: no bars.
    EXPECT_EQ(zoom.Target(), QRectF(0, 0, 1920, 1080));
    // Dragging moves the picture with the pointer.
    const QPointF before = zoom.ToFrame(QPointF(960, 540));
    zoom.PanBy(QPointF(-54, 27));
    ExpectNear(zoom.ToFrame(QPointF(960, 540)), before + QPointF(10, -5));
    // No further than the picture's edge.
    zoom.PanBy(QPointF(100000, 100000));
    ExpectNear(zoom.ToView(QPointF(0, 0)), QPointF(0, 0));
    zoom.PanBy(QPointF(-100000, -100000));
    ExpectNear(zoom.ToView(QPointF(800, 600)), QPointF(1920, 1080));
    // From 1 to 8 times, whatever is asked.
    zoom.ZoomAt(pointer, 100);
    EXPECT_DOUBLE_EQ(zoom.Zoom(), OstPresenterZoom::kMaxZoom);
    EXPECT_NEAR(zoom.Source().width(), 1920 / (1.8 * 8), 1e-9);
    zoom.ZoomAt(pointer, 0.01);
    EXPECT_DOUBLE_EQ(zoom.Zoom(), 1.0);
    EXPECT_EQ(zoom.Target(), QRectF(240, 0, 1440, 1080));
    // A new screen size keeps the zoom; a new frame size starts from the whole picture.
    zoom.ZoomAt(pointer, 4.0);
    zoom.SetSizes(QSizeF(800, 600), QSizeF(1280, 1024));
    EXPECT_DOUBLE_EQ(zoom.Zoom(), 4.0);
    EXPECT_EQ(zoom.Target(), QRectF(0, 0, 1280, 1024));
    zoom.SetSizes(QSizeF(600, 800), QSizeF(1280, 1024));
    EXPECT_DOUBLE_EQ(zoom.Zoom(), 1.0);
}

TEST(PresenterScreenTest, TheProjectorIsTheScreenTheDialogIsNotOnUnlessAnotherWasChosen) {
    const QStringList two{u"eDP-1"_qs, u"HDMI-1"_qs};
    EXPECT_EQ(OstPresenterChoices::ChooseScreen(two, u"eDP-1"_qs, {}), 1);
    EXPECT_EQ(OstPresenterChoices::ChooseScreen(two, u"HDMI-1"_qs, {}), 0);
    // The user's choice holds while that screen is connected, even the dialog's own.
    EXPECT_EQ(OstPresenterChoices::ChooseScreen(two, u"eDP-1"_qs, u"eDP-1"_qs), 0);
    // A remembered projector that is away: the first other screen stands in.
    const QStringList three{u"eDP-1"_qs, u"DP-2"_qs, u"DP-3"_qs};
    EXPECT_EQ(OstPresenterChoices::ChooseScreen(three, u"eDP-1"_qs, u"HDMI-1"_qs), 1);
    // One screen: that one, whatever was remembered.
    EXPECT_EQ(OstPresenterChoices::ChooseScreen({u"eDP-1"_qs}, u"eDP-1"_qs, u"HDMI-1"_qs), 0);
    // The dialog not on any screen yet.
    EXPECT_EQ(OstPresenterChoices::ChooseScreen(two, {}, {}), 0);
    EXPECT_EQ(OstPresenterChoices::ChooseScreen({}, {}, {}), -1);
}
