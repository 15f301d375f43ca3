#include "OstImageEffects.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

namespace {

QImage Picture(int w = 160, int h = 120) {
    QImage image(w, h, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, w, h);
    gradient.setColorAt(0, QColor(20, 40, 200));
    gradient.setColorAt(1, QColor(240, 200, 30));
    painter.fillRect(image.rect(), gradient);
    painter.fillRect(QRect(w / 8, h / 6, w / 4, h / 3), QColor(200, 30, 30));
    painter.setBrush(QColor(250, 250, 250));
    painter.drawEllipse(QPoint(w * 2 / 3, h / 2), w / 8, w / 8);
    painter.end();
    return image.convertToFormat(QImage::Format_RGB888);
}

// Mean absolute difference per channel.
double Difference(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int i = 0; i < 3 * a.width(); ++i)
            sum += std::abs(a.constScanLine(y)[i] - b.constScanLine(y)[i]);
    return sum / (3.0 * a.width() * a.height());
}

} // namespace

TEST(ImageEffects, EveryChoiceLooksDifferent) {
    const QImage original = Picture();
    std::vector<int> choices;
    for (int n = 0; n <= OstImageEffects::kLastFrame; ++n)
        choices.push_back(n);
    choices.push_back(OstImageEffects::kWaterColor);
    std::vector<QImage> results;
    for (int n : choices) {
        QImage image = original.copy();
        OstImageEffects::ApplyEffect(image, n, 0);
        EXPECT_EQ(image.size(), original.size());
        EXPECT_EQ(image.format(), QImage::Format_RGB888);
        if (n == 0)
            EXPECT_EQ(image, original);
        else
            EXPECT_GT(Difference(image, original), 3.0) << n;
        results.push_back(image);
    }
    for (size_t i = 0; i < results.size(); ++i)
        for (size_t j = i + 1; j < results.size(); ++j)
            EXPECT_GT(Difference(results[i], results[j]), 2.0)
                << choices[i] << " looks like " << choices[j];

    // Unknown numbers change nothing; 255 is resolved by the driver, not here.
    for (int n : {27, 47, 255, -3}) {
        QImage image = original.copy();
        OstImageEffects::ApplyEffect(image, n, 0);
        EXPECT_EQ(image, original) << n;
    }
}

TEST(ImageEffects, FramesAreLaidAroundTheVideo) {
    for (int frame = OstImageEffects::kFirstFrame; frame <= OstImageEffects::kLastFrame; ++frame) {
        const QImage picture = OstImageEffects::FramePicture(frame, QSize(320, 240));
        ASSERT_EQ(picture.size(), QSize(320, 240));
        EXPECT_EQ(qAlpha(picture.pixel(150, 110)), 0) << frame << ": the middle shows the video";
        int opaque = 0;
        for (int y = 0; y < 240; y += 2)
            for (int x = 0; x < 320; x += 2)
                opaque += qAlpha(picture.pixel(x, y)) == 255;
        EXPECT_GT(opaque, 100) << frame;
    }
    EXPECT_TRUE(OstImageEffects::FramePicture(17, QSize()).isNull());
    // Laying a frame over a picture of another size draws its picture afresh.
    QImage small = Picture(80, 60);
    QImage large = Picture(320, 240);
    OstImageEffects::ApplyEffect(small, 20, 0);
    OstImageEffects::ApplyEffect(large, 20, 0);
    EXPECT_EQ(small.pixelColor(1, 1), large.pixelColor(2, 2));
}

TEST(ImageEffects, ZoomCropsToTheCentre) {
    QImage image(160, 120, QImage::Format_RGB888);
    image.fill(Qt::black);
    // A white dot 20 pixels right of the centre moves to 40 at double size.
    for (int y = 59; y <= 61; ++y)
        for (int x = 99; x <= 101; ++x)
            image.setPixelColor(x, y, Qt::white);
    QImage same = image.copy();
    OstImageEffects::Zoom(same, 0);
    EXPECT_EQ(same, image);
    OstImageEffects::Zoom(image, 64);
    EXPECT_GT(qGray(image.pixel(120, 60)), 200);
    EXPECT_LT(qGray(image.pixel(100, 60)), 40);
    EXPECT_EQ(image.size(), QSize(160, 120));
}

TEST(ImageEffects, SensorControls) {
    const QImage original = Picture();
    QImage neutral = original.copy();
    OstImageEffects::ApplySensor(neutral, OstImageEffects::Sensor(), 0);
    EXPECT_EQ(neutral, original);

    // The manual values count only with their automatic switch off.
    OstImageEffects::Sensor sensor;
    sensor.exposure = 100000;
    sensor.redGain = 12000;
    sensor.bandwidth = 1;
    QImage automatic = original.copy();
    OstImageEffects::ApplySensor(automatic, sensor, 0);
    EXPECT_EQ(automatic, original);

    sensor.autoBandwidth = false;
    QImage coarse = original.copy();
    OstImageEffects::ApplySensor(coarse, sensor, 0);
    std::set<int> levels;
    for (int y = 0; y < coarse.height(); ++y)
        for (int i = 0; i < 3 * coarse.width(); ++i)
            levels.insert(coarse.constScanLine(y)[i]);
    EXPECT_EQ(levels, (std::set<int>{0, 255}));

    sensor = OstImageEffects::Sensor();
    sensor.autoWhiteBalance = false;
    sensor.redGain = 12000;
    sensor.blueGain = 8000;
    QImage warm = original.copy();
    OstImageEffects::ApplySensor(warm, sensor, 0);
    const QColor before = original.pixelColor(5, 100);
    const QColor after = warm.pixelColor(5, 100);
    EXPECT_GT(after.red(), before.red());
    EXPECT_LT(after.blue(), before.blue());
    EXPECT_EQ(after.green(), before.green());

    // Flicker bands move from frame to frame.
    sensor = OstImageEffects::Sensor();
    sensor.flicker60Hz = true;
    QImage first = original.copy();
    QImage second = original.copy();
    OstImageEffects::ApplySensor(first, sensor, 0);
    OstImageEffects::ApplySensor(second, sensor, 3);
    EXPECT_GT(Difference(first, original), 2.0);
    EXPECT_GT(Difference(first, second), 1.0);
}
