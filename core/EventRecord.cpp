#include "EventRecord.h"

#include <QFileInfo>

QString EventRecord::SizeText(std::uint32_t bytes) {
    float x = static_cast<float>(bytes);
    int unit = 0;
    while (x > 1024.0f) {
        x /= 1024.0f;
        ++unit;
    }
    const char* name = " Bytes";
    switch (unit) {
    case 1:
        name = " KB";
        break;
    case 2:
        name = " MB";
        break;
    case 3:
        name = " GB";
        break;
    case 4:
        name = " TB";
        break;
    default:
        break;
    }
    return QString::asprintf("%.2f", static_cast<double>(x)) + QLatin1String(name);
}

QString EventRecord::SizeTextOfFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile())
        return {};
    return SizeText(static_cast<std::uint32_t>(static_cast<quint64>(info.size()) & 0xFFFFFFFFu));
}

EventRecord EventRecord::TakenPhoto(const QString& path, const QString& resolution) {
    EventRecord record;
    const qsizetype slash = path.lastIndexOf(u'/');
    record.EventFolder = path.left(slash + 1);
    record.EventName = path.mid(slash + 1);
    record.Resolution = resolution;
    record.PictureSize = SizeTextOfFile(path);
    return record;
}
