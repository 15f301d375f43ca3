#include "WebcamTestSupport.h"

#include "OstCameraProperty.h"
#include "OstWebcamOrbit.h"

#include <QDir>

#include <cmath>
#include <vector>

namespace P = OstCameraProperty;

namespace {

double Difference(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_RGB888);
    const QImage y = b.convertToFormat(QImage::Format_RGB888);
    if (x.size() != y.size())
        return 1e9;
    double sum = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int i = 0; i < 3 * x.width(); ++i)
            sum += std::abs(x.constScanLine(row)[i] - y.constScanLine(row)[i]);
    return sum / (3.0 * x.width() * x.height());
}

} // namespace

// Every property on the simulated camera's live video, frames compared before and after.
class SimulatedVideoTest : public SimulatedCameraTest {
protected:
    void SetUp() override {
        device_.Init(path_, QString());
        device_.SetOwnerWindow(&owner_);
        device_.SetVideoWindow(&window_);
        ASSERT_TRUE(device_.Attach());
        ASSERT_TRUE(device_.CreateGraph());
        device_.Graph()->ChangeResolution(24, 320, 240);
        ASSERT_EQ(device_.Run(), GraphState::Running);
        ASSERT_TRUE(SetCameraProperty(&device_, P::RestoreFactory, 0));
    }
    void TearDown() override { device_.Close(); }

    // A frame that left the camera after every change made so far.
    QImage Fresh() {
        const QImage frame = window_.WaitForFrames(3);
        EXPECT_FALSE(frame.isNull());
        return frame;
    }
    void Set(std::uint32_t id, std::int32_t value) {
        ASSERT_TRUE(SetCameraProperty(&device_, id, value)) << id << " = " << value;
    }
    // Optional pictures of each step, for a look by eye.
    void Keep(const QImage& frame, const QString& name) {
        const QString folder = qEnvironmentVariable("ORBIT_CAMERA_FRAMES");
        if (!folder.isEmpty() && QDir().mkpath(folder))
            frame.save(folder + u'/' + name + u".png"_qs);
    }

    RecordingOwner owner_;
    RecordingWindow window_{QRect(0, 0, 320, 240)};
    OstWebcamOrbit device_;
};

TEST_F(SimulatedVideoTest, EveryImageControlChangesTheVideo) {
    struct Change {
        std::uint32_t id;
        std::int32_t value;
        std::vector<std::pair<std::uint32_t, std::int32_t>> first; // settings it depends on
    };
    const std::vector<Change> changes{
        {P::Mirror, 1, {}},
        {P::Flip, 1, {}},
        {P::Brightness, 60, {}},
        {P::Brightness, 5, {}},
        {P::Contrast, 20000, {}},
        {P::Gamma, 9000, {}},
        {P::Hue, 900000, {}},
        {P::Saturation, 0, {}},
        {P::Saturation, 29900, {}},
        {P::Sharpness, 79900, {}},
        {P::Sharpness, 0, {}},
        {P::AutoBandwidth, 0, {{P::Bandwidth, 2}}},
        {P::Bandwidth, 2, {{P::AutoBandwidth, 0}}},
        {P::AutoExposure, 0, {{P::Exposure, 400000}}},
        {P::Exposure, 2550000, {{P::AutoExposure, 0}}},
        {P::AutoWhiteBalance, 0, {{P::RedGain, 12000}}},
        {P::RedGain, 12000, {{P::AutoWhiteBalance, 0}}},
        {P::GreenGain, 8000, {{P::AutoWhiteBalance, 0}}},
        {P::BlueGain, 12000, {{P::AutoWhiteBalance, 0}}},
        {P::Indoor, 0, {}},
        {P::Flicker60Hz, 1, {}},
        {P::BacklightCompensation, 1, {}},
        {P::LowLight, 1, {}},
        {P::Zoom, 32, {}},
        {P::BlackAndWhite, 1, {}},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(testing::Message() << "property " << change.id << " = " << change.value);
        Set(P::RestoreFactory, 0);
        for (const auto& [id, value] : change.first)
            Set(id, value);
        const QImage before = Fresh();
        Set(change.id, change.value);
        const QImage after = Fresh();
        EXPECT_GT(Difference(before, after), 2.0);
        Keep(after,
             u"property-"_qs + QString::number(change.id) + u'-' + QString::number(change.value));
    }

    // The snapshot size is the camera's photo size: the video stays as it is.
    Set(P::RestoreFactory, 0);
    const QImage plain = Fresh();
    Keep(plain, u"factory"_qs);
    Set(P::SnapshotSize, 3);
    EXPECT_LT(Difference(plain, Fresh()), 0.5);
}

TEST_F(SimulatedVideoTest, MirrorIsTheVideoTurnedAround) {
    const QImage plain = Fresh().convertToFormat(QImage::Format_RGB888);
    Set(P::Mirror, 1);
    EXPECT_LT(Difference(plain.mirrored(true, false), Fresh()), 0.5);
    Set(P::Flip, 1);
    EXPECT_LT(Difference(plain.mirrored(true, true), Fresh()), 0.5);
    Set(P::Mirror, 0);
    EXPECT_LT(Difference(plain.mirrored(false, true), Fresh()), 0.5);
}

TEST_F(SimulatedVideoTest, EffectsAndFramesShowLiveAndSetsRestoreThem) {
    const QImage plain = Fresh();
    std::vector<int> choices;
    for (int n = 1; n <= 26; ++n)
        choices.push_back(n);
    choices.push_back(48);
    std::vector<QImage> seen;
    for (int n : choices) {
        Set(P::Effect, n);
        seen.push_back(Fresh());
        EXPECT_GT(Difference(plain, seen.back()), 2.0) << n;
        Keep(seen.back(), u"effect-"_qs + QString::number(n));
    }
    for (size_t i = 0; i + 1 < seen.size(); ++i)
        EXPECT_GT(Difference(seen[i], seen[i + 1]), 2.0) << choices[i] << " and " << choices[i + 1];

    // Saved with an effect, back to factory, then the saved set again.
    Set(P::Effect, 5);
    Set(P::Brightness, 50);
    Set(P::SaveCurrent, 0);
    const QImage saved = Fresh();
    Set(P::RestoreFactory, 0);
    EXPECT_LT(Difference(plain, Fresh()), 0.5);
    Set(P::RestoreSaved, 0);
    EXPECT_LT(Difference(saved, Fresh()), 0.5);
    Set(P::RestoreFactory, 0);
    Set(P::SaveCurrent, 0);
}

TEST_F(SimulatedVideoTest, AutomaticChangeMovesOnByItself) {
    Driver().SetAutoChangePeriod(std::chrono::milliseconds(150));
    Set(P::Effect, 255);
    const QImage first = Fresh();
    // With nothing set, the picture changes: the next effect's turn came.
    ASSERT_TRUE(WaitUntil([&] { return Difference(first, window_.WaitForFrames(1)) > 2.0; }));
    std::int32_t value = 0;
    ASSERT_TRUE(GetCameraProperty(&device_, P::Effect, value));
    EXPECT_EQ(value, 255);
    Driver().SetAutoChangePeriod(std::chrono::seconds(3));
}
