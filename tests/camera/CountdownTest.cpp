#include "WebcamTestSupport.h"

#include "FileFaults.h"
#include "OstWebcamOrbit.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QTimer>

#include <array>
#include <atomic>
#include <cmath>
#include <vector>

namespace {

// Seven-segment digits 60 x 70, green on white like the program's countdown bitmaps.
constexpr std::array<QRect, 7> kSegments{
    QRect(10, 4, 40, 8),  // top
    QRect(46, 8, 8, 27),  // upper right
    QRect(46, 35, 8, 27), // lower right
    QRect(10, 58, 40, 8), // bottom
    QRect(6, 35, 8, 27),  // lower left
    QRect(6, 8, 8, 27),   // upper left
    QRect(10, 31, 40, 8), // middle
};
// Segment bits per digit 0..5, bit i is segment i.
constexpr std::array<int, 6> kDigitSegments{0x3f, 0x06, 0x5b, 0x4f, 0x66, 0x6d};
const QColor kGreen(0, 200, 0);

QImage Digit(int digit) {
    QImage bitmap(60, 70, QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    QPainter painter(&bitmap);
    for (int i = 0; i < 7; ++i)
        if (kDigitSegments[static_cast<size_t>(digit)] & (1 << i))
            painter.fillRect(kSegments[static_cast<size_t>(i)], kGreen);
    return bitmap;
}

CountdownRequest Request(const QString& path, std::int32_t delay) {
    CountdownRequest request;
    request.filePath = path;
    for (int digit = 5; digit >= 1; --digit)
        request.frames.push_back(OverlayFrame{Digit(digit), 0.5f, 0x00FFFFFF});
    request.frameDelay = delay;
    return request;
}

// Which digit a frame shows in the overlay rectangle (0 none, -1 unreadable), judged from the
// segment centres against the plain video `base`.
int DigitShown(const QImage& frame, const QImage& base) {
    if (frame.size() != base.size())
        return -1;
    const int x0 = static_cast<int>(std::lround(0.4 * frame.width()));
    const int y0 = static_cast<int>(std::lround(0.7 * frame.height()));
    const double sx = (std::lround(0.6 * frame.width()) - x0) / 60.0;
    const double sy = (std::lround(0.9 * frame.height()) - y0) / 70.0;
    int lit = 0;
    for (int i = 0; i < 7; ++i) {
        const QPointF c = QRectF(kSegments[static_cast<size_t>(i)]).center();
        const QPoint at(x0 + static_cast<int>(c.x() * sx), y0 + static_cast<int>(c.y() * sy));
        const QColor seen = frame.pixelColor(at);
        const QColor under = base.pixelColor(at);
        const QColor blend((kGreen.red() + under.red() + 1) / 2,
                           (kGreen.green() + under.green() + 1) / 2,
                           (kGreen.blue() + under.blue() + 1) / 2);
        auto near = [](QColor a, QColor b) {
            return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                       std::abs(a.blue() - b.blue()) <=
                   12;
        };
        if (near(seen, blend) && !near(seen, under))
            lit |= 1 << i;
        else if (!near(seen, under))
            return -1;
    }
    for (int digit = 1; digit <= 5; ++digit)
        if (lit == kDigitSegments[static_cast<size_t>(digit)])
            return digit;
    return lit == 0 ? 0 : -1;
}

// How many pixels of the overlay's rectangle of a 640x480 photo differ from the plain picture
// put through the same JPEG encoding: none for the still picture, about a thousand with even
// a "1" in it.
int OverlayPixelsChanged(const QImage& taken, const QImage& base) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(99);
    writer.write(base);
    const QImage plain =
        QImage::fromData(buffer.data(), "jpeg").convertToFormat(QImage::Format_RGB32);
    int changed = 0;
    for (int y = 336; y < 432; ++y)
        for (int x = 256; x < 384; ++x) {
            const QRgb a = taken.pixel(x, y);
            const QRgb b = plain.pixel(x, y);
            if (std::abs(qRed(a) - qRed(b)) > 24 || std::abs(qGreen(a) - qGreen(b)) > 24 ||
                std::abs(qBlue(a) - qBlue(b)) > 24)
                ++changed;
        }
    return changed;
}

// A video window that reads the digit of every frame handed to it.
class DigitWindow : public IOstVideoWindow {
public:
    explicit DigitWindow(QImage base) : base_(std::move(base)) {}
    void PresentFrame(const QImage& frame, const QRect&) override {
        if (frame.isNull())
            return;
        const int digit = DigitShown(frame, base_);
        std::lock_guard guard(lock_);
        ++frames_;
        last_ = digit;
        if (seen_.empty() || seen_.back() != digit)
            seen_.push_back(digit);
    }
    bool GetClientRect(QRect& rect) const override {
        rect = QRect(0, 0, 640, 480);
        return true;
    }
    // The digits seen, each run of frames once.
    std::vector<int> Seen() const {
        std::lock_guard guard(lock_);
        return seen_;
    }

    std::uint64_t Frames() const {
        std::lock_guard guard(lock_);
        return frames_;
    }
    int Last() const {
        std::lock_guard guard(lock_);
        return last_;
    }

private:
    const QImage base_;
    mutable std::mutex lock_;
    std::vector<int> seen_;
    std::uint64_t frames_ = 0;
    int last_ = -1;
};

} // namespace

class CountdownTest : public SimulatedCameraTest {
protected:
    // The still picture of the simulated camera, without overlay.
    QImage Plain() {
        RecordingWindow window(QRect(0, 0, 640, 480));
        OstDXShow graph(path_, &window, nullptr, &reporter_);
        EXPECT_EQ(graph.Run(), GraphState::Running);
        return window.WaitForFrames(2).convertToFormat(QImage::Format_RGB32);
    }
    std::unique_ptr<OstWebcamOrbit> Running(IOstWebcamOwner* owner, IOstVideoWindow* window) {
        auto device = std::make_unique<OstWebcamOrbit>();
        device->Init(path_, QString());
        device->SetOwnerWindow(owner);
        device->SetVideoWindow(window);
        EXPECT_TRUE(device->Attach());
        EXPECT_TRUE(device->CreateGraph());
        EXPECT_EQ(device->Run(), GraphState::Running);
        return device;
    }

    QTemporaryDir folder_;
    RecordingOwner owner_;
};

TEST_F(CountdownTest, DigitsFiveToOneThenAPhotoWithoutThem) {
    const QImage base = Plain();
    ASSERT_FALSE(base.isNull());
    DigitWindow window(base);
    auto device = Running(&owner_, &window);
    const QString photo = folder_.filePath(u"photo.jpg"_qs);

    EXPECT_FALSE(device->CountdownInProgress());
    ASSERT_TRUE(device->GrabWithCountdown(Request(photo, 250)));
    EXPECT_TRUE(device->CountdownInProgress());
    EXPECT_FALSE(device->GrabWithCountdown(Request(photo, 250))) << "one countdown at a time";
    EXPECT_TRUE(owner_.images.isEmpty());

    ASSERT_TRUE(WaitUntil([&] { return !owner_.images.isEmpty(); }));
    EXPECT_EQ(owner_.images, QStringList{photo});
    EXPECT_EQ(owner_.lastWindow, &window);
    EXPECT_FALSE(device->CountdownInProgress());
    std::vector<int> seen = window.Seen();
    // The countdown may begin before the first frame reached the window.
    if (!seen.empty() && seen.front() == 0)
        seen.erase(seen.begin());
    EXPECT_EQ(seen, (std::vector<int>{5, 4, 3, 2, 1, 0}));

    QImageReader reader(photo);
    EXPECT_EQ(reader.format(), "jpeg");
    const QImage taken = reader.read().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(taken.size(), base.size());
    // The photo is the plain picture (up to JPEG rounding): no digit left in it.
    EXPECT_LT(OverlayPixelsChanged(taken, base), 20);

    // The next countdown may start once the last one is over.
    EXPECT_TRUE(device->GrabWithCountdown(Request(folder_.filePath(u"b.jpg"_qs), 10)));
    ASSERT_TRUE(WaitUntil([&] { return owner_.images.size() == 2; }));
    EXPECT_TRUE(reporter_.Texts().isEmpty()) << reporter_.Texts().join(u"|"_qs).toStdString();
}

TEST_F(CountdownTest, OnlyARunningCameraCountsDown) {
    RecordingWindow window;
    OstWebcamOrbit device;
    device.Init(path_, QString());
    const CountdownRequest request = Request(folder_.filePath(u"x.jpg"_qs), 10);
    EXPECT_FALSE(device.GrabWithCountdown(request));
    device.SetOwnerWindow(&owner_);
    device.SetVideoWindow(&window);
    device.CreateGraph();
    EXPECT_FALSE(device.GrabWithCountdown(request));
    device.Connect();
    EXPECT_FALSE(device.GrabWithCountdown(request));
    Drain();
    EXPECT_TRUE(owner_.images.isEmpty());
}

// Closing, stopping, detaching or destroying the camera mid-countdown: no grab afterwards,
// no message, no overlay left.
TEST_F(CountdownTest, EndingTheCameraMidCountdownIsSafe) {
    const QImage base = Plain();
    enum Ending { Close, Stop, Detach, Destroy };
    for (Ending ending : {Close, Stop, Detach, Destroy}) {
        SCOPED_TRACE(ending);
        DigitWindow window(base);
        auto device = Running(&owner_, &window);
        const QString photo = folder_.filePath(QString::number(ending) + u".jpg"_qs);
        ASSERT_TRUE(device->GrabWithCountdown(Request(photo, 1000)));
        ASSERT_TRUE(WaitUntil([&] {
            const std::vector<int> seen = window.Seen();
            return !seen.empty() && seen.back() == 5;
        }));
        const auto before = std::chrono::steady_clock::now();
        switch (ending) {
        case Close:
            EXPECT_EQ(device->Close(), 1);
            break;
        case Stop:
            EXPECT_EQ(device->Stop(), GraphState::Ready);
            break;
        case Detach:
            device->Detach();
            break;
        case Destroy:
            device.reset();
            break;
        }
        // Cancelled at once, not after the remaining seconds of the countdown.
        EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(3));
        if (device) {
            EXPECT_FALSE(device->CountdownInProgress());
            if (ending == Stop) {
                // Running again shows the plain picture: the overlay went with the countdown.
                ASSERT_EQ(device->Run(), GraphState::Running);
                const std::uint64_t frames = window.Frames();
                ASSERT_TRUE(WaitUntil([&] { return window.Frames() > frames + 1; }));
                EXPECT_EQ(window.Last(), 0);
            }
        }
        Drain(std::chrono::milliseconds(300));
        EXPECT_FALSE(QFile::exists(photo));
        EXPECT_TRUE(owner_.images.isEmpty());
        device.reset();
    }
}

// A timed photo that could not be taken still ends the countdown for the owner, with an empty
// path, so the owner can offer the photo again; the device is then free for the next one.
TEST_F(CountdownTest, AFailedTimedPhotoReachesTheOwnerAsAnEmptyPath) {
    RecordingWindow window(QRect(0, 0, 640, 480));
    auto device = Running(&owner_, &window);
    ASSERT_TRUE(QDir(folder_.path()).mkdir(u"photos"_qs));
    const QString photo = folder_.filePath(u"photos/photo.jpg"_qs);
    ASSERT_TRUE(device->GrabWithCountdown(Request(photo, 20)));
    // The folder goes while the digits are still shown.
    ASSERT_TRUE(QDir(folder_.filePath(u"photos"_qs)).removeRecursively());
    ASSERT_TRUE(WaitUntil([&] { return !owner_.images.isEmpty(); }));
    EXPECT_EQ(owner_.images, QStringList{QString()});
    EXPECT_EQ(owner_.lastWindow, &window);
    EXPECT_FALSE(QFile::exists(photo));
    EXPECT_EQ(reporter_.Texts(), QStringList{Failure("GrabImage", "CreateFile")});
    EXPECT_TRUE(FolderEntries(folder_.path()).isEmpty());

    EXPECT_TRUE(device->GrabWithCountdown(Request(folder_.filePath(u"again.jpg"_qs), 10)));
    ASSERT_TRUE(WaitUntil([&] { return owner_.images.size() == 2; }));
    EXPECT_EQ(owner_.images.back(), folder_.filePath(u"again.jpg"_qs));
}

TEST_F(CountdownTest, AGoneOwnerHearsNothing) {
    RecordingWindow window(QRect(0, 0, 640, 480));
    auto owner = std::make_unique<RecordingOwner>();
    auto device = Running(owner.get(), &window);
    const QString photo = folder_.filePath(u"late.jpg"_qs);
    ASSERT_TRUE(device->GrabWithCountdown(Request(photo, 1)));
    // The photo is written, its message queued for the UI thread; the owner goes first.
    // Waiting without the event loop, which would deliver the message.
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (device->CountdownInProgress() && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_FALSE(device->CountdownInProgress());
    EXPECT_TRUE(QFile::exists(photo));
    owner.reset();
    Drain();
    device->Close();
}

// At 5 frames per second, or on a source that stalls, the frame on screen when the grab comes
// may still carry the last digit; the photo is taken from the camera's picture, which never
// does.
TEST_F(CountdownTest, NoDigitInThePhotoAtFiveFramesPerSecondOrOnAStalledSource) {
    const QImage base = Plain();
    ASSERT_FALSE(base.isNull());
    DigitWindow window(base);
    auto device = Running(&owner_, &window);
    ASSERT_TRUE(device->Graph()->ChangeFrameRate(5));
    auto photoShowsNoDigit = [&](const QString& photo) {
        const QImage taken = QImage(photo).convertToFormat(QImage::Format_RGB32);
        return taken.size() == base.size() && OverlayPixelsChanged(taken, base) < 20;
    };

    const QString fast = folder_.filePath(u"fast.jpg"_qs);
    ASSERT_TRUE(device->GrabWithCountdown(Request(fast, 50)));
    ASSERT_TRUE(WaitUntil([&] { return owner_.images.size() == 1; }));
    EXPECT_TRUE(photoShowsNoDigit(fast));

    // The source stops while "1" is on screen: no frame comes after the overlay went.
    const QString stalled = folder_.filePath(u"stalled.jpg"_qs);
    ASSERT_TRUE(device->GrabWithCountdown(Request(stalled, 600)));
    ASSERT_TRUE(WaitUntil([&] {
        const std::vector<int> seen = window.Seen();
        return !seen.empty() && seen.back() == 1;
    }));
    ASSERT_EQ(device->Pause(), GraphState::Running);
    ASSERT_TRUE(WaitUntil([&] { return owner_.images.size() == 2; }));
    EXPECT_EQ(window.Last(), 1) << "a frame came after the stall";
    EXPECT_TRUE(photoShowsNoDigit(stalled));
    EXPECT_TRUE(reporter_.Texts().isEmpty()) << reporter_.Texts().join(u"|"_qs).toStdString();
}

namespace {

// Shows a failure as the program does, in a modal box with its own event loop on the UI
// thread. Called from another thread it would hand the box to the UI thread and wait until
// the box was closed (for at most a few seconds here, where the program would wait for good).
class ModalBoxReporter : public IOstGraphReporter {
public:
    void ReportFailure(const QString& text) override {
        if (QThread::currentThread() != QCoreApplication::instance()->thread()) {
            calledOffThread = true;
            auto closed = std::make_shared<std::atomic<bool>>(false);
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [this, text, closed] {
                    Show(text);
                    *closed = true;
                },
                Qt::QueuedConnection);
            if (!SpinUntil([&] { return closed->load(); }, std::chrono::seconds(3)))
                waitTimedOut = true;
            return;
        }
        Show(text);
    }
    void Show(const QString& text) {
        QEventLoop box;
        QTimer::singleShot(30, &box, &QEventLoop::quit);
        box.exec();
        shown.append(text);
    }

    std::atomic<bool> calledOffThread{false};
    std::atomic<bool> waitTimedOut{false};
    QStringList shown;
};

} // namespace

// A countdown whose graph is torn down under it (as a resolution change does) fails on its
// thread, while the UI thread closes the camera and joins it: the report waits for the UI
// thread's event loop instead of the UI thread waiting for the box.
TEST_F(CountdownTest, AFailingCountdownNeverWaitsForItsReport) {
    ModalBoxReporter box;
    OstDXShow::SetDefaultReporter(&box);
    RecordingWindow window(QRect(0, 0, 640, 480));
    auto device = Running(&owner_, &window);
    ASSERT_TRUE(device->GrabWithCountdown(Request(folder_.filePath(u"torn.jpg"_qs), 40)));
    device->Graph()->Disconnect();
    // Let the countdown meet the torn-down graph before the camera is closed.
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    EXPECT_EQ(device->Close(), 1);
    EXPECT_FALSE(box.waitTimedOut) << "the countdown waited for the box while being joined";
    ASSERT_TRUE(WaitUntil([&] { return !box.shown.isEmpty(); }));
    Drain();
    EXPECT_FALSE(box.calledOffThread);
    for (const QString& text : box.shown)
        EXPECT_TRUE(text.startsWith(u"OstDXShow::BlendApplicationImage() failed -> "_qs) ||
                    text.startsWith(u"OstDXShow::DisableBlendApplicationImage() failed -> "_qs))
            << text.toStdString();
    EXPECT_TRUE(owner_.images.isEmpty());
    OstDXShow::SetDefaultReporter(&reporter_);
}
