// The camera shared with other programs, as another program sees it: a private PipeWire and
// WirePlumber, the whole program on the simulated camera, the box switched on the General page,
// and a reader that opens the "Orbit" node as a call program would.

#include "AnsweredBoxes.h"
#include "COrbit_MainWnd.h"
#include "COstUI_Orbit_MainDlg.h"
#include "COstUI_Orbit_SettingPropSheet.h"
#include "FakeSkypeTransport.h"
#include "OstGst.h"
#include "OstSharedCamera.h"
#include "OstSimulatedCamera.h"
#include "OstSkypeController.h"
#include "OstVideoWidget.h"
#include "OstDXShow.h"
#include "OstWebcam.h"
#include "OstWebcamMonitor.h"
#include "PrivatePipeWire.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

constexpr int kWaitMs = 10000;

// Reads the "Orbit" node as a call program does: a capture stream of video from a camera.
class Reader {
public:
    bool Start() {
        GError* error = nullptr;
        pipeline_ = gst_parse_launch(
            "pipewiresrc target-object=Orbit stream-properties=\"props,media.type=Video,media.category=Capture,"
            "media.role=Camera\" ! videoconvert ! video/x-raw,format=BGRx ! appsink name=out max-buffers=1 "
            "drop=true sync=false",
            &error);
        if (!pipeline_ || error) {
            g_clear_error(&error);
            return false;
        }
        sink_ = gst_bin_get_by_name(GST_BIN(pipeline_), "out");
        return gst_element_set_state(pipeline_, GST_STATE_PLAYING) != GST_STATE_CHANGE_FAILURE;
    }
    ~Reader() {
        if (pipeline_) {
            gst_element_set_state(pipeline_, GST_STATE_NULL);
            gst_object_unref(sink_);
            gst_object_unref(pipeline_);
        }
    }
    // The newest frame that arrives after `skip` others, or a null image.
    QImage Next(int skip = 3) {
        QImage frame;
        int seen = 0;
        (void)QTest::qWaitFor(
            [&] {
                GstSample* sample = gst_app_sink_try_pull_sample(GST_APP_SINK(sink_), 0);
                if (!sample)
                    return false;
                frame = ToImage(sample);
                gst_sample_unref(sample);
                ++frames;
                return ++seen > skip;
            },
            kWaitMs);
        return seen > skip ? frame : QImage();
    }
    int frames = 0;

private:
    static QImage ToImage(GstSample* sample) {
        GstVideoInfoLike info;
        GstCaps* caps = gst_sample_get_caps(sample);
        const GstStructure* s = gst_caps_get_structure(caps, 0);
        gst_structure_get_int(s, "width", &info.width);
        gst_structure_get_int(s, "height", &info.height);
        GstMapInfo map;
        GstBuffer* buffer = gst_sample_get_buffer(sample);
        if (!gst_buffer_map(buffer, &map, GST_MAP_READ))
            return {};
        const QImage view(map.data, info.width, info.height, info.width * 4, QImage::Format_RGB32);
        QImage copy = view.copy();
        gst_buffer_unmap(buffer, &map);
        return copy;
    }
    struct GstVideoInfoLike {
        int width = 0;
        int height = 0;
    };
    GstElement* pipeline_ = nullptr;
    GstElement* sink_ = nullptr;
};

// The mean difference per channel of two frames of one size; 255 when the sizes differ.
double Difference(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.isNull())
        return 255;
    double sum = 0;
    for (int y = 0; y < a.height(); y += 4)
        for (int x = 0; x < a.width(); x += 4) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * (a.width() / 4) * (a.height() / 4));
}

} // namespace

class SharingTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!OstGst::EnsureInitialized() || !gst_element_factory_find("pipewiresink"))
            GTEST_SKIP() << "GStreamer's PipeWire elements are not installed";
        if (!pipewire.Start())
            GTEST_SKIP() << "PipeWire or WirePlumber is not installed";
        COrbit_MainWnd::Parts parts;
        parts.skype = &skype;
        parts.loopback = [] { return QString(); };
        ASSERT_TRUE(controller.Initialize(true, parts));
        AnswerEveryBox(controller, messages);
        dialog = controller.MainDialog();
        // A still pattern, so that frames can be compared pixel by pixel: the camera is
        // plugged in again to take it.
        OstWebcamMonitor& webcams = OstWebcamMonitor::GetInstance();
        ASSERT_NE(webcams.SimulatedCamera(), nullptr);
        webcams.SimulatedCamera()->SetMoving(false);
        webcams.UnplugSimulatedCamera();
        webcams.PlugSimulatedCamera();
        ASSERT_TRUE(QTest::qWaitFor([&] { return webcams.DeviceCount() > 0 && webcams.DeviceAt(0)->Graph() &&
                                                 webcams.DeviceAt(0)->Graph()->State() == GraphState::Running; },
                                    kWaitMs));
    }
    void TearDown() override {
        controller.Close();
        if (const auto& camera = OstWebcamMonitor::GetInstance().SimulatedCamera())
            camera->SetMoving(true);
    }

    // Opens the settings sheet with the Setting button and runs `act` on it once it is up.
    void OnSheet(std::function<void(COstUI_Orbit_SettingPropSheet&)> act) {
        auto* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
            auto* sheet = qobject_cast<COstUI_Orbit_SettingPropSheet*>(QApplication::activeModalWidget());
            if (!sheet)
                return;
            poll->stop();
            poll->deleteLater();
            act(*sheet);
        });
        poll->start(10);
        QTest::mouseClick(dialog->findChild<QWidget*>(u"1020"_qs), Qt::LeftButton);
    }

    // The General page's box set as asked, and OK.
    void ShareThroughTheBox(bool on) {
        OnSheet([on](COstUI_Orbit_SettingPropSheet& sheet) {
            auto* box = sheet.findChild<QCheckBox*>(u"2020"_qs);
            auto* ok = sheet.findChild<QAbstractButton*>(u"1"_qs);
            if (!box || !ok || !box->isEnabled()) {
                sheet.reject();
                return;
            }
            if (box->isChecked() != on)
                QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
            QTest::mouseClick(ok, Qt::LeftButton);
        });
    }

    PrivatePipeWire pipewire;
    FakeSkypeTransport* transport = new FakeSkypeTransport;
    OstSkypeController skype{std::unique_ptr<OstSkypeTransport>(transport)};
    COrbit_MainWnd controller;
    COstUI_Orbit_MainDlg* dialog = nullptr;
    QStringList messages;
};

TEST_F(SharingTest, OtherProgramsSeeThePreviewsPictureThroughUnpluggingAndNotOnceTheBoxIsOff) {
    EXPECT_FALSE(pipewire.HasNode(OstSharedCamera::NodeName()));
    ASSERT_NO_FATAL_FAILURE(ShareThroughTheBox(true));
    ASSERT_TRUE(QTest::qWaitFor([&] { return pipewire.HasNode(OstSharedCamera::NodeName()); }, kWaitMs))
        << "no \"Orbit\" node after the box was ticked";

    Reader reader;
    ASSERT_TRUE(reader.Start());
    const QImage first = reader.Next();
    ASSERT_FALSE(first.isNull()) << "nothing came from the node";
    EXPECT_EQ(first.size(), QSize(640, 480)) << "not the capture size";
    // The picture is the preview's.
    EXPECT_LT(Difference(first, dialog->VideoWindow()->CurrentFrame()), 6.0);

    // Mirror: the reader's picture turns over with the preview.
    QTest::mouseClick(dialog->findChild<QWidget*>(u"1024"_qs), Qt::LeftButton);
    QTest::qWait(300);
    const QImage mirrored = reader.Next(5);
    EXPECT_LT(Difference(mirrored, first.mirrored(true, false)), 6.0) << "the shared picture is not mirrored";
    EXPECT_GT(Difference(mirrored, first), 20.0);

    // An effect chosen on the sheet changes what the reader sees while it is chosen.
    QImage withEffect;
    OnSheet([&](COstUI_Orbit_SettingPropSheet& sheet) {
        sheet.SetActivePage(COstUI_Orbit_SettingPropSheet::kEffect);
        if (auto* negative = sheet.findChild<QAbstractButton*>(u"3003"_qs)) {
            QTest::mouseClick(negative, Qt::LeftButton);
            QTest::qWait(300);
            withEffect = reader.Next(5);
        }
        sheet.reject();
    });
    EXPECT_GT(Difference(withEffect, mirrored), 20.0) << "the effect did not reach other programs";

    // Unplugged, the stream goes on with a still picture; plugged in again, the camera is back.
    const int before = reader.frames;
    OstWebcamMonitor::GetInstance().UnplugSimulatedCamera();
    QTest::qWait(800);
    const QImage still = reader.Next(2);
    ASSERT_FALSE(still.isNull()) << "the stream stopped with the camera";
    EXPECT_GT(reader.frames, before);
    EXPECT_GT(Difference(still, mirrored), 20.0) << "the last frame stood in for the missing camera";
    OstWebcamMonitor::GetInstance().PlugSimulatedCamera();
    EXPECT_TRUE(QTest::qWaitFor([&] { return Difference(reader.Next(1), mirrored) < 6.0; }, kWaitMs))
        << "the camera plugged in again did not reach the stream";

    // Off: the node goes.
    ASSERT_NO_FATAL_FAILURE(ShareThroughTheBox(false));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !pipewire.HasNode(OstSharedCamera::NodeName()); }, kWaitMs))
        << "the node stayed after the box was cleared";
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u" | "_qs).toStdString();
}
