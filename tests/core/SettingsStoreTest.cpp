#include "StoreTestSupport.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <csignal>
#include <limits>
#include <sys/resource.h>

namespace {

const QByteArray kDeclaration = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";

void ExpectDefaults(const OstSettings& store, const QString& defaultPictures) {
    const SettingsRecord& s = store.GetSettings();
    EXPECT_EQ(s.DeviceName, u"Orbit"_qs);
    EXPECT_EQ(s.SnapshotMode, 0);
    EXPECT_EQ(s.FileNameMode, 0);
    EXPECT_EQ(s.CustomDefineName, QString());
    EXPECT_EQ(s.PicturesFolder, defaultPictures);
    EXPECT_EQ(s.Resolution, u"640x480"_qs);
    EXPECT_EQ(s.Frame, u"30"_qs);
    EXPECT_EQ(s.LastFriendHandle, QString());
    EXPECT_EQ(store.GetLastSystemTime(), u"20090305"_qs);
    EXPECT_EQ(store.GetTimeSerialNumber(), 1);
    EXPECT_EQ(store.GetCustomSerialNumber(), 1);
    EXPECT_EQ(store.GetReceiveFolder(), defaultPictures + u"Receive/"_qs);
}

} // namespace

TEST_F(StoreTest, FirstRunMakesTheFoldersUsesDefaultsAndWritesNothing) {
    auto store = Open();
    ExpectDefaults(*store, defaultPictures);
    EXPECT_TRUE(QFileInfo(dataFolder).isDir());
    EXPECT_TRUE(QFileInfo(defaultPictures + u"Receive/"_qs).isDir());
    EXPECT_EQ(store->GetSettingsPath(), dataFolder + u"Settings.xml"_qs);
    EXPECT_EQ(store->GetEventListPath(), dataFolder + u"EventList.xml"_qs);
    EXPECT_TRUE(store->GetEvents().isEmpty());
    EXPECT_TRUE(QDir(dataFolder).isEmpty());
}

TEST_F(StoreTest, SavedSettingsAreWrittenInTheFixedFormatAndComeBackWhole) {
    const QString otherPictures = temp.path() + u"/mine/"_qs;
    QDir().mkpath(otherPictures);
    SettingsRecord record;
    record.DeviceName = u"Desk camera é😀"_qs;
    record.SnapshotMode = 0;
    record.FileNameMode = 1; // independent of SnapshotMode
    record.CustomDefineName = u"Desk & <Co>"_qs;
    record.PicturesFolder = otherPictures;
    record.Resolution = u"176x144"_qs;
    record.Frame = u"5"_qs;
    record.LastFriendHandle = u"echo123"_qs;
    {
        auto store = Open();
        store->ApplySettings(record);
        store->MakePhotoFileName(); // custom serial 1 -> 2
        record.FileNameMode = 0;
        store->ApplySettings(record);
        store->MakePhotoFileName(); // time serial 1 -> 2
        store->MakePhotoFileName(); // 2 -> 3
        record.SnapshotMode = 1;
        record.FileNameMode = 1;
        store->ApplySettings(record);
    }
    const QString expected =
        QString::fromLatin1(kDeclaration) +
        u"<Settings><DeviceName>Desk camera é😀</DeviceName><SnapshotMode>1</SnapshotMode>"
        "<FileNameMode>1</FileNameMode><CustomDefineName>Desk &amp; &lt;Co&gt;</CustomDefineName>"
        "<PicturesFolder>"_qs +
        otherPictures +
        u"</PicturesFolder><Resolution>176x144</Resolution><Frame>5</Frame>"
        "<LastFriendHandle>echo123</LastFriendHandle><LastSystemTime>20090305</LastSystemTime>"
        "<TimeSerialNumber>3</TimeSerialNumber><CustomSerialNumber>2</CustomSerialNumber>"
        "</Settings>\n"_qs;
    EXPECT_EQ(QString::fromUtf8(ReadFile(dataFolder + u"Settings.xml"_qs)), expected);

    auto reloaded = Open();
    EXPECT_EQ(reloaded->GetSettings(), record);
    EXPECT_EQ(reloaded->GetTimeSerialNumber(), 3);
    EXPECT_EQ(reloaded->GetCustomSerialNumber(), 2);
    EXPECT_EQ(reloaded->GetReceiveFolder(), otherPictures + u"Receive/"_qs);

    record.SnapshotMode = 1;
    record.FileNameMode = 0;
    reloaded->ApplySettings(record);
    EXPECT_EQ(Open()->GetSettings(), record);
}

TEST_F(StoreTest, TextsXmlCannotHoldNeverSpoilTheFile) {
    SettingsRecord record = Open()->GetSettings();
    record.DeviceName = u"a\rb\r\nc\td"_qs;
    record.LastFriendHandle = u"x"_qs + QChar(0x01) + QChar(0xFFFF) + QChar(0xD800) + u"y"_qs;
    Open()->ApplySettings(record);

    auto reloaded = Open();
    EXPECT_EQ(reloaded->GetSettings().DeviceName, u"a\rb\r\nc\td"_qs);
    EXPECT_EQ(reloaded->GetSettings().LastFriendHandle, u"xy"_qs);
}

// A file in another encoding can decode to characters XML cannot hold; they are left out on
// reading as on writing, so what is read is what a save keeps.
TEST_F(StoreTest, WhatIsReadIsWhatItsSaveKeepsWhateverTheFilesEncoding) {
    WriteSettings("<?xml version=\"1.0\" encoding=\"utf-7\"?>\n"
                  "<Settings><DeviceName>Orb+2222222222-it</DeviceName></Settings>\n");
    auto first = Open();
    const QString name = first->GetSettings().DeviceName;
    ASSERT_TRUE(first->SaveSettings());
    EXPECT_EQ(Open()->GetSettings().DeviceName, name);
    EXPECT_TRUE(name.startsWith(u"Orb"_qs)) << "the readable part is kept";
}

TEST_F(StoreTest, ReadingFollowsTheFirstSettingsElementAndExactNames) {
    WriteSettings("<?xml version=\"1.0\"?><Outer><!-- note --><Other><DeviceName>No</DeviceName>"
                  "</Other><Inner><Settings>"
                  "<DeviceName>First</DeviceName><devicename>Lower</devicename>"
                  "<Unknown><DeviceName>Nested</DeviceName></Unknown>"
                  "<CustomDefineName>a<b>b</b>c</CustomDefineName>"
                  "<DeviceName>Second</DeviceName>"
                  "<LastFriendHandle>  spaced  </LastFriendHandle>"
                  "<Frame>15</Frame><Frame>10</Frame>"
                  "</Settings></Inner>"
                  "<Settings><Resolution>800x600</Resolution></Settings></Outer>");
    auto store = Open();
    const SettingsRecord& s = store->GetSettings();
    EXPECT_EQ(s.DeviceName, u"Second"_qs);           // repeated names overwrite
    EXPECT_EQ(s.CustomDefineName, u"abc"_qs);        // the text of the element and its children
    EXPECT_EQ(s.LastFriendHandle, u"  spaced  "_qs); // kept as written
    EXPECT_EQ(s.Frame, u"10"_qs);
    EXPECT_EQ(s.Resolution, u"640x480"_qs);       // the second Settings element is not read
    EXPECT_EQ(s.PicturesFolder, defaultPictures); // absent: keeps the default
}

TEST_F(StoreTest, NumbersReadLikeTheCRuntimeAndOutOfRangeValuesFallBack) {
    struct Case {
        QByteArray snapshot, fileName, time, custom;
        int snapshotWant, fileNameWant, timeWant, customWant;
    };
    const Case cases[] = {
        {"1", "1", "7", "12", 1, 1, 7, 12},
        {" +1x", "\t1", "  42 photos", "+9", 1, 1, 42, 9},
        {"2", "-1", "0", "-3", 0, 0, 1, 1},
        {"abc", "", "-99999999999", "99999999999", 0, 0, 1, std::numeric_limits<int>::max()},
        {"99999999999", "4294967297", "3e5", "0x10", 0, 0, 3, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.snapshot.toStdString() + " " + c.time.toStdString());
        WriteSettingsBody("<SnapshotMode>" + c.snapshot + "</SnapshotMode><FileNameMode>" +
                          c.fileName +
                          "</FileNameMode><LastSystemTime>20090305</LastSystemTime>"
                          "<TimeSerialNumber>" +
                          c.time +
                          "</TimeSerialNumber>"
                          "<CustomSerialNumber>" +
                          c.custom + "</CustomSerialNumber>");
        auto store = Open();
        EXPECT_EQ(store->GetSettings().SnapshotMode, c.snapshotWant);
        EXPECT_EQ(store->GetSettings().FileNameMode, c.fileNameWant);
        EXPECT_EQ(store->GetTimeSerialNumber(), c.timeWant);
        EXPECT_EQ(store->GetCustomSerialNumber(), c.customWant);
    }
}

TEST_F(StoreTest, OnlyTheListedResolutionsAndFramesAreKept) {
    const char* const kept[][2] = {{"800x600", "5"}, {"160x120", "10"}};
    for (const auto& [resolution, frame] : kept) {
        WriteSettingsBody(QByteArray("<Resolution>") + resolution + "</Resolution><Frame>" + frame +
                          "</Frame>");
        EXPECT_EQ(Open()->GetSettings().Resolution, QString::fromLatin1(resolution));
        EXPECT_EQ(Open()->GetSettings().Frame, QString::fromLatin1(frame));
    }
    const char* const replaced[][2] = {{"1024x768", "25"}, {"640X480", "030"}, {" 640x480", "15 "}};
    for (const auto& [resolution, frame] : replaced) {
        WriteSettingsBody(QByteArray("<Resolution>") + resolution + "</Resolution><Frame>" + frame +
                          "</Frame>");
        EXPECT_EQ(Open()->GetSettings().Resolution, u"640x480"_qs) << resolution;
        EXPECT_EQ(Open()->GetSettings().Frame, u"30"_qs) << frame;
    }
}

TEST_F(StoreTest, ANewDayRestartsOnlyTheDateSerial) {
    WriteSettingsBody("<DeviceName></DeviceName><LastSystemTime>20090304</LastSystemTime>"
                      "<TimeSerialNumber>17</TimeSerialNumber>"
                      "<CustomSerialNumber>23</CustomSerialNumber>");
    auto store = Open();
    EXPECT_EQ(store->GetLastSystemTime(), u"20090305"_qs);
    EXPECT_EQ(store->GetTimeSerialNumber(), 1);
    EXPECT_EQ(store->GetCustomSerialNumber(), 23);
    EXPECT_EQ(store->GetSettings().DeviceName, u"Orbit"_qs);

    WriteSettingsBody("<LastSystemTime>20090305</LastSystemTime>"
                      "<TimeSerialNumber>17</TimeSerialNumber>");
    EXPECT_EQ(Open()->GetTimeSerialNumber(), 17);
}

TEST_F(StoreTest, BrokenOrForeignFilesLeaveTheDefaults) {
    QByteArray garbage(64 * 1024, '\0');
    QRandomGenerator generator(4);
    for (char& byte : garbage)
        byte = static_cast<char>(generator.bounded(256));
    const QByteArray good = kDeclaration + "<Settings><DeviceName>Good</DeviceName>"
                                           "<Frame>15</Frame></Settings>";
    const QByteArray files[] = {
        QByteArray(),
        good.left(good.size() - 5), // truncated
        garbage,
        "<?xml version=\"1.0\"?><Setting><DeviceName>Other</DeviceName></Setting>",
        "<?xml version=\"1.0\"?><settings><DeviceName>Other</DeviceName></settings>",
        good + "<Settings/>",      // a second root is not well-formed
        good + "\xff\xfe garbage", // trailing bytes after the root
        "<Settings><DeviceName>Bad &undefined; entity</DeviceName></Settings>",
    };
    for (const QByteArray& file : files) {
        SCOPED_TRACE(file.left(60).toStdString());
        WriteSettings(file);
        ExpectDefaults(*Open(), defaultPictures);
    }
}

TEST_F(StoreTest, HugeFilesAndHugeTextsLoadByTheRules) {
    const QString longText(100000, u'n');
    WriteSettingsBody("<DeviceName>" + longText.toUtf8() + "</DeviceName><PicturesFolder>/" +
                      longText.toUtf8() + "/</PicturesFolder><Resolution>" + longText.toUtf8() +
                      "</Resolution>");
    {
        auto store = Open();
        EXPECT_EQ(store->GetSettings().DeviceName, longText);
        EXPECT_EQ(store->GetSettings().PicturesFolder, defaultPictures); // no such folder
        EXPECT_EQ(store->GetSettings().Resolution, u"640x480"_qs);
        store->ApplySettings(store->GetSettings());
    }
    EXPECT_EQ(Open()->GetSettings().DeviceName, longText);

    // 50 MB: an unknown element's text before the fields that count, then the same file cut
    // short before its end.
    QByteArray big = kDeclaration + "<Settings><Junk>";
    big.append(QByteArray(50 * 1024 * 1024, 'j'));
    big.append("</Junk><DeviceName>After junk</DeviceName></Settings>");
    WriteSettings(big);
    EXPECT_EQ(Open()->GetSettings().DeviceName, u"After junk"_qs);
    big.chop(20);
    WriteSettings(big);
    EXPECT_EQ(Open()->GetSettings().DeviceName, u"Orbit"_qs);
}

TEST_F(StoreTest, UnreadableSettingsFileLeavesTheDefaults) {
    if (RunningAsRoot())
        GTEST_SKIP() << "permissions do not stop reads for root";
    WriteSettingsBody("<DeviceName>Hidden</DeviceName>");
    QFile::setPermissions(dataFolder + u"Settings.xml"_qs, QFileDevice::Permissions());
    ExpectDefaults(*Open(), defaultPictures);
    QFile::setPermissions(dataFolder, QFileDevice::Permissions());
    ExpectDefaults(*Open(), defaultPictures);
    QFile::setPermissions(dataFolder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(StoreTest, DataFolderThatCannotBeMadeLeavesTheProgramOnDefaults) {
    WriteFile(dataBase, "a file where the data folder should be");
    auto store = Open();
    ExpectDefaults(*store, defaultPictures);
    EXPECT_EQ(store->GetSettingsPath(), dataBase + u"/Ostrel/Orbit/Settings.xml"_qs);

    SettingsRecord record = store->GetSettings();
    record.DeviceName = u"Kept in memory"_qs;
    store->ApplySettings(record);
    EXPECT_EQ(store->GetSettings().DeviceName, u"Kept in memory"_qs);
    EXPECT_FALSE(store->SaveSettings());
    EXPECT_FALSE(store->SaveEventList({EventRecord{}}));
    EXPECT_EQ(store->GetEvents().size(), 1);
}

TEST_F(StoreTest, AFailedSaveLeavesThePreviousFilesWhole) {
    SettingsRecord record = Open()->GetSettings();
    record.DeviceName = u"Previous"_qs;
    auto store = Open();
    store->ApplySettings(record);
    const QList<EventRecord> previous = {EventRecord::TakenPhoto(u"/p/one.jpg"_qs, u"640x480"_qs)};
    ASSERT_TRUE(store->SaveEventList(previous));
    const QByteArray settingsBefore = ReadFile(store->GetSettingsPath());
    const QByteArray eventsBefore = ReadFile(store->GetEventListPath());

    // A file-size limit makes every write past 64 bytes fail, as a full disk would.
    struct rlimit old {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    record.DeviceName = QString(1000, u'x');
    store->ApplySettings(record);
    const bool settingsSaved = store->SaveSettings();
    const bool eventsSaved = store->SaveEventList(QList<EventRecord>(100, previous.first()));
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(settingsSaved);
    EXPECT_FALSE(eventsSaved);
    EXPECT_EQ(ReadFile(store->GetSettingsPath()), settingsBefore);
    EXPECT_EQ(ReadFile(store->GetEventListPath()), eventsBefore);
    EXPECT_EQ(QDir(dataFolder).entryList(QDir::Files).size(), 2); // no leftovers
    EXPECT_EQ(Open()->GetSettings().DeviceName, u"Previous"_qs);
}

TEST_F(StoreTest, ApplyingAnotherPicturesFolderMakesItsReceiveFolderAtOnce) {
    auto store = Open();
    const QString other = temp.path() + u"/other/"_qs;
    QDir().mkpath(other);
    SettingsRecord record = store->GetSettings();
    record.PicturesFolder = other;
    store->ApplySettings(record);
    EXPECT_EQ(store->GetReceiveFolder(), other + u"Receive/"_qs);
    EXPECT_TRUE(QFileInfo(other + u"Receive/"_qs).isDir());
    EXPECT_EQ(store->GetSettings().PicturesFolder, other);
    EXPECT_TRUE(QFileInfo(store->GetSettingsPath()).isFile());
}

TEST_F(StoreTest, AStoredPicturesFolderThatIsGoneFallsBackToTheDefault) {
    const QString gone = temp.path() + u"/gone/"_qs;
    WriteSettingsBody("<PicturesFolder>" + gone.toUtf8() + "</PicturesFolder>");
    EXPECT_EQ(Open()->GetSettings().PicturesFolder, defaultPictures);
    QDir().mkpath(gone);
    EXPECT_EQ(Open()->GetSettings().PicturesFolder, gone);
}

TEST_F(StoreTest, SystemLocationsAreTheDesktopDataAndPicturesFolders) {
    const QByteArray oldHome = qgetenv("HOME");
    const QByteArray oldData = qgetenv("XDG_DATA_HOME");
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", temp.path().toUtf8());
    qputenv("XDG_DATA_HOME", (temp.path() + u"/xdg-data"_qs).toUtf8());
    qputenv("XDG_CONFIG_HOME", (temp.path() + u"/xdg-config"_qs).toUtf8());
    WriteFile(temp.path() + u"/xdg-config/user-dirs.dirs"_qs,
              "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n");

    const OstSettings::Locations system = OstSettings::SystemLocations();
    QString settingsPath, picturesFolder;
    {
        OstSettings store;
        settingsPath = store.GetSettingsPath();
        picturesFolder = store.GetSettings().PicturesFolder;
    }
    qputenv("HOME", oldHome);
    oldData.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", oldData);
    oldConfig.isNull() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", oldConfig);

    EXPECT_EQ(system.DataLocation, temp.path() + u"/xdg-data"_qs);
    EXPECT_EQ(settingsPath, temp.path() + u"/xdg-data/Ostrel/Orbit/Settings.xml"_qs);
    EXPECT_EQ(picturesFolder, temp.path() + u"/Bilder/Orbit/"_qs);
    EXPECT_TRUE(QFileInfo(picturesFolder + u"Receive/"_qs).isDir());
}
