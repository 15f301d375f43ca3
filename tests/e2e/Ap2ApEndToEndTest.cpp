#include "Ap2ApDriverProcess.h"
#include "PrivateBus.h"
#include "SkypePeerProcess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

// alice and bob each run a copy of the program on a bus of their own; carol has Skype but
// not the program.
const QString kScenario = QStringLiteral(R"({"users": [
    {"handle": "alice", "friends": ["bob", "carol"]},
    {"handle": "bob", "friends": ["alice"]},
    {"handle": "carol", "friends": ["alice"]}
  ]})");

constexpr int kChunk = 10242;
constexpr int kLongWaitMs = 180000; // a megabyte under ThreadSanitizer

QByteArray Pattern(qsizetype size, int seed) {
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + seed + i / 509) & 0xff);
    return bytes;
}

int Packets(qsizetype size) {
    return int((size + kChunk - 1) / kChunk);
}

QStringList SenderReports(const QString& name, int n) {
    QStringList lines;
    for (int i = 0; i < n; ++i)
        lines.append(QStringLiteral("6 %1 %2/%3").arg(name).arg(i).arg(n));
    lines.append(QStringLiteral("14 %1 %2/%2").arg(name).arg(n));
    return lines;
}

QStringList ReceiverReports(const QString& name, int n) {
    QStringList lines{QStringLiteral("8 %1 640x480 1.00KB").arg(name)};
    for (int i = 1; i <= n; ++i)
        lines.append(QStringLiteral("9 %1 %2/%3").arg(name).arg(i).arg(n));
    lines.append(QStringLiteral("13 %1 %2/%2").arg(name).arg(n));
    lines.append(QStringLiteral("15 %1 %2/%2").arg(name).arg(n));
    return lines;
}

} // namespace

class Ap2ApEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(aliceBus_.IsValid() && bobBus_.IsValid());
        ASSERT_TRUE(peer_.Start(
            kScenario, {{u"alice"_qs, aliceBus_.Address()}, {u"bob"_qs, bobBus_.Address()}}))
            << peer_.LastError().toStdString();
    }

    void StartDrivers(const QStringList& extra = {}) {
        const QStringList timing = {u"--pause-ms"_qs,   u"5"_qs,    u"--create-ms"_qs, u"5000"_qs,
                                    u"--connect-ms"_qs, u"2000"_qs, u"--ack-ms"_qs,    u"5000"_qs,
                                    u"--packet-ms"_qs,  u"5000"_qs};
        ASSERT_TRUE(alice_.Start(aliceBus_.Address(), AliceFolder(), timing + extra));
        ASSERT_TRUE(bob_.Start(bobBus_.Address(), BobFolder(), timing + extra));
        EXPECT_EQ(alice_.Handle(), u"alice"_qs);
        EXPECT_EQ(bob_.Handle(), u"bob"_qs);
    }

    void TearDown() override {
        EXPECT_TRUE(alice_.Quit()) << alice_.ErrorOutput().toStdString();
        EXPECT_TRUE(bob_.Quit()) << bob_.ErrorOutput().toStdString();
        peer_.Stop();
        EXPECT_TRUE(peer_.StoppedCleanly()) << peer_.ErrorOutput().toStdString();
    }

    QString AliceFolder() const { return dir_.path() + u"/alice/Receive/"_qs; }
    QString BobFolder() const { return dir_.path() + u"/bob/Receive/"_qs; }

    QString Photo(const QString& name, const QByteArray& bytes) {
        QDir().mkpath(dir_.path() + u"/photos"_qs);
        const QString path = dir_.path() + u"/photos/"_qs + name;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    std::uint32_t SendToBob(const QString& path) {
        const qint64 id = alice_.Send(u"bob"_qs, path);
        EXPECT_GT(id, 0);
        return static_cast<std::uint32_t>(std::max<qint64>(id, 0));
    }

    // A photo of 30 packets sent to bob, and his first packet of it in: the sender's and the
    // receiver's ids, the receiver's 0 when it never got that far.
    std::pair<std::uint32_t, std::uint32_t> HalfwayToBob(const QString& name, int seed) {
        const std::uint32_t id = SendToBob(Photo(name, Pattern(30 * kChunk, seed)));
        const std::uint32_t incoming = bob_.IncomingId(name, kLongWaitMs);
        if (incoming == 0 || bob_.WaitForReport(incoming, {9}, kLongWaitMs).isEmpty())
            return {id, 0};
        return {id, incoming};
    }

    static QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir dir_;
    PrivateBus aliceBus_;
    PrivateBus bobBus_;
    SkypePeerProcess peer_;
    Ap2ApDriverProcess alice_;
    Ap2ApDriverProcess bob_;
};

TEST_F(Ap2ApEndToEndTest, PhotosOfEverySizeArriveWholeOverOneConnectionWithReportsInOrder) {
    StartDrivers();
    // The megabyte goes first, so the others are queued while it travels.
    const QList<std::pair<QString, qsizetype>> photos = {{u"mega.jpg"_qs, 1024 * 1024},
                                                         {u"empty.jpg"_qs, 0},
                                                         {u"one.jpg"_qs, 1},
                                                         {u"chunk.jpg"_qs, kChunk},
                                                         {u"chunk1.jpg"_qs, kChunk + 1}};
    QList<std::uint32_t> ids;
    for (qsizetype i = 0; i < photos.size(); ++i)
        ids.append(SendToBob(Photo(photos[i].first, Pattern(photos[i].second, int(i)))));
    EXPECT_EQ(alice_.Send(u"bob"_qs, dir_.path() + u"/photos/one.jpg"_qs), 0) << "already queued";

    for (qsizetype i = 0; i < photos.size(); ++i) {
        const auto& [name, size] = photos[i];
        ASSERT_FALSE(alice_.WaitForReport(ids[i], {7, 11, 14, 16, 17}, kLongWaitMs).isEmpty())
            << name.toStdString();
        EXPECT_EQ(alice_.ReportsOf(ids[i]), SenderReports(name, Packets(size)));
        const std::uint32_t incoming = bob_.IncomingId(name, 10000);
        ASSERT_NE(incoming, 0u) << name.toStdString();
        ASSERT_FALSE(bob_.WaitForReport(incoming, {10, 12, 15, 16, 17}, 10000).isEmpty());
        EXPECT_EQ(bob_.ReportsOf(incoming), ReceiverReports(name, Packets(size)));
        EXPECT_EQ(Read(BobFolder() + name), Pattern(size, int(i))) << name.toStdString();
    }
    int connects = 0;
    for (const auto& entry : peer_.CommandLog(u"alice"_qs))
        connects += entry.text == u"ALTER APPLICATION bob CONNECT bob" ? 1 : 0;
    EXPECT_EQ(connects, 1);
    EXPECT_EQ(QDir(BobFolder()).entryList(QDir::Files | QDir::Hidden).size(), photos.size());
}

TEST_F(Ap2ApEndToEndTest, WritesThatTheNetworkDeliversTwiceDoNotCorruptThePhoto) {
    StartDrivers();
    ASSERT_TRUE(peer_.DuplicateWrites(u"alice"_qs, 4));
    ASSERT_TRUE(peer_.DuplicateWrites(u"bob"_qs, 4));
    const QByteArray bytes = Pattern(6 * kChunk + 17, 9);
    const std::uint32_t id = SendToBob(Photo(u"twice.jpg"_qs, bytes));
    ASSERT_FALSE(alice_.WaitForReport(id, {7, 14, 17}, kLongWaitMs).isEmpty());
    const std::uint32_t incoming = bob_.IncomingId(u"twice.jpg"_qs, 10000);
    ASSERT_FALSE(bob_.WaitForReport(incoming, {10, 12, 15}, 10000).isEmpty());
    EXPECT_EQ(bob_.ReportsOf(incoming).last(), u"15 twice.jpg 7/7"_qs);
    EXPECT_EQ(Read(BobFolder() + u"twice.jpg"_qs), bytes);
    const auto count = [&](const QString& handle, const QString& prefix) {
        int n = 0;
        for (const auto& entry : peer_.CommandLog(handle))
            n += entry.text.startsWith(prefix) ? 1 : 0;
        return n;
    };
    // Each side read the four repeated writes too, and acknowledged each packet once. The
    // last acknowledgement may still be on the bus when the photo is reported whole.
    const auto settled = [&](const QString& handle, const QString& prefix, int n) {
        QElapsedTimer waited;
        waited.start();
        while (count(handle, prefix) < n && waited.elapsed() < 5000)
            QThread::msleep(20);
        return count(handle, prefix) >= n;
    };
    EXPECT_TRUE(settled(u"bob"_qs, u"ALTER APPLICATION bob WRITE "_qs, 8));
    EXPECT_GE(count(u"bob"_qs, u"ALTER APPLICATION bob READ "_qs), 8 + 4);
    EXPECT_EQ(count(u"bob"_qs, u"ALTER APPLICATION bob WRITE "_qs), 8);
    EXPECT_TRUE(settled(u"alice"_qs, u"ALTER APPLICATION bob WRITE "_qs, 8));
    EXPECT_EQ(count(u"alice"_qs, u"ALTER APPLICATION bob WRITE "_qs), 8);
}

TEST_F(Ap2ApEndToEndTest, CancellingOnEitherSideEndsBothSides) {
    StartDrivers();
    const QString big = Photo(u"big.jpg"_qs, Pattern(40 * kChunk, 3));

    const std::uint32_t sent = SendToBob(big);
    ASSERT_FALSE(alice_.WaitForLine(
                     [&](const QStringList& f) {
                         return f.value(1) == QString::number(sent) && f.value(2) == u"6" &&
                                f.value(5).toInt() >= 2;
                     },
                     kLongWaitMs) < 0);
    ASSERT_TRUE(alice_.Cancel(sent));
    EXPECT_EQ(alice_.WaitForReport(sent, {7, 14, 16, 17}, kLongWaitMs).value(2), u"16"_qs);
    const std::uint32_t first = bob_.IncomingId(u"big.jpg"_qs, 10000);
    EXPECT_EQ(bob_.WaitForReport(first, {10, 12, 15, 16, 17}, kLongWaitMs).value(2), u"17"_qs);

    const int from = int(bob_.Lines().size());
    const std::uint32_t again = SendToBob(big);
    const std::uint32_t second = bob_.IncomingId(u"big.jpg"_qs, kLongWaitMs, from);
    ASSERT_NE(second, 0u);
    ASSERT_FALSE(bob_.WaitForReport(second, {9}, kLongWaitMs).isEmpty());
    ASSERT_TRUE(bob_.Cancel(second));
    EXPECT_EQ(bob_.WaitForReport(second, {10, 12, 15, 16, 17}, kLongWaitMs).value(2), u"16"_qs);
    EXPECT_EQ(alice_.WaitForReport(again, {7, 14, 16, 17}, kLongWaitMs).value(2), u"17"_qs);
    EXPECT_TRUE(QDir(BobFolder()).entryList(QDir::Files | QDir::Hidden).isEmpty())
        << "no partial photo";
}

TEST_F(Ap2ApEndToEndTest, AContactWithoutTheProgramGivesAConnectionFailure) {
    StartDrivers();
    const qint64 id = alice_.Send(u"carol"_qs, Photo(u"c.jpg"_qs, "carol"));
    ASSERT_GT(id, 0);
    EXPECT_EQ(alice_.WaitForReport(std::uint32_t(id), {2, 4, 14}, kLongWaitMs).value(2), u"4"_qs);
    EXPECT_EQ(alice_.ReportsOf(std::uint32_t(id)), QStringList{u"4 c.jpg 0/0"_qs});
}

TEST_F(Ap2ApEndToEndTest, SkypeLeavingTheBusMidTransferEndsBothSidesWithoutAHang) {
    StartDrivers({u"--keep-on-disconnect"_qs});
    const std::uint32_t id = SendToBob(Photo(u"drop.jpg"_qs, Pattern(60 * kChunk, 5)));
    const std::uint32_t incoming = bob_.IncomingId(u"drop.jpg"_qs, kLongWaitMs);
    ASSERT_NE(incoming, 0u);
    ASSERT_FALSE(bob_.WaitForReport(incoming, {9}, kLongWaitMs).isEmpty());
    ASSERT_TRUE(peer_.DropBusName(u"bob"_qs));
    EXPECT_GE(bob_.WaitForLine([](const QStringList& f) { return f.value(0) == u"disconnected"; },
                               kLongWaitMs),
              0);
    EXPECT_EQ(bob_.WaitForReport(incoming, {10, 12, 15, 16, 17}, kLongWaitMs).value(2), u"10"_qs);
    const QStringList end = alice_.WaitForReport(id, {7, 14, 16, 17}, kLongWaitMs);
    EXPECT_EQ(end.value(2), u"7"_qs);
    EXPECT_TRUE(QDir(BobFolder()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(Ap2ApEndToEndTest, ACopyThatStopsAnsweringMidPhotoEndsBothSidesInTime) {
    StartDrivers();
    const auto [id, incoming] = HalfwayToBob(u"silent.jpg"_qs, 7);
    ASSERT_NE(incoming, 0u);
    // bob's copy goes silent: none of its acknowledgements reach alice any more.
    ASSERT_TRUE(peer_.DropWrites(u"bob"_qs, 1000));
    EXPECT_EQ(alice_.WaitForReport(id, {7, 14, 16, 17}, kLongWaitMs).value(2), u"7"_qs);
    EXPECT_EQ(bob_.WaitForReport(incoming, {10, 12, 15, 16, 17}, kLongWaitMs).value(2), u"10"_qs);
    EXPECT_TRUE(QDir(BobFolder()).entryList(QDir::Files | QDir::Hidden).isEmpty()) << "a partial photo";
}

TEST_F(Ap2ApEndToEndTest, AStreamClosedMidPhotoEndsItAndTheNextPhotoTakesANewOne) {
    StartDrivers();
    const auto [id, incoming] = HalfwayToBob(u"cut.jpg"_qs, 11);
    ASSERT_NE(incoming, 0u);
    ASSERT_GT(peer_.CutStreams(u"alice"_qs), 0);
    const QString sent = alice_.WaitForReport(id, {4, 7, 14, 16, 17}, kLongWaitMs).value(2);
    EXPECT_TRUE(sent == u"7" || sent == u"17" || sent == u"4") << sent.toStdString();
    const QString received = bob_.WaitForReport(incoming, {10, 12, 15, 16, 17}, kLongWaitMs).value(2);
    EXPECT_TRUE(received == u"10" || received == u"17") << received.toStdString();
    EXPECT_TRUE(QDir(BobFolder()).entryList(QDir::Files | QDir::Hidden).isEmpty()) << "a partial photo";

    const QByteArray bytes = Pattern(3 * kChunk + 5, 12);
    const int from = int(bob_.Lines().size());
    const std::uint32_t again = SendToBob(Photo(u"again.jpg"_qs, bytes));
    EXPECT_EQ(alice_.WaitForReport(again, {4, 7, 14, 16, 17}, kLongWaitMs).value(2), u"14"_qs);
    const std::uint32_t second = bob_.IncomingId(u"again.jpg"_qs, kLongWaitMs, from);
    EXPECT_EQ(bob_.WaitForReport(second, {10, 12, 15, 16, 17}, kLongWaitMs).value(2), u"15"_qs);
    EXPECT_EQ(Read(BobFolder() + u"again.jpg"_qs), bytes);
}

TEST_F(Ap2ApEndToEndTest, APacketOutOfOrderEndsThePhotoOnBothSidesWithoutAPartialFile) {
    StartDrivers();
    const auto [id, incoming] = HalfwayToBob(u"order.jpg"_qs, 13);
    ASSERT_NE(incoming, 0u);
    // The stream bob reads the photo from, as his own commands name it.
    QString stream;
    for (const auto& entry : peer_.CommandLog(u"bob"_qs)) {
        const QStringList words = entry.text.split(u' ');
        if (words.size() == 5 && words[0] == u"ALTER" && words[3] == u"READ")
            stream = words[4];
    }
    ASSERT_FALSE(stream.isEmpty());
    // A packet from far ahead arrives before the ones between.
    ASSERT_TRUE(peer_.SendRaw(u"bob"_qs, u"ALTER APPLICATION bob READ "_qs + stream +
                                             u" PKT-20 order.jpg "_qs +
                                             QString::fromLatin1(Pattern(kChunk, 1).toBase64())));
    EXPECT_EQ(bob_.WaitForReport(incoming, {10, 12, 15, 16, 17}, kLongWaitMs).value(2), u"12"_qs);
    EXPECT_EQ(alice_.WaitForReport(id, {7, 14, 16, 17}, kLongWaitMs).value(2), u"17"_qs);
    EXPECT_TRUE(QDir(BobFolder()).entryList(QDir::Files | QDir::Hidden).isEmpty()) << "a partial photo";
}
