#pragma once

#include <QString>
#include <cstdint>

// One photo waiting to be sent to a contact.
struct SendJob {
    std::uint32_t transferId = 0;
    QString path;
    QString resolution;
    QString pictureSize;
};
