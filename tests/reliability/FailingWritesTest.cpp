// Writes that fail as on a full disk: the process's file-size limit is lowered for the moment
// of each write, so the write fails with EFBIG where the disk would have run out. Whatever
// fails, no file is left cut or empty under a name of its own, and what was stored before
// stays whole.
#include "FakeSkypeTransport.h"
#include "OstAp2ApNotifyTarget.h"
#include "OstNewFile.h"
#include "OstOrbitRemote.h"
#include "OstPhotoFiles.h"
#include "OstSettings.h"
#include "OstSkypeAp2Ap.h"
#include "OstSkypeController.h"
#include "PowerLossContents.h"
#include "TestHome.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

// The user's folders in a home of the test's own, before anything reads them.
QTemporaryDir& Home() {
    static QTemporaryDir home;
    return home;
}
const bool kHomeSet = [] {
    UseTestHome(Home().path());
    return true;
}();

// While it lives, no file of the process grows past `bytes`.
class FullDisk {
public:
    explicit FullDisk(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FullDisk() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

QByteArray Bytes(int size) {
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator(7);
    for (char& byte : bytes)
        byte = static_cast<char>(generator.bounded(256));
    return bytes;
}

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

struct Reports : OstAp2ApNotifyTarget {
    void OnSkypeAp2ApMessage(const TransferReport& report) override { statuses.append(report.status); }
    QList<TransferStatus> statuses;
};

} // namespace

TEST(FailingWritesTest, TheStoredFilesStayAsTheyWereWhenASaveDoesNotFit) {
    QTemporaryDir folder;
    const OstSettings::Locations locations = PowerLoss::Locations(folder.path());
    OstSettings settings(locations);
    SettingsRecord record = settings.GetSettings();
    record.DeviceName = u"Desk camera"_qs;
    ASSERT_TRUE(settings.ApplySettings(record));
    ASSERT_TRUE(settings.SaveEventList(PowerLoss::Events(true)));
    const QString stored = QFileInfo(settings.GetSettingsPath()).path();
    const QStringList before = Entries(stored);
    const QByteArray settingsBefore = Read(settings.GetSettingsPath());
    const QByteArray eventsBefore = Read(settings.GetEventListPath());

    record.DeviceName = PowerLoss::DeviceName(false);
    {
        FullDisk full(4096);
        EXPECT_FALSE(settings.ApplySettings(record)) << "a save that did not fit was reported saved";
        EXPECT_FALSE(settings.SaveEventList(PowerLoss::Events(false)));
    }
    EXPECT_EQ(Read(settings.GetSettingsPath()), settingsBefore);
    EXPECT_EQ(Read(settings.GetEventListPath()), eventsBefore);
    EXPECT_EQ(Entries(stored), before) << "a cut copy was left beside the stored files";
    OstSettings reread(locations);
    EXPECT_EQ(reread.GetSettings().DeviceName, u"Desk camera"_qs);
    EXPECT_EQ(reread.GetEvents(), PowerLoss::Events(true));
}

TEST(FailingWritesTest, APhotoOrACopyThatDoesNotFitLeavesNothingAndTheOldCopyStays) {
    QTemporaryDir folder;
    const QByteArray photo = Bytes(50000);
    const QString path = folder.filePath(u"20261208-0001.jpg"_qs);
    for (OstNewFile::Road road : {OstNewFile::Road::Unnamed, OstNewFile::Road::Linked, OstNewFile::Road::Renamed}) {
        FullDisk full(8192);
        EXPECT_NE(OstNewFile::Write(path, photo, road), OstNewFile::Failure::None);
    }
    EXPECT_EQ(Entries(folder.path()), QStringList());

    // Save As over a copy the user made before: the old copy stays whole.
    const QString source = folder.filePath(u"source.jpg"_qs);
    const QString target = folder.filePath(u"copy.jpg"_qs);
    ASSERT_TRUE(Write(source, photo));
    ASSERT_TRUE(Write(target, "the user's old copy"));
    {
        FullDisk full(8192);
        EXPECT_FALSE(OstPhotoFiles::SaveCopy(source, target));
    }
    EXPECT_EQ(Read(target), QByteArray("the user's old copy"));
    EXPECT_EQ(Entries(folder.path()), (QStringList{u"copy.jpg"_qs, u"source.jpg"_qs}));
}

TEST(FailingWritesTest, AReceivedPhotoThatDoesNotFitEndsAsFailedWithNoPartialFile) {
    QTemporaryDir folder;
    const QString receive = folder.filePath(u"Receive/"_qs);
    auto* transport = new FakeSkypeTransport;
    OstSkypeController skype{std::unique_ptr<OstSkypeTransport>(transport)};
    skype.Discover();
    transport->Accept();
    Reports reports;
    Ap2ApConfig config;
    config.pauseMs = 0;
    OstSkypeAp2Ap ap2ap(skype, u"alice"_qs, receive, &reports, config);

    const QByteArray photo = Bytes(3 * OstSkypeAp2Ap::kChunkBytes);
    const QString stream = u"ALTER APPLICATION alice READ bob:1 "_qs;
    {
        FullDisk full(8192);
        ap2ap.OnApplicationMessage(stream + u"PKT-BEGIN page.jpg 3 640x480&30.01KB"_qs);
        for (int i = 1; i <= 3; ++i) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return reports.statuses.size() >= i; }, 5000));
            const QByteArray chunk = photo.mid((i - 1) * OstSkypeAp2Ap::kChunkBytes, OstSkypeAp2Ap::kChunkBytes);
            ap2ap.OnApplicationMessage(stream + u"PKT-%1 page.jpg "_qs.arg(i) + QString::fromLatin1(chunk.toBase64()));
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return ap2ap.GetIncomingCount() == 0; }, 5000));
    }
    ASSERT_FALSE(reports.statuses.isEmpty());
    EXPECT_EQ(reports.statuses.last(), TRANSFER_WRITE_FAILED);
    EXPECT_FALSE(reports.statuses.contains(TRANSFER_RECEIVED));
    EXPECT_EQ(Entries(receive), QStringList()) << "a partial photo was left in the receive folder";
}

TEST(FailingWritesTest, APasswordThatCannotBeStoredIsNotTakenAndTheOldOneStays) {
    auto* transport = new FakeSkypeTransport;
    OstSkypeController skype{std::unique_ptr<OstSkypeTransport>(transport)};
    OstOrbitRemote remote(skype);
    ASSERT_TRUE(remote.SetPassword(u"first"_qs));
    {
        FullDisk full(8);
        EXPECT_FALSE(remote.SetPassword(u"a much longer second password"_qs));
    }
    EXPECT_EQ(remote.GetPassword(), u"first"_qs);
    OstOrbitRemote restarted(skype);
    EXPECT_EQ(restarted.GetPassword(), u"first"_qs);
}
