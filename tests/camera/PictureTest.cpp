#include "COstUI_Picture.h"
#include "ConvertFileToJpeg.h"
#include "FileFaults.h"
#include "JpegProbe.h"
#include "OstPackedBitmap.h"

#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

QImage TestPicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, (x + y) % 256));
    return image;
}

quint32 U32(const QByteArray& data, int offset) {
    return qFromLittleEndian<quint32>(data.constData() + offset);
}

// A packed bitmap header with the fields the file header rule reads.
QByteArray PackedHeader(quint16 bits, quint32 imageSize, quint32 usedColors, qsizetype total) {
    QByteArray packed(total, '\0');
    qToLittleEndian<quint32>(40, packed.data());
    qToLittleEndian<quint16>(bits, packed.data() + 14);
    qToLittleEndian<quint32>(imageSize, packed.data() + 20);
    qToLittleEndian<quint32>(usedColors, packed.data() + 32);
    return packed;
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray BitmapFile(const QImage& image) {
    const QByteArray packed = OstPackedBitmap::FromImage(image);
    QByteArray header;
    qint64 body = 0;
    if (!OstPackedBitmap::FileHeader(packed, header, body))
        return {};
    return header + packed.left(body);
}

} // namespace

TEST(PackedBitmap, FileHeaderFollowsTheBitmapFileRule) {
    // 24 bits, odd width: rows padded to four bytes, no colour table.
    const QByteArray packed = OstPackedBitmap::FromImage(TestPicture(5, 3));
    ASSERT_EQ(packed.size(), 40 + 16 * 3);
    EXPECT_EQ(U32(packed, 20), 48u);
    QByteArray header;
    qint64 body = 0;
    ASSERT_TRUE(OstPackedBitmap::FileHeader(packed, header, body));
    ASSERT_EQ(header.size(), 14);
    EXPECT_EQ(header.left(2), "BM");
    EXPECT_EQ(U32(header, 2), 14u + 40 + 48);
    EXPECT_EQ(U32(header, 6), 0u);
    EXPECT_EQ(U32(header, 10), 14u + 40);
    EXPECT_EQ(body, 40 + 48);

    // A stated colour count is the table; 8 bits without one imply 256 entries.
    ASSERT_TRUE(OstPackedBitmap::FileHeader(PackedHeader(8, 100, 16, 40 + 64 + 100), header, body));
    EXPECT_EQ(U32(header, 10), 14u + 40 + 64);
    EXPECT_EQ(U32(header, 2), 14u + 40 + 64 + 100);
    ASSERT_TRUE(
        OstPackedBitmap::FileHeader(PackedHeader(8, 100, 0, 40 + 1024 + 100), header, body));
    EXPECT_EQ(U32(header, 10), 14u + 40 + 1024);
    EXPECT_EQ(body, 40 + 1024 + 100);

    // A packed bitmap shorter than its header claims is refused, not over-read.
    EXPECT_FALSE(OstPackedBitmap::FileHeader(PackedHeader(24, 1000, 0, 100), header, body));
    EXPECT_FALSE(OstPackedBitmap::FileHeader(QByteArray(20, '\0'), header, body));
    EXPECT_TRUE(OstPackedBitmap::FromImage(QImage()).isEmpty());
}

TEST(PackedBitmap, BitmapFileDecodesToThePicture) {
    const QImage picture = TestPicture(7, 4);
    QImage decoded;
    ASSERT_TRUE(decoded.loadFromData(BitmapFile(picture), "BMP"));
    EXPECT_EQ(decoded.convertToFormat(QImage::Format_RGB32), picture);
}

TEST(JpegConversion, BitmapFileBecomesAQuality99JpegOfTheSameSize) {
    QByteArray format;
    EXPECT_GE(FindJpegEncoder(format), 0);
    EXPECT_TRUE(QImageWriter::imageFormatsForMimeType("image/jpeg").contains(format));

    QTemporaryDir dir;
    const QString path = dir.filePath(u"photo.jpg"_qs);
    const QImage picture = TestPicture(800, 600);
    ASSERT_TRUE(WriteFile(path, BitmapFile(picture)));
    ASSERT_TRUE(ConvertFileToJpeg(path));
    const QByteArray jpeg = ReadFile(path);
    EXPECT_TRUE(IsQuality99Jpeg(jpeg));
    QImage photo;
    ASSERT_TRUE(photo.loadFromData(jpeg, "JPEG"));
    EXPECT_EQ(photo.size(), QSize(800, 600));
    EXPECT_LT(MeanAbsoluteDifference(photo, picture), 3.0);
    // The encoding on its own: the same quality, and nothing for no picture.
    EXPECT_TRUE(IsQuality99Jpeg(EncodeJpeg(picture, format)));
    EXPECT_TRUE(EncodeJpeg(QImage(), format).isEmpty());
}

// Every failure is told, and the file keeps what it had.
TEST(JpegConversion, AFailedConversionSaysSoAndKeepsTheFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"photo.jpg"_qs);
    const QByteArray junk("BM but not really a bitmap");
    ASSERT_TRUE(WriteFile(path, junk));
    EXPECT_FALSE(ConvertFileToJpeg(path));
    EXPECT_EQ(ReadFile(path), junk);

    const QString missing = dir.filePath(u"missing.jpg"_qs);
    EXPECT_FALSE(ConvertFileToJpeg(missing));
    EXPECT_FALSE(QFile::exists(missing));

    const QString bitmap = dir.filePath(u"bitmap.jpg"_qs);
    const QByteArray bitmapFile = BitmapFile(TestPicture(800, 600));
    ASSERT_TRUE(WriteFile(bitmap, bitmapFile));
    {
        FileSizeLimit limit(4096);
        EXPECT_FALSE(ConvertFileToJpeg(bitmap));
    }
    EXPECT_EQ(ReadFile(bitmap), bitmapFile);
    EXPECT_EQ(FolderEntries(dir.path()), (QStringList{u"bitmap.jpg"_qs, u"photo.jpg"_qs}));
}

TEST(Picture, LoadFromFileSkipsTheSamePathOnlyWhenAsked) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"a.bmp"_qs);
    ASSERT_TRUE(WriteFile(path, BitmapFile(TestPicture(30, 20))));
    COstUI_Picture picture;
    EXPECT_FALSE(picture.IsLoaded());
    EXPECT_EQ(picture.LoadFromFile(path, true), 1);
    EXPECT_EQ(picture.Width(), 30);
    EXPECT_EQ(picture.Height(), 20);
    EXPECT_EQ(picture.Path(), path);

    // Proof that a skipped load reads nothing: the file no longer decodes.
    ASSERT_TRUE(WriteFile(path, "garbage"));
    EXPECT_EQ(picture.LoadFromFile(path, true), 0);
    EXPECT_EQ(picture.Width(), 30);
    EXPECT_TRUE(picture.IsLoaded());
    EXPECT_EQ(picture.LoadFromFile(path, false), -1);
    EXPECT_FALSE(picture.IsLoaded());
    EXPECT_EQ(picture.Width(), 0);
    EXPECT_TRUE(picture.Path().isEmpty());

    // The path compares exactly: another spelling is another file.
    ASSERT_TRUE(WriteFile(path, BitmapFile(TestPicture(30, 20))));
    EXPECT_EQ(picture.LoadFromFile(path, true), 1);
    EXPECT_EQ(picture.LoadFromFile(dir.path() + u"/./a.bmp"_qs, true), 1);
}

TEST(Picture, MissingFileEmptiesTheHolder) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"b.jpg"_qs);
    ASSERT_TRUE(WriteFile(path, BitmapFile(TestPicture(10, 10))));
    ASSERT_TRUE(ConvertFileToJpeg(path));
    COstUI_Picture picture;
    ASSERT_EQ(picture.LoadFromFile(path, false), 1);
    EXPECT_EQ(picture.LoadFromFile(dir.filePath(u"gone.jpg"_qs), true), -1);
    EXPECT_FALSE(picture.IsLoaded());
    EXPECT_EQ(picture.Width(), 0);
    EXPECT_EQ(picture.Height(), 0);
    EXPECT_TRUE(picture.Path().isEmpty());
    EXPECT_EQ(picture.LoadFromFile(QString(), false), -1);
}

TEST(Picture, LoadFromResourceFindsPicturesByTypeAndId) {
    COstUI_Picture picture;
    ASSERT_TRUE(picture.LoadFromResource(9001, u"JPG"_qs));
    EXPECT_EQ(picture.Width(), 32);
    EXPECT_EQ(picture.Height(), 24);
    EXPECT_TRUE(picture.Path().isEmpty());
    EXPECT_FALSE(picture.LoadFromResource(9001, u"BITMAP"_qs));
    EXPECT_FALSE(picture.IsLoaded());
    ASSERT_TRUE(picture.LoadFromResource(9001, u"JPG"_qs));
    EXPECT_FALSE(picture.LoadFromResource(9002, u"JPG"_qs)); // not a picture
    EXPECT_EQ(picture.Width(), 0);
}
