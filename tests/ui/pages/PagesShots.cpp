// Renders each page of the settings sheet in English, Traditional Chinese and Korean on the
// simulated camera, for the documentation:
//   orbit_pages_shots <output folder>
// writes pages-<page>-<language id>.png, the whole sheet cropped to its window, in 256
// colours to keep the files small.
#include "COstUI_Orbit_SettingPropSheet.h"
#include "IOstGraphReporter.h"
#include "IOstVideoWindow.h"
#include "IOstWebcamOwner.h"
#include "OstDXShow.h"
#include "OstDialogUnits.h"
#include "OstLanguageSelector.h"
#include "OstSimulatedCamera.h"
#include "OstVideoInputCategory.h"
#include "OstWebcamOrbit.h"
#include "SettingsRecord.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

class Window : public IOstVideoWindow {
public:
    void PresentFrame(const QImage&, const QRect&) override {}
    bool GetClientRect(QRect& rect) const override {
        rect = QRect(0, 0, 320, 240);
        return true;
    }
};

class Owner : public IOstWebcamOwner {
public:
    void OnWebcamSnapShotKey(OstWebcam*, IOstVideoWindow*) override {}
    void OnWebcamSnapShotImage(OstWebcam*, IOstVideoWindow*, const QString&) override {}
    void OnWebcamOrbitSendKey(OstWebcam*, IOstVideoWindow*) override {}
};

class Reporter : public IOstGraphReporter {
public:
    void ReportFailure(const QString& text) override {
        std::fprintf(stderr, "%s", qPrintable(text));
    }
};

void Wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: orbit_pages_shots <output folder>\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    const OstDialogUnits units(QApplication::font());
    std::printf("font %s, dialog base units %d x %d\n", qPrintable(QApplication::font().toString()),
                units.BaseX(), units.BaseY());

    const QString path =
        u"\\\\?\\usb#vid_6b2d&pid_0e41#shots#{65e8773d-8f56-11d0-a3b9-00a0c9223196}"_qs;
    auto camera = std::make_shared<OstSimulatedCamera>(path);
    OstVideoInputCategory::GetInstance().Add(camera);
    Reporter reporter;
    OstDXShow::SetDefaultReporter(&reporter);
    Owner owner;
    Window window;
    OstWebcamOrbit device;
    device.Init(path, QString());
    device.SetOwnerWindow(&owner);
    device.SetVideoWindow(&window);
    device.Attach();
    device.CreateGraph();
    device.Run();

    SettingsRecord record;
    record.PicturesFolder = QDir::homePath() + u"/Pictures/Orbit/"_qs;
    record.Resolution = u"640x480"_qs;
    record.Frame = u"30"_qs;
    record.CustomDefineName = u"Desk"_qs;

    const std::uint16_t languages[] = {OstLanguageSelector::English,
                                       OstLanguageSelector::TraditionalChinese,
                                       OstLanguageSelector::Korean};
    const char* pages[] = {"general", "remote", "image", "effect", "about"};
    int failures = 0;
    for (const auto& language : languages) {
        OstLanguageSelector::GetInstance().SetLanguage(language);
        COstUI_Orbit_SettingPropSheet sheet;
        sheet.SetSettingsRecord(&record);
        sheet.GeneralPage().SetDeviceNames(
            {camera->FriendlyName().isEmpty() ? u"Orbit"_qs : camera->FriendlyName()});
        sheet.RemotePage().SetRemoteValues(u"secret"_qs, 0);
        sheet.RemotePage().SetCameraPresence([] { return true; });
        sheet.SetDevice(&device);
        sheet.show();
        for (int i = 0; i < 5; ++i) {
            sheet.SetActivePage(i);
            Wait(150);
            const QString file = out + u"/pages-"_qs + QString::fromLatin1(pages[i]) + u'-' +
                                 QString::number(language) + u".png"_qs;
            const QImage shot = sheet.grab().toImage().convertToFormat(
                QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
            if (!shot.save(file))
                ++failures;
        }
        sheet.PressCancel();
    }
    device.Detach();
    OstDXShow::SetDefaultReporter(nullptr);
    OstVideoInputCategory::GetInstance().Remove(path);
    return failures == 0 ? 0 : 1;
}
