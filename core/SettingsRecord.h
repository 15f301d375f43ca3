#pragma once

#include <QString>
#include <cstdint>

// The part of the user's settings that the settings pages edit; each field is named after the
// element that holds it in "Settings.xml".
struct SettingsRecord {
    QString DeviceName;
    // 0 takes the photo at once, 1 after the five-second countdown.
    std::int32_t SnapshotMode = 0;
    // 0 names photos by date and serial number, 1 by CustomDefineName and serial number.
    std::int32_t FileNameMode = 0;
    QString CustomDefineName;
    // Ends in "/" whenever the program chose it.
    QString PicturesFolder;
    QString Resolution;
    QString Frame;
    QString LastFriendHandle;

    bool operator==(const SettingsRecord&) const = default;
};
