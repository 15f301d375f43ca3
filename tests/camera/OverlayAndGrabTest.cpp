#include "CameraTestSupport.h"
#include "FileFaults.h"
#include "JpegProbe.h"
#include "OstDXShow.h"
#include "OstSimulatedCamera.h"
#include "OstVideoRenderer.h"
#include "OstVideoInputCategory.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

namespace {

constexpr QRgb kGreen = 0x00FF00;
constexpr QRgb kRed = 0xC00000;
// One step off the white key: must be blended, not treated as transparent.
constexpr QRgb kAlmostWhite = 0xFEFFFF;

// 60 x 70 like the countdown digits: white (the key) top left, green top right, red bottom
// left, almost white bottom right.
QImage QuadrantBitmap() {
    QImage bitmap(60, 70, QImage::Format_RGB32);
    for (int y = 0; y < 70; ++y)
        for (int x = 0; x < 60; ++x)
            bitmap.setPixel(x, y,
                            y < 35 ? (x < 30 ? 0xFFFFFF : kGreen) : (x < 30 ? kRed : kAlmostWhite));
    return bitmap;
}

int Mix(int overlay, int video, float alpha) {
    return static_cast<int>(std::lround(alpha * overlay + (1.0f - alpha) * video));
}

// Counts the pixels of `actual` that differ from what the reference frame with the quadrant
// bitmap laid into `rect` should give.
int MismatchedPixels(const QImage& reference, const QImage& actual, const QRect& rect,
                     float alpha) {
    int mismatches = 0;
    for (int y = 0; y < reference.height(); ++y) {
        for (int x = 0; x < reference.width(); ++x) {
            const QRgb ref = reference.pixel(x, y);
            QRgb want = ref;
            if (rect.contains(x, y)) {
                // Which quadrant a pixel next to the middle lines takes from is the scaler's
                // business; the edges of the rectangle are not.
                const int dx = 2 * (x - rect.left()) - rect.width();
                const int dy = 2 * (y - rect.top()) - rect.height();
                if (std::abs(dx) <= 2 || std::abs(dy) <= 2)
                    continue;
                const bool right = dx > 0;
                const bool bottom = dy > 0;
                const QRgb overlay =
                    bottom ? (right ? kAlmostWhite : kRed) : (right ? kGreen : 0xFFFFFF);
                if (overlay != 0xFFFFFF)
                    want = qRgb(Mix(qRed(overlay), qRed(ref), alpha),
                                Mix(qGreen(overlay), qGreen(ref), alpha),
                                Mix(qBlue(overlay), qBlue(ref), alpha));
            }
            const QRgb got = actual.pixel(x, y);
            if (std::abs(qRed(got) - qRed(want)) > 1 || std::abs(qGreen(got) - qGreen(want)) > 1 ||
                std::abs(qBlue(got) - qBlue(want)) > 1)
                ++mismatches;
        }
    }
    return mismatches;
}

// What the JPEG encoder makes of a frame at quality 99, decoded again.
QImage EncodedAtQuality99(const QImage& frame) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(99);
    writer.write(frame);
    QImage decoded;
    decoded.loadFromData(bytes, "JPEG");
    return decoded;
}

QImage DecodedPhoto(const QString& path) {
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

} // namespace

class OverlayAndGrabTest : public ::testing::TestWithParam<QSize> {
protected:
    void SetUp() override {
        camera = std::make_shared<OstSimulatedCamera>(kSimulatedPath);
        camera->SetMoving(false);
        OstVideoInputCategory::GetInstance().Add(camera);
        graph = std::make_unique<OstDXShow>(kSimulatedPath, &window, nullptr, &reporter);
        ASSERT_TRUE(dir.isValid());
    }
    void TearDown() override {
        graph.reset();
        OstVideoInputCategory::GetInstance().Remove(kSimulatedPath);
    }

    std::shared_ptr<OstSimulatedCamera> camera;
    RecordingReporter reporter;
    RecordingWindow window;
    std::unique_ptr<OstDXShow> graph;
    QTemporaryDir dir;
};

TEST_P(OverlayAndGrabTest, OverlayCoversExactlyItsRectangleWithAlphaAndColourKey) {
    const QSize size = GetParam();
    graph->ChangeResolution(24, size.width(), size.height());
    ASSERT_EQ(graph->Run(), GraphState::Running);
    const QImage reference = window.WaitForFrames();
    ASSERT_EQ(reference.size(), size);

    ASSERT_TRUE(graph->BlendApplicationImage(OverlayFrame{QuadrantBitmap(), 0.5f, 0x00FFFFFF}));
    const QImage blended = window.WaitForFrames();
    const QRect rect(
        QPoint(std::lround(0.4 * size.width()), std::lround(0.7 * size.height())),
        QPoint(std::lround(0.6 * size.width()) - 1, std::lround(0.9 * size.height()) - 1));
    EXPECT_EQ(MismatchedPixels(reference, blended, rect, 0.5f), 0);

    // The photo is the camera's picture: the overlay is shown, never photographed.
    const QString path = dir.filePath(u"with-overlay.jpg"_qs);
    ASSERT_TRUE(graph->GrabImage(path));
    EXPECT_EQ(DecodedPhoto(path), EncodedAtQuality99(reference));

    ASSERT_TRUE(graph->DisableBlendApplicationImage());
    EXPECT_EQ(window.WaitForFrames(2), reference);

    // Opaque: the bitmap's own colours, the key still transparent.
    ASSERT_TRUE(graph->BlendApplicationImage(OverlayFrame{QuadrantBitmap(), 1.0f, 0x00FFFFFF}));
    EXPECT_EQ(MismatchedPixels(reference, window.WaitForFrames(2), rect, 1.0f), 0);
    EXPECT_TRUE(reporter.Texts().isEmpty()) << reporter.Texts().join(u""_qs).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Sizes, OverlayAndGrabTest,
                         ::testing::Values(QSize(640, 480), QSize(176, 144)));

class GrabTest : public OverlayAndGrabTest {};

TEST_F(GrabTest, OverlayNeedsAGraphAndAValidPicture) {
    EXPECT_FALSE(graph->BlendApplicationImage(OverlayFrame{QuadrantBitmap(), 0.5f, 0xFFFFFF}));
    EXPECT_FALSE(graph->DisableBlendApplicationImage());
    const QString noControl = u"OutputWnd == NULL || IVMRWindowlessControl9 == NULL"_qs;
    EXPECT_EQ(reporter.Texts(),
              (QStringList{Failure("BlendApplicationImage", noControl.toLatin1()),
                           Failure("DisableBlendApplicationImage", noControl.toLatin1())}));
    reporter.Clear();

    ASSERT_EQ(graph->Run(), GraphState::Running);
    const QImage reference = window.WaitForFrames();
    EXPECT_FALSE(graph->BlendApplicationImage(OverlayFrame{QImage(), 0.5f, 0}));
    EXPECT_FALSE(graph->BlendApplicationImage(OverlayFrame{QuadrantBitmap(), 1.5f, 0}));
    EXPECT_FALSE(graph->BlendApplicationImage(OverlayFrame{QuadrantBitmap(), std::nanf(""), 0}));
    EXPECT_EQ(reporter.Texts(), QStringList(3, Failure("BlendApplicationImage", "SetAlphaBitmap")));
    EXPECT_EQ(window.WaitForFrames(2), reference);
    // Removing an overlay that is not there is harmless.
    EXPECT_TRUE(graph->DisableBlendApplicationImage());
}

TEST_F(GrabTest, GrabbedPhotoIsAJpegOfQuality99AndTheFrameSize) {
    ASSERT_EQ(graph->Run(), GraphState::Running);
    const QImage frame = window.WaitForFrames();
    const QString path = dir.filePath(u"Orbit-0001.jpg"_qs);
    FolderWatch watch(dir.path());
    ASSERT_TRUE(graph->GrabImage(path));
    // The name appears once, holding the finished photo: never written, rewritten or replaced
    // under it.
    const std::vector<std::uint32_t> events = watch.EventsFor(u"Orbit-0001.jpg"_qs);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_TRUE(events.front() & (IN_CREATE | IN_MOVED_TO)) << events.front();

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("\xFF\xD8"));
    EXPECT_TRUE(IsQuality99Jpeg(bytes));
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    EXPECT_EQ(reader.format(), "jpeg");
    const QImage photo = reader.read();
    ASSERT_EQ(photo.size(), QSize(640, 480));
    // Exactly the frame shown, encoded once.
    EXPECT_EQ(photo, EncodedAtQuality99(frame));
    // Only the photo is left behind: no temporary file beside it.
    EXPECT_EQ(FolderEntries(dir.path()), QStringList{u"Orbit-0001.jpg"_qs});

    EXPECT_TRUE(reporter.Texts().isEmpty());

    // A file of that name, the grab's own or the user's, is never replaced.
    EXPECT_FALSE(graph->GrabImage(path));
    file.close();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bytes);
    EXPECT_EQ(reporter.Texts(), QStringList{Failure("GrabImage", "CreateFile")});
    EXPECT_EQ(FolderEntries(dir.path()), QStringList{u"Orbit-0001.jpg"_qs});
    EXPECT_TRUE(watch.EventsFor(u"Orbit-0001.jpg"_qs).empty());
}

// A photo that could not be written is a failed photo: told, and nothing left behind.
TEST_F(GrabTest, AFailedWriteIsAFailedGrabThatLeavesNoFile) {
    ASSERT_EQ(graph->Run(), GraphState::Running);
    window.WaitForFrames();
    const QString path = dir.filePath(u"Orbit-0002.jpg"_qs);
    {
        FileSizeLimit limit(4096);
        EXPECT_FALSE(graph->GrabImage(path));
    }
    EXPECT_EQ(reporter.Texts(), QStringList{Failure("GrabImage", "WriteFile")});
    EXPECT_TRUE(FolderEntries(dir.path()).isEmpty())
        << FolderEntries(dir.path()).join(u' ').toStdString();
    // The name stays free for the next try.
    EXPECT_TRUE(graph->GrabImage(path));
}

TEST_F(GrabTest, GrabNeedsARunningGraphAndAWritablePlace) {
    const QString path = dir.filePath(u"photo.jpg"_qs);
    const QString notRunning = u"DxShow isn't running || IVMRWindowlessControl9 == NULL"_qs;
    EXPECT_FALSE(graph->GrabImage(path));
    ASSERT_TRUE(graph->Connect());
    EXPECT_FALSE(graph->GrabImage(path));
    ASSERT_EQ(graph->Run(), GraphState::Running);
    ASSERT_EQ(graph->Stop(), GraphState::Ready);
    EXPECT_FALSE(graph->GrabImage(path));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(reporter.Texts(), QStringList(3, Failure("GrabImage", notRunning.toLatin1())));
    reporter.Clear();

    ASSERT_EQ(graph->Run(), GraphState::Running);
    EXPECT_FALSE(graph->GrabImage(dir.filePath(u"missing/photo.jpg"_qs)));
    EXPECT_EQ(reporter.Texts(), QStringList{Failure("GrabImage", "CreateFile")});
}

// The countdown thread lays pictures and grabs while the owner's thread stops, reconnects
// and tears the graph down; every call must end in a result or a report, never a crash.
TEST_F(GrabTest, OverlayAndGrabFromAnotherThreadWhileTheOwnerReconnects) {
    ASSERT_EQ(graph->Run(), GraphState::Running);
    std::atomic<bool> stop{false};
    std::atomic<int> grabs{0};
    std::thread countdown([&] {
        const QString path = dir.filePath(u"countdown.jpg"_qs);
        while (!stop) {
            graph->BlendApplicationImage(OverlayFrame{QuadrantBitmap(), 0.5f, 0xFFFFFF});
            graph->DisableBlendApplicationImage();
            if (graph->GrabImage(path))
                ++grabs;
        }
    });
    for (int i = 0; i < 4; ++i) {
        graph->ChangeResolution(24, i % 2 ? 320 : 640, i % 2 ? 240 : 480);
        window.WaitForFrames(2);
        graph->Stop();
        graph->Run();
        window.WaitForFrames(2);
        graph->Disconnect();
        graph->Run();
        window.WaitForFrames(2);
    }
    stop = true;
    countdown.join();
    EXPECT_GT(grabs.load(), 0) << reporter.Texts().join(u""_qs).toStdString();
    // Only the thread's own operations may fail, each with its report, while the graph is
    // between states.
    for (const QString& text : reporter.Texts())
        EXPECT_TRUE(text.startsWith(u"OstDXShow::GrabImage() failed -> "_qs) ||
                    text.startsWith(u"OstDXShow::BlendApplicationImage() failed -> "_qs) ||
                    text.startsWith(u"OstDXShow::DisableBlendApplicationImage() failed -> "_qs))
            << text.toStdString();
}

namespace {

// A window that also keeps the layers a second view of the picture is given.
class LayeredWindow : public RecordingWindow {
public:
    void PresentLayers(const QImage& clean, const QImage& overlay) override {
        std::lock_guard guard(layersLock_);
        clean_ = clean;
        overlay_ = overlay;
    }
    QImage Clean() const {
        std::lock_guard guard(layersLock_);
        return clean_;
    }
    QImage Overlay() const {
        std::lock_guard guard(layersLock_);
        return overlay_;
    }

private:
    mutable std::mutex layersLock_;
    QImage clean_;
    QImage overlay_;
};

} // namespace

TEST(RendererTurnTest, QuarterTurnsTurnWhatIsShownThePhotoAndTheOverlaysPlaceButNotTheDigits) {
    OstVideoRenderer renderer;
    LayeredWindow window;
    ASSERT_TRUE(renderer.SetVideoClippingWindow(&window));
    // The camera's top left corner is marked red on black.
    QImage frame(80, 60, QImage::Format_RGB32);
    frame.fill(Qt::black);
    frame.setPixel(0, 0, kRed);
    OstAlphaBitmap record;
    record.flags = OstAlphaBitmap::FromBitmap | OstAlphaBitmap::SrcColorKey;
    record.bitmap = QuadrantBitmap();
    record.source = record.bitmap.rect();
    record.left = 0.4f;
    record.top = 0.7f;
    record.right = 0.6f;
    record.bottom = 0.9f;
    record.alpha = 1.0f;
    record.colorKey = 0xFFFFFF;
    ASSERT_TRUE(renderer.SetAlphaBitmap(record));

    renderer.SetRotation(1);
    renderer.DeliverFrame(frame);
    const QImage shown = window.Last();
    ASSERT_EQ(shown.size(), QSize(60, 80));
    EXPECT_EQ(shown.pixel(59, 0) & 0xFFFFFF, kRed) << "a clockwise turn puts the top left at the top right";
    // The digit stands upright where it always stands in the turned picture.
    const QRect place = OstVideoRenderer::OverlayRect(QSize(60, 80), 0.4f, 0.7f, 0.6f, 0.9f);
    EXPECT_EQ(shown.pixel(place.right() - 1, place.top() + 1) & 0xFFFFFF, kGreen);
    EXPECT_EQ(shown.pixel(place.left() + 1, place.bottom() - 1) & 0xFFFFFF, kRed);

    QImage photo;
    ASSERT_TRUE(renderer.GetCurrentImage(photo, std::chrono::milliseconds(0)));
    EXPECT_EQ(photo.size(), QSize(60, 80));
    EXPECT_EQ(photo.pixel(59, 0) & 0xFFFFFF, kRed);
    EXPECT_EQ(photo.pixel(place.right() - 1, place.top() + 1) & 0xFFFFFF, 0u) << "the digit reached the photo";
    EXPECT_EQ(window.Clean(), photo);
    // The digit on its own, for a view that shows it large: the key colour is transparent.
    const QImage digit = window.Overlay();
    ASSERT_EQ(digit.size(), QSize(60, 70));
    EXPECT_EQ(qAlpha(digit.pixel(5, 5)), 0);
    EXPECT_EQ(digit.pixel(45, 5), qRgb(0, 255, 0));
    EXPECT_EQ(digit.pixel(55, 65), 0xFFFEFFFF) << "one step off the key is drawn";

    renderer.SetRotation(-1);
    EXPECT_EQ(renderer.Rotation(), 3);
    record.flags = OstAlphaBitmap::Disable;
    ASSERT_TRUE(renderer.SetAlphaBitmap(record));
    renderer.DeliverFrame(frame);
    EXPECT_EQ(window.Last().pixel(0, 79) & 0xFFFFFF, kRed) << "a turn to the left puts it at the bottom left";
    EXPECT_TRUE(window.Overlay().isNull()) << "no digit while none is laid in";
    renderer.SetRotation(2);
    renderer.DeliverFrame(frame);
    ASSERT_EQ(window.Last().size(), QSize(80, 60));
    EXPECT_EQ(window.Last().pixel(79, 59) & 0xFFFFFF, kRed);
    renderer.SetVideoClippingWindow(nullptr);
}
