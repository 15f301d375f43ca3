#include "StoreTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <limits>

class PhotoFileNameTest : public StoreTest {
protected:
    std::unique_ptr<OstSettings> store;

    void SetUp() override {
        StoreTest::SetUp();
        store = Open();
    }

    void UseMode(std::int32_t mode, const QString& base = {}) {
        SettingsRecord record = store->GetSettings();
        record.FileNameMode = mode;
        record.CustomDefineName = base;
        store->ApplySettings(record);
    }

    void UseFolder(const QString& folder) {
        SettingsRecord record = store->GetSettings();
        record.PicturesFolder = folder;
        store->ApplySettings(record);
    }
};

TEST_F(PhotoFileNameTest, EachModeCountsOnWithItsOwnSerial) {
    const QString& folder = defaultPictures;
    EXPECT_EQ(store->MakePhotoFileName(), folder + u"20090305-0001.jpg"_qs);
    EXPECT_EQ(store->MakePhotoFileName(), folder + u"20090305-0002.jpg"_qs);
    UseMode(1, u"Desk"_qs);
    EXPECT_EQ(store->MakePhotoFileName(), folder + u"Desk-0001.jpg"_qs);
    EXPECT_EQ(store->MakePhotoFileName(), folder + u"Desk-0002.jpg"_qs);
    UseMode(0);
    EXPECT_EQ(store->MakePhotoFileName(), folder + u"20090305-0003.jpg"_qs);
    UseMode(1);
    EXPECT_EQ(store->MakePhotoFileName(), folder + u"-0003.jpg"_qs); // empty base name
    UseMode(7);                                                      // anything but 1 names by date
    EXPECT_EQ(store->MakePhotoFileName(), folder + u"20090305-0004.jpg"_qs);
    EXPECT_EQ(store->GetTimeSerialNumber(), 5);
    EXPECT_EQ(store->GetCustomSerialNumber(), 4);

    const QString longBase(300, u'n'); // whole names, however long
    UseMode(1, longBase);
    EXPECT_EQ(store->MakePhotoFileName(), folder + longBase + u"-0004.jpg"_qs);
}

TEST_F(PhotoFileNameTest, MidnightRestartsTheDateSerialWithoutARestart) {
    UseMode(1, u"c"_qs);
    store->MakePhotoFileName();
    UseMode(0);
    store->MakePhotoFileName();
    store->MakePhotoFileName();
    *today = QDate(2009, 3, 6);
    EXPECT_EQ(store->MakePhotoFileName(), defaultPictures + u"20090306-0001.jpg"_qs);
    EXPECT_EQ(store->GetLastSystemTime(), u"20090306"_qs);
    EXPECT_EQ(store->GetCustomSerialNumber(), 2);
    *today = QDate(2010, 12, 31);
    EXPECT_EQ(store->MakePhotoFileName(), defaultPictures + u"20101231-0001.jpg"_qs);
}

TEST_F(PhotoFileNameTest, SerialsWidenPast9999AndWrapInsteadOfOverflowing) {
    WriteSettingsBody("<LastSystemTime>20090305</LastSystemTime>"
                      "<TimeSerialNumber>9999</TimeSerialNumber>"
                      "<CustomSerialNumber>99999999999</CustomSerialNumber>");
    store = Open();
    EXPECT_EQ(store->MakePhotoFileName(), defaultPictures + u"20090305-9999.jpg"_qs);
    EXPECT_EQ(store->MakePhotoFileName(), defaultPictures + u"20090305-10000.jpg"_qs);
    UseMode(1, u"Max"_qs);
    EXPECT_EQ(store->MakePhotoFileName(), defaultPictures + u"Max-2147483647.jpg"_qs);
    EXPECT_EQ(store->MakePhotoFileName(), defaultPictures + u"Max-0001.jpg"_qs);
}

TEST_F(PhotoFileNameTest, EmptyingTheEventListRestartsBothSerials) {
    store->MakePhotoFileName();
    UseMode(1, u"Desk"_qs);
    store->MakePhotoFileName();
    store->ResetSerialNumbers();
    EXPECT_EQ(store->MakePhotoFileName(), defaultPictures + u"Desk-0001.jpg"_qs);
    UseMode(0);
    EXPECT_EQ(store->MakePhotoFileName(), defaultPictures + u"20090305-0001.jpg"_qs);

    // The reset reaches the file with the next save, like every other advance.
    store->ApplySettings(store->GetSettings());
    auto reloaded = Open();
    EXPECT_EQ(reloaded->GetTimeSerialNumber(), 2);
    EXPECT_EQ(reloaded->GetCustomSerialNumber(), 2);
}

// Serials restart at 1 after the event list is emptied, and a settings reset or the same
// base name chosen again meets earlier photos: their names are skipped, never reused.
TEST_F(PhotoFileNameTest, NamesOfExistingFilesAreSkipped) {
    const QString& folder = defaultPictures;
    ASSERT_TRUE(QDir().mkpath(folder));
    auto touch = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write("photo") == 5;
    };
    for (const char16_t* name :
         {u"20090305-0001.jpg", u"20090305-0002.jpg", u"20090305-0004.jpg", u"Desk-0001.jpg"})
        ASSERT_TRUE(touch(folder + QString::fromUtf16(name)));

    EXPECT_EQ(store->MakePhotoFileName(), folder + u"20090305-0003.jpg"_qs);
    EXPECT_EQ(store->GetTimeSerialNumber(), 4);
    EXPECT_EQ(store->MakePhotoFileName(), folder + u"20090305-0005.jpg"_qs);
    UseMode(1, u"Desk"_qs);
    EXPECT_EQ(store->MakePhotoFileName(), folder + u"Desk-0002.jpg"_qs);
    EXPECT_EQ(store->GetCustomSerialNumber(), 3);

    store->ResetSerialNumbers();
    EXPECT_EQ(store->MakePhotoFileName(), folder + u"Desk-0002.jpg"_qs) << "not taken yet";
    ASSERT_TRUE(touch(folder + u"Desk-0002.jpg"_qs));
    store->ResetSerialNumbers();
    EXPECT_EQ(store->MakePhotoFileName(), folder + u"Desk-0003.jpg"_qs);
}

TEST_F(PhotoFileNameTest, AMissingPicturesFolderIsMadeLevelByLevel) {
    const QString deep = temp.path() + u"/a/b/c/"_qs;
    UseFolder(deep);
    EXPECT_FALSE(QFileInfo(deep).exists());
    EXPECT_EQ(store->MakePhotoFileName(), deep + u"20090305-0001.jpg"_qs);
    EXPECT_TRUE(QFileInfo(deep).isDir());

    // A last level without a trailing "/" is a name prefix, not a folder.
    const QString prefix = temp.path() + u"/x/y"_qs;
    UseFolder(prefix);
    EXPECT_EQ(store->MakePhotoFileName(), prefix + u"20090305-0002.jpg"_qs);
    EXPECT_TRUE(QFileInfo(temp.path() + u"/x/"_qs).isDir());
    EXPECT_FALSE(QFileInfo(prefix).exists());
}
