// Power lost in the middle of a save: a child process saves the settings and the events and
// writes photos without pause, and is killed with SIGKILL at a random moment, over and over on
// the same files. After every kill the next start must read whole files, the old content or
// the new one and never a mixture, and every photo on disk must be whole or absent. The number
// of kills is ORBIT_POWER_LOSS_RUNS (20 by default).
#include "PowerLossContents.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

QByteArray SomeJpeg() {
    QImage image(320, 240, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (int i = 0; i < 40; ++i)
        painter.fillRect(i * 8, (i * 37) % 240, 8, 40, QColor::fromHsv(i * 9, 200, 200));
    painter.end();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 90);
    return buffer.data();
}

} // namespace

TEST(PowerLossTest, EveryStartAfterAKillReadsWholeFilesAndWholePhotos) {
    const int runs = qEnvironmentVariableIsSet("ORBIT_POWER_LOSS_RUNS")
                         ? qEnvironmentVariableIntValue("ORBIT_POWER_LOSS_RUNS")
                         : 20;
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QByteArray jpeg = SomeJpeg();
    const QString source = folder.filePath(QStringLiteral("source.jpg"));
    {
        QFile file(source);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(jpeg);
    }
    const QString data = folder.filePath(QStringLiteral("run"));
    const QList<EventRecord> first = PowerLoss::Events(true);
    const QList<EventRecord> second = PowerLoss::Events(false);
    int settingsSeen = 0, photosSeen = 0;

    for (int run = 0; run < runs; ++run) {
        QProcess child;
        child.start(QStringLiteral(ORBIT_SAVE_LOOP), {data, source});
        ASSERT_TRUE(child.waitForStarted(10000));
        // Only after a first round: a slow start (a sanitizer, a loaded machine) must not
        // turn every kill into one before anything was saved.
        ASSERT_TRUE(child.waitForReadyRead(30000)) << "the save loop never got going";
        QThread::msleep(QRandomGenerator::global()->bounded(1, 40));
        child.kill();
        ASSERT_TRUE(child.waitForFinished(10000));

        OstSettings after(PowerLoss::Locations(data));
        const QString device = after.GetSettings().DeviceName;
        if (QFile::exists(after.GetSettingsPath())) {
            ++settingsSeen;
            EXPECT_TRUE(device == PowerLoss::DeviceName(true) || device == PowerLoss::DeviceName(false))
                << "run " << run << ": the settings were cut or mixed (" << device.size() << " characters)";
        }
        if (QFile::exists(after.GetEventListPath())) {
            const QList<EventRecord> events = after.GetEvents();
            EXPECT_TRUE(events == first || events == second)
                << "run " << run << ": the event list was cut or mixed (" << events.size() << " rows)";
        }
        const QDir pictures(data + QStringLiteral("/pictures"));
        for (const QString& name : pictures.entryList({QStringLiteral("photo-*.jpg")}, QDir::Files)) {
            QFile photo(pictures.filePath(name));
            ASSERT_TRUE(photo.open(QIODevice::ReadOnly));
            EXPECT_EQ(photo.readAll(), jpeg) << "run " << run << ": " << name.toStdString() << " is not whole";
            ++photosSeen;
        }
    }
    // The kills came late enough for the loop to have saved at least once.
    EXPECT_GT(settingsSeen, 0);
    EXPECT_GT(photosSeen, 0);
}
