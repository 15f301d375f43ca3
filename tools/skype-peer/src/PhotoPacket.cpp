#include "PhotoPacket.h"

#include <QStringList>

QString PhotoPacket::Begin(const QString& name, int count, const QString& resolution,
                           const QString& pictureSize) {
    return QStringLiteral("PKT-BEGIN %1 %2 %3&%4")
        .arg(name)
        .arg(count)
        .arg(resolution, pictureSize);
}

QString PhotoPacket::Data(int index, const QString& name, const QByteArray& chunk) {
    return QStringLiteral("PKT-%1 %2 %3")
        .arg(index)
        .arg(name, QString::fromLatin1(chunk.toBase64()));
}

QString PhotoPacket::Ack(const QString& name) {
    return QStringLiteral("PKT-ACK ") + name;
}

QString PhotoPacket::AckCancel(const QString& name) {
    return QStringLiteral("PKT-ACK ") + name + QStringLiteral(" Cancel");
}

QString PhotoPacket::Cancel(const QString& name) {
    return QStringLiteral("PKT-Cancel ") + name;
}

PhotoPacket PhotoPacket::Parse(const QString& text) {
    PhotoPacket packet;
    const QStringList tokens = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (tokens.size() < 2)
        return packet;
    const QString& head = tokens[0];
    packet.name = tokens[1];
    if (head == QLatin1String("PKT-BEGIN")) {
        if (tokens.size() < 4)
            return packet;
        packet.kind = Kind::Begin;
        packet.countText = tokens[2];
        packet.descriptor = tokens[3];
    } else if (head == QLatin1String("PKT-ACK")) {
        packet.kind = tokens.size() == 3 && tokens[2] == QLatin1String("Cancel") ? Kind::AckCancel
                                                                                 : Kind::Ack;
    } else if (head == QLatin1String("PKT-Cancel")) {
        packet.kind = Kind::Cancel;
    } else if (head.startsWith(QLatin1String("PKT-"))) {
        if (tokens.size() < 3)
            return packet;
        bool ok = false;
        const int index = head.mid(4).toInt(&ok);
        packet.kind = Kind::Data;
        packet.index = ok ? index : -1;
        packet.data = tokens[2];
    }
    return packet;
}
