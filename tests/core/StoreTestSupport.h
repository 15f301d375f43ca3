#pragma once

#include "OstSettings.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <unistd.h>

// A data folder and a pictures folder inside a temporary folder, and a clock the test sets, so
// that no test touches the real home folders or depends on the day it runs.
class StoreTest : public ::testing::Test {
protected:
    QTemporaryDir temp;
    QString dataBase = temp.path() + u"/data"_qs;
    QString picturesBase = temp.path() + u"/pictures"_qs;
    QString dataFolder = dataBase + u"/Ostrel/Orbit/"_qs;
    QString defaultPictures = picturesBase + u"/Orbit/"_qs;
    std::shared_ptr<QDate> today = std::make_shared<QDate>(2009, 3, 5);

    void SetUp() override { ASSERT_TRUE(temp.isValid()); }

    OstSettings::Locations Locations() const {
        OstSettings::Locations locations;
        locations.DataLocation = dataBase;
        locations.PicturesLocation = picturesBase;
        locations.Today = [date = today] { return *date; };
        return locations;
    }

    std::unique_ptr<OstSettings> Open() const { return std::make_unique<OstSettings>(Locations()); }

    static void WriteFile(const QString& path, const QByteArray& bytes) {
        QDir().mkpath(path.left(path.lastIndexOf(u'/')));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    static QByteArray ReadFile(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void WriteSettings(const QByteArray& bytes) const {
        WriteFile(dataFolder + u"Settings.xml"_qs, bytes);
    }
    void WriteEvents(const QByteArray& bytes) const {
        WriteFile(dataFolder + u"EventList.xml"_qs, bytes);
    }

    // Settings.xml holding the given children of the root element.
    void WriteSettingsBody(const QByteArray& children) const {
        WriteSettings("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Settings>" + children +
                      "</Settings>");
    }

    static bool RunningAsRoot() { return ::geteuid() == 0; }
};
