#include "FileFaults.h"
#include "OstNewFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using OstNewFile::Failure;
using OstNewFile::Road;

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The process's umask, read without changing it (umask(2) would, for every thread).
mode_t CurrentUmask() {
    QFile status(u"/proc/self/status"_qs);
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("Umask:"))
                return static_cast<mode_t>(line.mid(6).trimmed().toUInt(nullptr, 8));
    return 022;
}

class NewFileTest : public ::testing::TestWithParam<Road> {
protected:
    QTemporaryDir dir;
    const QByteArray bytes = QByteArray(100'000, 'p') + "end";
};

} // namespace

TEST_P(NewFileTest, WritesTheBytesWholeUnderTheNameWithTheUsualPermissions) {
    const QString path = dir.filePath(u"photo.jpg"_qs);
    ASSERT_EQ(OstNewFile::Write(path, bytes, GetParam()), Failure::None);
    EXPECT_EQ(ReadAll(path), bytes);
    EXPECT_EQ(FolderEntries(dir.path()), QStringList{u"photo.jpg"_qs});
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0666 & ~CurrentUmask());
    EXPECT_EQ(info.st_nlink, 1u) << "the private file still has a name";
}

TEST_P(NewFileTest, ATakenNameIsNeverReplacedAndNothingIsLeftBeside) {
    const QString file = dir.filePath(u"file.jpg"_qs);
    {
        QFile existing(file);
        ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
        existing.write("the user's photo");
    }
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"folder.jpg"_qs));
    // A link to nowhere is a taken name too: writing through it would create its target.
    ASSERT_TRUE(QFile::link(dir.filePath(u"nowhere"_qs), dir.filePath(u"link.jpg"_qs)));
    const QStringList before = FolderEntries(dir.path());
    for (const QString& name : {u"file.jpg"_qs, u"folder.jpg"_qs, u"link.jpg"_qs})
        EXPECT_EQ(OstNewFile::Write(dir.filePath(name), bytes, GetParam()), Failure::NameTaken)
            << name.toStdString();
    EXPECT_EQ(ReadAll(file), "the user's photo");
    EXPECT_EQ(FolderEntries(dir.path()), before);
    EXPECT_FALSE(QFile::exists(dir.filePath(u"nowhere"_qs)));
}

TEST_P(NewFileTest, AFailedWriteOrAMissingFolderLeavesNothing) {
    const QString path = dir.filePath(u"photo.jpg"_qs);
    {
        FileSizeLimit limit(4096);
        EXPECT_EQ(OstNewFile::Write(path, bytes, GetParam()), Failure::Write);
    }
    EXPECT_TRUE(FolderEntries(dir.path()).isEmpty())
        << FolderEntries(dir.path()).join(u' ').toStdString();
    EXPECT_EQ(OstNewFile::Write(dir.filePath(u"gone/photo.jpg"_qs), bytes, GetParam()),
              Failure::Create);
    EXPECT_EQ(OstNewFile::Write(QString(), bytes, GetParam()), Failure::Create);
    EXPECT_TRUE(FolderEntries(dir.path()).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Roads, NewFileTest,
                         ::testing::Values(Road::Unnamed, Road::Linked, Road::Renamed));
