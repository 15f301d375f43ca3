#pragma once

#include "EventRecord.h"
#include "SettingsRecord.h"

#include <QDate>
#include <QList>
#include <QString>
#include <cstdint>
#include <functional>

// The user's settings, the photo serial counters and the event list, kept in "Settings.xml"
// and "EventList.xml" in the data folder. Used on the user-interface thread only. Every
// failure (missing or unreadable files, folders that cannot be made, failed saves) is silent
// and leaves the values in memory as they were.
class OstSettings {
public:
    // Where the store looks for its folders and today's date; tests point these elsewhere.
    struct Locations {
        // The user's data folder; "Ostrel/Orbit/" is made below it. Empty: there is none,
        // and the files are named relative to the working directory.
        QString DataLocation;
        // The user's pictures folder; "Orbit/" below it is the default pictures folder.
        // Empty: there is none, and a missing pictures folder keeps its stored text.
        QString PicturesLocation;
        // Today's local date; empty means the system clock.
        std::function<QDate()> Today;
    };

    // The desktop's own folders (GenericDataLocation, PicturesLocation) and the system clock.
    static Locations SystemLocations();

    // Builds the folders, loads both files, then applies the defaults and the date rule.
    OstSettings();
    explicit OstSettings(Locations locations);

    OstSettings(const OstSettings&) = delete;
    OstSettings& operator=(const OstSettings&) = delete;

    const SettingsRecord& GetSettings() const { return m_settings; }
    // Makes the record current (creating the new receive folder when the pictures folder
    // changed) and saves "Settings.xml" with the current date and counters.
    bool ApplySettings(const SettingsRecord& record);
    // Saves "Settings.xml" as it is; false when the file could not be replaced, in which case
    // the previous file is left as it was.
    bool SaveSettings() const;

    QList<EventRecord> GetEvents() const { return m_events; }
    // The list becomes a copy of records, newest first, and "EventList.xml" is saved; a
    // record still transferring is kept as ended, since no transfer survives the program.
    bool SaveEventList(const QList<EventRecord>& records);

    // The full path of the next photo; advances the serial number of the current mode past
    // every serial whose file already exists, and creates the pictures folder when missing.
    QString MakePhotoFileName();
    // Both serial numbers start again at 1, as when the event list has been emptied.
    void ResetSerialNumbers();

    QString GetReceiveFolder() const { return m_receiveFolder; }
    QString GetSettingsPath() const { return m_settingsPath; }
    QString GetEventListPath() const { return m_eventListPath; }
    QString GetLastSystemTime() const { return m_lastSystemTime; }
    std::int32_t GetTimeSerialNumber() const { return m_timeSerialNumber; }
    std::int32_t GetCustomSerialNumber() const { return m_customSerialNumber; }

    // A date as the eight digits the counters and photo names use: year, month, day.
    static QString DateText(const QDate& date);

private:
    QDate Today() const;
    void ApplyDateRule();
    void LoadSettingsFile();
    void LoadEventListFile();

    std::function<QDate()> m_today;
    QString m_settingsPath;
    QString m_eventListPath;
    QString m_receiveFolder;
    SettingsRecord m_settings;
    QList<EventRecord> m_events;
    QString m_lastSystemTime;
    std::int32_t m_timeSerialNumber = 1;
    std::int32_t m_customSerialNumber = 1;
};
