#include "CBitmapSlider.h"
#include "COstUI_StaticPicture.h"

#include <QAccessible>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "ShowActive.h"

namespace {

// The main dialog's zoom slider: vertical, 100 at the top to 200 at the bottom.
struct ZoomSlider {
    CBitmapSlider slider;
    int thumb = 0;

    ZoomSlider() {
        slider.setObjectName(u"1003"_qs);
        slider.SetBitmapChannel(229);
        slider.SetBitmapThumb(230, 231);
        slider.SetVertical(true);
        slider.SetRange(100, 200);
        slider.SetPageSize(10);
        slider.SetMargin(20, 2, 30, 1);
        slider.SetPos(200);
        thumb = QImage(u":/bitmaps/230"_qs).height();
    }
};

}  // namespace

TEST(BitmapSlider, ValueAndPixelMeetAtBothEnds) {
    ZoomSlider z;
    ASSERT_GT(z.thumb, 0);
    ASSERT_EQ(z.slider.size(), QImage(u":/bitmaps/229"_qs).size()) << "the channel sizes the control";
    const int height = z.slider.height();
    const int top = 2 + z.thumb / 2;
    const int bottom = height - 1 - z.thumb + z.thumb / 2;
    EXPECT_EQ(z.slider.ValueToPixel(100), top);
    EXPECT_EQ(z.slider.ValueToPixel(200), bottom);
    EXPECT_EQ(z.slider.PixelToValue(top), 100);
    EXPECT_EQ(z.slider.PixelToValue(bottom), 200);
    // Beyond the track the value stays in the range; SetPos clamps.
    EXPECT_EQ(z.slider.PixelToValue(-50), 100);
    EXPECT_EQ(z.slider.PixelToValue(height + 50), 200);
    z.slider.SetPos(250);
    EXPECT_EQ(z.slider.GetPos(), 200);
    // Larger values never sit above smaller ones.
    for (int v = 101; v <= 200; ++v)
        EXPECT_GE(z.slider.ValueToPixel(v), z.slider.ValueToPixel(v - 1));

    // An empty range or a track shorter than the thumb: no division by zero, one value.
    z.slider.SetRange(150, 150);
    EXPECT_EQ(z.slider.ValueToPixel(150), top);
    EXPECT_EQ(z.slider.PixelToValue(40), 150);
    z.slider.SetRange(100, 200);
    z.slider.SetMargin(20, 40, 30, 40);
    EXPECT_EQ(z.slider.PixelToValue(40), 100);
}

TEST(BitmapSlider, MouseJumpsOrKeepsTheOffsetAndReportsMovingThenMoved) {
    ZoomSlider z;
    ASSERT_TRUE(ShowActive(z.slider));
    QSignalSpy moving(&z.slider, &CBitmapSlider::moving);
    QSignalSpy moved(&z.slider, &CBitmapSlider::moved);

    // A press far from the thumb (now at the bottom) puts the thumb centre under the pointer.
    const int topPixel = z.slider.ValueToPixel(100);
    QTest::mousePress(&z.slider, Qt::LeftButton, {}, QPoint(25, topPixel));
    EXPECT_EQ(z.slider.GetPos(), 100);
    ASSERT_EQ(moving.count(), 1);
    EXPECT_EQ(moving.at(0).at(0).toInt(), 1003);
    EXPECT_EQ(moving.at(0).at(1).toInt(), 100);
    EXPECT_TRUE(z.slider.IsDragging());
    EXPECT_TRUE(z.slider.hasFocus());
    QTest::mouseRelease(&z.slider, Qt::LeftButton, {}, QPoint(25, topPixel));
    ASSERT_EQ(moved.count(), 1);
    EXPECT_EQ(moved.at(0).at(1).toInt(), 100);

    // A press on the thumb but off its centre keeps that offset while dragging.
    const int centre = z.slider.ValueToPixel(150);
    z.slider.SetPos(150);
    QTest::mousePress(&z.slider, Qt::LeftButton, {}, QPoint(25, centre + 2));
    EXPECT_EQ(z.slider.GetPos(), 150) << "pressing the thumb does not move it";
    QTest::mouseMove(&z.slider, QPoint(25, z.slider.ValueToPixel(180) + 2));
    EXPECT_EQ(z.slider.GetPos(), 180);
    QTest::mouseRelease(&z.slider, Qt::LeftButton, {}, QPoint(25, z.slider.ValueToPixel(180) + 2));
    EXPECT_EQ(moved.last().at(1).toInt(), 180);
}

TEST(BitmapSlider, KeysMoveAndReportMoved) {
    ZoomSlider z;
    z.slider.SetPos(150);
    QSignalSpy moved(&z.slider, &CBitmapSlider::moved);
    QTest::keyClick(&z.slider, Qt::Key_End);
    ASSERT_EQ(moved.count(), 1);
    EXPECT_EQ(moved.at(0).at(0).toInt(), 1003);
    EXPECT_EQ(moved.at(0).at(1).toInt(), 200);
    QTest::keyClick(&z.slider, Qt::Key_PageUp);
    EXPECT_EQ(z.slider.GetPos(), 190);
    QTest::keyClick(&z.slider, Qt::Key_Up);
    EXPECT_EQ(z.slider.GetPos(), 189);
    QTest::keyClick(&z.slider, Qt::Key_Home);
    EXPECT_EQ(z.slider.GetPos(), 100);
    QTest::keyClick(&z.slider, Qt::Key_Left);
    EXPECT_EQ(z.slider.GetPos(), 100) << "keys stay in the range";
    EXPECT_EQ(moved.count(), 5);

    // A screen reader sees a slider with its range and may set it like the keys do.
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&z.slider);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::Slider);
    ASSERT_NE(iface->valueInterface(), nullptr);
    EXPECT_EQ(iface->valueInterface()->currentValue().toInt(), 100);
    EXPECT_EQ(iface->valueInterface()->maximumValue().toInt(), 200);
    iface->valueInterface()->setCurrentValue(170);
    EXPECT_EQ(z.slider.GetPos(), 170);
    EXPECT_EQ(moved.last().at(1).toInt(), 170);
}

TEST(BitmapSlider, ADisabledSliderIgnoresTheMouse) {
    ZoomSlider z;
    z.slider.setEnabled(false);
    QSignalSpy moving(&z.slider, &CBitmapSlider::moving);
    QTest::mousePress(&z.slider, Qt::LeftButton, {}, QPoint(25, z.slider.ValueToPixel(100)));
    EXPECT_EQ(z.slider.GetPos(), 200);
    EXPECT_EQ(moving.count(), 0);
}

TEST(StaticPicture, LargePicturesShrinkToTheMaximumSmallOnesStayAMissingFileClears) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto write = [&](const QString& name, QSize size) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        const QString path = dir.filePath(name);
        EXPECT_TRUE(image.save(path, "JPG"));
        return path;
    };
    const QString big = write(u"big.jpg"_qs, {800, 600});
    const QString wide = write(u"wide.jpg"_qs, {1000, 100});
    const QString small = write(u"small.jpg"_qs, {320, 240});

    COstUI_StaticPicture picture;
    picture.resize(321, 241);
    EXPECT_EQ(picture.MaxSize(), QSize(640, 480));

    EXPECT_EQ(picture.LoadFromFile(big, false), 1);
    EXPECT_EQ(picture.ShownSize(), QSize(640, 480));
    EXPECT_EQ(picture.pixmap().deviceIndependentSize().toSize(), QSize(640, 480));
    // Too wide only: still the whole maximum, the aspect ratio is not kept.
    EXPECT_EQ(picture.LoadFromFile(wide, false), 1);
    EXPECT_EQ(picture.ShownSize(), QSize(640, 480));
    EXPECT_EQ(picture.LoadFromFile(small, false), 1);
    EXPECT_EQ(picture.ShownSize(), QSize(320, 240));
    // A control already the picture's size shows it as it is, even above the maximum.
    picture.resize(800, 600);
    EXPECT_EQ(picture.LoadFromFile(big, false), 1);
    EXPECT_EQ(picture.ShownSize(), QSize(800, 600));
    // The same file again with skip: nothing is read and the picture stays.
    EXPECT_EQ(picture.LoadFromFile(big, true), 0);
    EXPECT_EQ(picture.ShownSize(), QSize(800, 600));

    EXPECT_EQ(picture.LoadFromFile(dir.filePath(u"gone.jpg"_qs), false), -1);
    EXPECT_TRUE(picture.pixmap().isNull());
    EXPECT_TRUE(picture.ShownSize().isEmpty());

    // Resources: the about picture; an unknown one leaves the control as it was.
    EXPECT_TRUE(picture.LoadFromResource(260, u"JPG"_qs));
    EXPECT_FALSE(picture.pixmap().isNull());
    EXPECT_FALSE(picture.LoadFromResource(9999, u"JPG"_qs));
    EXPECT_FALSE(picture.pixmap().isNull());
}
