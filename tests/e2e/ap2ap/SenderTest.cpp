#include "Ap2ApHarness.h"

#include <gtest/gtest.h>

namespace {

QByteArray Reassemble(const QStringList& writes, const QString& name) {
    QByteArray bytes;
    int expected = 1;
    for (const QString& packet : writes) {
        const QStringList t = packet.split(u' ');
        if (t.size() == 3 && t[0] == u"PKT-"_qs + QString::number(expected) && t[1] == name) {
            const QByteArray chunk = QByteArray::fromBase64(t[2].toLatin1());
            EXPECT_LE(chunk.size(), OstSkypeAp2Ap::kChunkBytes);
            EXPECT_EQ(chunk.toBase64(), t[2].toLatin1()) << "padded, unbroken base64";
            bytes += chunk;
            ++expected;
        }
    }
    return bytes;
}

} // namespace

class SenderSizeTest : public ::testing::TestWithParam<int> {};

TEST_P(SenderSizeTest, PacketsCarryTheFileInOrderAndEveryAcknowledgementIsReported) {
    const int size = GetParam();
    Ap2ApHarness h;
    const QByteArray bytes = Ap2ApHarness::Pattern(size);
    const QString path = h.WriteSource(QStringLiteral("photo.jpg"), bytes);
    const std::uint32_t id = h.ap2ap->SendFile(path, QStringLiteral("bob"),
                                               QStringLiteral("640x480"), QStringLiteral("12.3KB"));
    ASSERT_NE(id, 0u);
    ASSERT_TRUE(h.WaitUntil([&] { return h.ap2ap->GetSenderCount() == 0; }));

    const int n = (size + OstSkypeAp2Ap::kChunkBytes - 1) / OstSkypeAp2Ap::kChunkBytes;
    QStringList expectedReports;
    for (int i = 0; i < n; ++i)
        expectedReports.append(QStringLiteral("6 photo.jpg %1/%2").arg(i).arg(n));
    expectedReports.append(QStringLiteral("14 photo.jpg %1/%1").arg(n));
    EXPECT_EQ(h.target.LinesOf(id), expectedReports);
    EXPECT_FALSE(h.target.offThread);
    for (const TransferReport& report : h.target.reports)
        EXPECT_EQ(report.peer, u"bob"_qs);

    const QStringList writes = h.Writes();
    ASSERT_EQ(writes.size(), n + 1);
    EXPECT_EQ(writes[0], QStringLiteral("PKT-BEGIN photo.jpg %1 640x480&12.3KB").arg(n));
    EXPECT_EQ(Reassemble(writes, u"photo.jpg"_qs), bytes);
    if (size % OstSkypeAp2Ap::kChunkBytes == 1) {
        EXPECT_TRUE(writes.last().endsWith(u"=="));
    }

    const QStringList sent = h.transport->Sent();
    EXPECT_EQ(sent.first(), u"CREATE APPLICATION me"_qs);
    EXPECT_EQ(h.SentStartingWith(u"CREATE APPLICATION bob"_qs).size(), 1);
    EXPECT_EQ(h.SentStartingWith(u"ALTER APPLICATION bob CONNECT bob"_qs).size(), 1);
    EXPECT_EQ(h.SentStartingWith(u"ALTER APPLICATION bob WRITE bob:1 "_qs).size(), n + 1);
    EXPECT_EQ(sent.mid(sent.size() - 2), (QStringList{u"ALTER APPLICATION bob DISCONNECT bob:1"_qs,
                                                      u"DELETE APPLICATION bob"_qs}));
}

INSTANTIATE_TEST_SUITE_P(Sizes, SenderSizeTest,
                         ::testing::Values(0, 1, OstSkypeAp2Ap::kChunkBytes,
                                           OstSkypeAp2Ap::kChunkBytes + 1,
                                           3 * OstSkypeAp2Ap::kChunkBytes));

TEST(SenderTest, PhotosForOneContactShareOneConnectionAndAQueuedPathIsNotQueuedTwice) {
    Ap2ApHarness h;
    std::atomic<bool> hold{true};
    const auto acknowledge = h.remote;
    // The first photo's announcement stays unanswered until the second is queued.
    h.remote = [&](const QString& stream, const QString& packet) -> QStringList {
        if (hold)
            return {};
        return acknowledge(stream, packet);
    };
    const QString a = h.WriteSource(u"a.jpg"_qs, Ap2ApHarness::Pattern(100));
    const QString b = h.WriteSource(u"b.jpg"_qs, Ap2ApHarness::Pattern(20000));
    const std::uint32_t idA = h.ap2ap->SendFile(a, u"bob"_qs, u"r"_qs, u"s"_qs);
    ASSERT_TRUE(h.WaitUntil([&] { return h.Writes().size() == 1; }));
    const std::uint32_t idB = h.ap2ap->SendFile(b, u"bob"_qs, u"r"_qs, u"s"_qs);
    EXPECT_EQ(h.ap2ap->SendFile(b, u"bob"_qs, u"r"_qs, u"s"_qs), 0u) << "b is still queued";
    EXPECT_NE(idA, idB);
    EXPECT_NE(idB, 0u);
    hold = false;
    h.Offer(u"bob"_qs, u"bob:1"_qs, u"PKT-ACK a.jpg"_qs);
    ASSERT_TRUE(h.WaitUntil([&] { return h.ap2ap->GetSenderCount() == 0; }));

    EXPECT_EQ(h.target.LinesOf(idA), (QStringList{u"6 a.jpg 0/1"_qs, u"14 a.jpg 1/1"_qs}));
    EXPECT_EQ(h.target.LinesOf(idB),
              (QStringList{u"6 b.jpg 0/2"_qs, u"6 b.jpg 1/2"_qs, u"14 b.jpg 2/2"_qs}));
    EXPECT_EQ(h.SentStartingWith(u"ALTER APPLICATION bob CONNECT"_qs).size(), 1);
    EXPECT_EQ(h.Writes().filter(u"PKT-BEGIN"_qs),
              (QStringList{u"PKT-BEGIN a.jpg 1 r&s"_qs, u"PKT-BEGIN b.jpg 2 r&s"_qs}));
}

TEST(SenderTest, AFailedConnectionEndsEveryQueuedPhotoAndALaterPhotoTriesAgain) {
    Ap2ApConfig config = Ap2ApHarness::FastConfig();
    config.createTimeoutMs = 100;
    config.connectTimeoutMs = 100;
    Ap2ApHarness h(config);
    const QString a = h.WriteSource(u"a.jpg"_qs, "a");
    const QString b = h.WriteSource(u"b.jpg"_qs, "b");

    h.confirmCreate = false;
    const std::uint32_t a1 = h.ap2ap->SendFile(a, u"bob"_qs, u"r"_qs, u"s"_qs);
    const std::uint32_t b1 = h.ap2ap->SendFile(b, u"bob"_qs, u"r"_qs, u"s"_qs);
    ASSERT_TRUE(h.WaitUntil([&] { return h.ap2ap->GetSenderCount() == 0; }));
    EXPECT_EQ(h.target.LinesOf(a1), QStringList{u"2 a.jpg 0/0"_qs});
    EXPECT_EQ(h.target.LinesOf(b1), QStringList{u"2 b.jpg 0/0"_qs});
    EXPECT_TRUE(h.SentStartingWith(u"ALTER APPLICATION bob CONNECT"_qs).isEmpty());

    // A contact without the program: the application is made, no stream ever comes.
    h.confirmCreate = true;
    h.giveStream = false;
    const std::uint32_t a2 = h.ap2ap->SendFile(a, u"bob"_qs, u"r"_qs, u"s"_qs);
    ASSERT_TRUE(h.WaitUntil([&] { return h.ap2ap->GetSenderCount() == 0; }));
    EXPECT_EQ(h.target.LinesOf(a2), QStringList{u"4 a.jpg 0/0"_qs});
    EXPECT_EQ(h.SentStartingWith(u"CREATE APPLICATION bob"_qs).size(), 2);
    EXPECT_TRUE(h.Writes().isEmpty());
    EXPECT_EQ(h.SentStartingWith(u"DELETE APPLICATION bob"_qs).size(), 2);
}

TEST(SenderTest, OneFailedPhotoEndsAloneAndTheNextOneGoesOut) {
    Ap2ApConfig config = Ap2ApHarness::FastConfig();
    config.ackTimeoutMs = 200;
    Ap2ApHarness h(config);
    const auto acknowledge = h.remote;
    h.remote = [&](const QString& stream, const QString& packet) -> QStringList {
        if (packet.startsWith(u"PKT-1 refuse.jpg "))
            return {u"PKT-ACK refuse.jpg Cancel"_qs};
        if (packet.startsWith(u"PKT-BEGIN silent.jpg"))
            return {};
        return acknowledge(stream, packet);
    };
    const QString refuse = h.WriteSource(u"refuse.jpg"_qs, "12345");
    const QString silent = h.WriteSource(u"silent.jpg"_qs, "12345");
    const QString ok = h.WriteSource(u"ok.jpg"_qs, "12345");
    const std::uint32_t idMissing =
        h.ap2ap->SendFile(h.dir.path() + u"/missing.jpg"_qs, u"bob"_qs, u"r"_qs, u"s"_qs);
    const std::uint32_t idFolder = h.ap2ap->SendFile(h.dir.path(), u"bob"_qs, u"r"_qs, u"s"_qs);
    const std::uint32_t idRefuse = h.ap2ap->SendFile(refuse, u"bob"_qs, u"r"_qs, u"s"_qs);
    const std::uint32_t idSilent = h.ap2ap->SendFile(silent, u"bob"_qs, u"r"_qs, u"s"_qs);
    const std::uint32_t idOk = h.ap2ap->SendFile(ok, u"bob"_qs, u"r"_qs, u"s"_qs);
    ASSERT_TRUE(h.WaitUntil([&] { return h.ap2ap->GetSenderCount() == 0; }));

    EXPECT_EQ(h.target.LinesOf(idMissing), QStringList{u"11 missing.jpg 0/0"_qs});
    EXPECT_EQ(h.target.LinesOf(idFolder).size(), 1);
    EXPECT_TRUE(h.target.LinesOf(idFolder).value(0).startsWith(u"11 "));
    EXPECT_EQ(h.target.LinesOf(idRefuse),
              (QStringList{u"6 refuse.jpg 0/1"_qs, u"17 refuse.jpg 1/1"_qs}));
    EXPECT_EQ(h.target.LinesOf(idSilent), QStringList{u"7 silent.jpg 0/1"_qs});
    EXPECT_EQ(h.target.LinesOf(idOk), (QStringList{u"6 ok.jpg 0/1"_qs, u"14 ok.jpg 1/1"_qs}));
    EXPECT_EQ(h.SentStartingWith(u"ALTER APPLICATION bob CONNECT"_qs).size(), 1);
}

TEST(SenderTest, CancellingTheCurrentPhotoTellsThePeerAndAQueuedOneIsDroppedUnsent) {
    Ap2ApHarness h;
    std::atomic<bool> silent{true};
    const auto acknowledge = h.remote;
    h.remote = [&](const QString& stream, const QString& packet) -> QStringList {
        if (silent)
            return {};
        return acknowledge(stream, packet);
    };
    const QString a = h.WriteSource(u"a.jpg"_qs, Ap2ApHarness::Pattern(30000));
    const QString b = h.WriteSource(u"b.jpg"_qs, "b");
    const QString c = h.WriteSource(u"c.jpg"_qs, "c");
    const std::uint32_t idA = h.ap2ap->SendFile(a, u"bob"_qs, u"r"_qs, u"s"_qs);
    const std::uint32_t idB = h.ap2ap->SendFile(b, u"bob"_qs, u"r"_qs, u"s"_qs);
    ASSERT_TRUE(h.WaitUntil([&] { return h.Writes().size() == 1; }));

    EXPECT_TRUE(h.ap2ap->CancelTransfer(idB));
    EXPECT_FALSE(h.ap2ap->CancelTransfer(idB));
    EXPECT_TRUE(h.ap2ap->CancelTransfer(idA));
    EXPECT_FALSE(h.ap2ap->CancelTransfer(12345u));
    ASSERT_TRUE(h.WaitUntil([&] { return h.ap2ap->GetSenderCount() == 0; }));
    EXPECT_EQ(h.target.LinesOf(idB), QStringList{u"16 b.jpg 0/0"_qs});
    EXPECT_EQ(h.target.LinesOf(idA), QStringList{u"16 a.jpg 0/3"_qs});
    EXPECT_EQ(h.Writes(), (QStringList{u"PKT-BEGIN a.jpg 3 r&s"_qs, u"PKT-Cancel a.jpg"_qs}));
    EXPECT_FALSE(h.ap2ap->CancelTransfer(idA)) << "a finished transfer is not found";

    silent = false;
    const std::uint32_t idC = h.ap2ap->SendFile(c, u"bob"_qs, u"r"_qs, u"s"_qs);
    ASSERT_TRUE(h.WaitUntil([&] { return h.ap2ap->GetSenderCount() == 0; }));
    EXPECT_EQ(h.target.LinesOf(idC), (QStringList{u"6 c.jpg 0/1"_qs, u"14 c.jpg 1/1"_qs}));
}

TEST(SenderTest, ANameWithBlanksTravelsWithoutThem) {
    Ap2ApHarness h;
    const QString path = h.WriteSource(u"my photo\t1.jpg"_qs, "x");
    const std::uint32_t id = h.ap2ap->SendFile(path, u"bob"_qs, u"r"_qs, u"s"_qs);
    ASSERT_TRUE(h.WaitUntil([&] { return h.ap2ap->GetSenderCount() == 0; }));
    EXPECT_EQ(h.Writes().value(0), u"PKT-BEGIN my_photo_1.jpg 1 r&s"_qs);
    EXPECT_EQ(h.target.LinesOf(id).value(1), u"14 my photo\t1.jpg 1/1"_qs);
}
