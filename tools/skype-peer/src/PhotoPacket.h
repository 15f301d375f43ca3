#pragma once

#include <QByteArray>
#include <QString>

// The text packets two copies of the photo application exchange over a stream: an announce
// ("PKT-BEGIN "), numbered base64 data packets ("PKT-" i), the receiver's acknowledgement
// ("PKT-ACK ", optionally refusing with " Cancel") and the sender's "PKT-Cancel ".
class PhotoPacket {
public:
    enum class Kind { Unknown, Begin, Data, Ack, AckCancel, Cancel };

    // File bytes carried by one data packet.
    static constexpr int kChunkBytes = 10242;

    static QString Begin(const QString& name, int count, const QString& resolution,
                         const QString& pictureSize);
    static QString Data(int index, const QString& name, const QByteArray& chunk);
    static QString Ack(const QString& name);
    static QString AckCancel(const QString& name);
    static QString Cancel(const QString& name);

    // Reads a packet the way the application does: tokens split at blanks.
    static PhotoPacket Parse(const QString& text);

    Kind kind = Kind::Unknown;
    QString name;
    int index = 0;      // data packets: the number after "PKT-"; -1 when it is not a number
    QString countText;  // announce: the number of data packets as written
    QString descriptor; // announce: resolution "&" picture size
    QString data;       // data packets: the base64 text
};
