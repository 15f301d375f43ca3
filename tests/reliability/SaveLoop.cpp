// orbit_save_loop <data folder> <photo>: saves the settings and the events and writes photos,
// alternating between two known contents, until it is killed; it says "saving" once the first
// round is written. The power-loss test kills it at random moments and reads what it left.
#include "OstNewFile.h"
#include "PowerLossContents.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    const QString data = QString::fromLocal8Bit(argv[1]);
    QFile source(QString::fromLocal8Bit(argv[2]));
    if (!source.open(QIODevice::ReadOnly))
        return 2;
    const QByteArray photo = source.readAll();
    for (int round = 0;; ++round) {
        const bool first = round % 2 == 0;
        OstSettings settings(PowerLoss::Locations(data));
        SettingsRecord record = settings.GetSettings();
        record.DeviceName = PowerLoss::DeviceName(first);
        settings.ApplySettings(record);
        settings.SaveEventList(PowerLoss::Events(first));
        OstNewFile::Write(PowerLoss::PhotoPath(data, round), photo);
        if (round == 0) {
            // From here on a kill lands in the middle of the saves, whatever the start cost.
            std::fputs("saving\n", stdout);
            std::fflush(stdout);
        }
    }
}
