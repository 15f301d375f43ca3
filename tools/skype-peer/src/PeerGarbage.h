#pragma once

#include <QString>
#include <QStringList>

// Malformed and hostile texts a broken or malicious client could send, in a fixed order so a
// test that sends the first n knows what it got: short and malformed texts first, then huge
// ones, then numbers that would make a naive reader loop or overflow.
class PeerGarbage {
public:
    static const QStringList& Catalogue();
    // Entry i of the catalogue, wrapping around.
    static QString At(int index);
};
