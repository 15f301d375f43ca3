// Screenshots of the main dialog for docs/img: every preview size with the list shown, one
// with it hidden, and one size in each language, with the simulated camera in the preview and
// a few photos taken from it in the list. Usage: orbit_maindlg_shots <output folder>
#include "COstUI_Orbit_EventListCtrl.h"
#include "COstUI_Orbit_MainDlg.h"
#include "OstDXShow.h"
#include "OstFriendChooser.h"
#include "OstEventListModel.h"
#include "OstLanguageSelector.h"
#include "OstMainDlgLayout.h"
#include "OstSimulatedCamera.h"
#include "OstUser.h"
#include "OstVideoInputCategory.h"
#include "OstVideoWidget.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

const QString kPath =
    u"\\\\?\\usb#vid_6b2d&pid_0e41#shots#{65e8773d-8f56-11d0-a3b9-00a0c9223196}"_qs;

void Spin(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// The window as the user sees it: outside the rounded shape is transparent.
bool Save(COstUI_Orbit_MainDlg& dialog, const QString& file) {
    Spin(400);
    QImage shot = dialog.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const QRegion shape = dialog.mask();
    if (!shape.isEmpty()) {
        QImage cut(shot.size(), QImage::Format_ARGB32);
        cut.setDevicePixelRatio(shot.devicePixelRatio()); // the shape is in logical pixels
        cut.fill(Qt::transparent);
        QPainter painter(&cut);
        painter.setClipRegion(shape);
        painter.drawImage(0, 0, shot);
        painter.end();
        shot = cut;
    }
    const bool saved = shot.save(file);
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(file));
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QTemporaryDir photos;
    auto& language = OstLanguageSelector::GetInstance();
    const auto previous = language.GetLanguage();
    language.SetLanguage(OstLanguageSelector::English);

    auto camera = std::make_shared<OstSimulatedCamera>(kPath);
    OstVideoInputCategory::GetInstance().Add(camera);
    int failures = 0;
    {
        OstEventListModel events;
        COstUI_Orbit_MainDlg dialog(events);
        dialog.show();
        OstDXShow graph(kPath, dialog.VideoWindow(), nullptr);
        if (graph.Run() != GraphState::Running) {
            std::fprintf(stderr, "the simulated camera does not run\n");
            return 1;
        }
        dialog.SetCameraState(true, 0);
        graph.SetVideoPosition();
        Spin(500);

        // Three photos of the camera: one taken, one sent, one received.
        QList<EventRecord> records;
        for (int i = 1; i <= 3; ++i) {
            const QString path = photos.filePath(QStringLiteral("IMG-2026120%1-0001.jpg").arg(i));
            graph.GrabImage(path);
            EventRecord record = EventRecord::TakenPhoto(path, u"640x480"_qs);
            record.EventType = i == 1   ? EventRecord::Taken
                               : i == 2 ? EventRecord::Sent
                                        : EventRecord::Received;
            record.Status = i == 1 ? EventRecord::NoTransfer : EventRecord::Completed;
            record.FriendID = i == 1 ? QString() : i == 2 ? u"Ann Lee"_qs : u"Bo Chen"_qs;
            records.append(record);
            Spin(300);
        }
        events.Load(records);
        dialog.EventList()->SelectOnly(0);
        dialog.ShowFirstEvent();
        dialog.SetFolderText(photos.path());
        OstUser ann(u"Ann Lee"_qs), bo(u"Bo Chen"_qs);
        dialog.Friends().FillFriendList({&ann, &bo}, u"Ann Lee"_qs);

        const int widths[] = {640, 480, 400, 320, 240};
        for (size_t i = 0; i < OstMainDlgLayout::Sizes().size(); ++i) {
            dialog.ApplyPreviewSize(OstMainDlgLayout::Sizes()[i]);
            QCoreApplication::processEvents();
            graph.SetVideoPosition();
            failures +=
                !Save(dialog, out.filePath(QStringLiteral("maindlg-%1-shown.png").arg(widths[i])));
        }
        dialog.ApplyPreviewSize(OstMainDlgLayout::Size320);
        graph.SetVideoPosition();
        QMetaObject::invokeMethod(dialog.findChild<QWidget*>(u"1022"_qs), "click");
        failures += !Save(dialog, out.filePath(u"maindlg-320-hidden.png"_qs));
        QMetaObject::invokeMethod(dialog.findChild<QWidget*>(u"1022"_qs), "click");

        for (auto [id, name] : {std::pair{OstLanguageSelector::TraditionalChinese, "cht"},
                                std::pair{OstLanguageSelector::Korean, "kor"}}) {
            language.SetLanguage(id);
            dialog.ApplyTexts();
            failures +=
                !Save(dialog,
                      out.filePath(QStringLiteral("maindlg-320-%1.png").arg(QLatin1String(name))));
        }
        language.SetLanguage(OstLanguageSelector::English);
        dialog.ApplyTexts();
        dialog.SetCameraState(false, 351);
        failures += !Save(dialog, out.filePath(u"maindlg-320-nocamera.png"_qs));
        graph.Disconnect();
    }
    OstVideoInputCategory::GetInstance().Remove(kPath);
    language.SetLanguage(previous);
    return failures == 0 ? 0 : 1;
}
