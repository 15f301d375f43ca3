// The file work of the event list: copies, renames and discards that never lose a user's file.

#include "OstPhotoFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

TEST(PhotoFilesTest, ACopyReplacesWholeOrNotAtAllAndTouchesNothingElse) {
    QTemporaryDir dir;
    const QString photo = dir.filePath(u"photo.jpg"_qs);
    const QString target = dir.filePath(u"copy.jpg"_qs);
    Write(photo, "the photo");
    Write(target, "the user's older file");
    Write(target + u".part"_qs, "the user's own part file");

    ASSERT_TRUE(OstPhotoFiles::SaveCopy(photo, target));
    EXPECT_EQ(ReadAll(target), QByteArray("the photo"));
    EXPECT_EQ(ReadAll(target + u".part"_qs), QByteArray("the user's own part file"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3)
        << "nothing left behind";

    // A source that cannot be read, or a folder that is not there: false, and nothing changes.
    EXPECT_FALSE(OstPhotoFiles::SaveCopy(dir.filePath(u"gone.jpg"_qs), target));
    EXPECT_EQ(ReadAll(target), QByteArray("the photo"));
    EXPECT_FALSE(OstPhotoFiles::SaveCopy(photo, dir.filePath(u"no/such/folder.jpg"_qs)));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
}

TEST(PhotoFilesTest, ARenameNeverTakesAnotherFilesName) {
    QTemporaryDir dir;
    const QString a = dir.filePath(u"a.jpg"_qs);
    const QString b = dir.filePath(u"b.jpg"_qs);
    Write(a, "a");
    Write(b, "b");
    EXPECT_FALSE(OstPhotoFiles::Rename(a, b));
    EXPECT_EQ(ReadAll(a), QByteArray("a"));
    EXPECT_EQ(ReadAll(b), QByteArray("b"));
    EXPECT_TRUE(OstPhotoFiles::Rename(a, dir.filePath(u"c.jpg"_qs)));
    EXPECT_EQ(ReadAll(dir.filePath(u"c.jpg"_qs)), QByteArray("a"));
}

TEST(PhotoFilesTest, OnlyAPhotoNamedInFullIsDiscarded) {
    QTemporaryDir dir;
    const QString photo = dir.filePath(u"photo.jpg"_qs);
    Write(photo, "x");
    // A record with an empty name names its folder; one without a folder a relative file.
    OstPhotoFiles::Discard(dir.path() + u'/');
    OstPhotoFiles::Discard(u"photo.jpg"_qs);
    EXPECT_TRUE(QFile::exists(photo));
    EXPECT_TRUE(QDir(dir.path()).exists());
    OstPhotoFiles::Discard(photo);
    EXPECT_FALSE(QFile::exists(photo));
}
