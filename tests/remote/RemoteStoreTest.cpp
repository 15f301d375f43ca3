#include "OstOrbitRemote.h"
#include "OstSkypeController.h"
#include "RemoteTestSupport.h"

#include "FakeSkypeTransport.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString kSwitch = u"RMON"_qs;
const QString kPassword = u"RMPM"_qs;

} // namespace

class RemoteStoreTest : public ::testing::Test {
protected:
    void SetUp() override { RemoteSettings::Clear(); }
    void TearDown() override { RemoteSettings::Clear(); }

    FakeSkypeTransport* transport = new FakeSkypeTransport;
    OstSkypeController controller{std::unique_ptr<OstSkypeTransport>(transport)};
    RemoteSwitchLog log;
};

TEST_F(RemoteStoreTest, StoredSwitchDecidesWhetherConstructionStarts) {
    const std::pair<QVariant, bool> cases[] = {
        {QVariant(), false},  {QVariant(0), false},        {QVariant(1), true},
        {QVariant(2), false}, {QVariant(u"on"_qs), false}, {QVariant(u"1"_qs), true},
    };
    for (const auto& [stored, starts] : cases) {
        RemoteSettings::Clear();
        if (stored.isValid())
            RemoteSettings::Write(kSwitch, stored);
        log.lines.clear();
        OstOrbitRemote remote(controller);
        EXPECT_EQ(remote.IsRunning(), starts) << stored.toString().toStdString();
        EXPECT_EQ(log.lines.size(), starts ? 1 : 0) << stored.toString().toStdString();
    }
}

TEST_F(RemoteStoreTest, StartAndStopWriteTheSwitchAndRegisterBeforeAnnouncing) {
    OstOrbitRemote remote(controller);
    ASSERT_FALSE(remote.IsRunning());
    EXPECT_FALSE(RemoteSettings::Read(kSwitch).isValid());

    remote.Start();
    remote.Start();
    EXPECT_TRUE(remote.IsRunning());
    EXPECT_EQ(RemoteSettings::Read(kSwitch).toInt(), 1);
    // Announced once, with no payload, when all three names already reach the monitor.
    EXPECT_EQ(log.lines, QStringList{u"ORBIT_REMOTEMONITOR_START 1 1 1"_qs});

    remote.Stop();
    remote.Stop();
    EXPECT_FALSE(remote.IsRunning());
    EXPECT_EQ(RemoteSettings::Read(kSwitch).toInt(), 0);
    // Still registered while the stop is announced, gone from every name afterwards.
    EXPECT_EQ(log.lines, (QStringList{u"ORBIT_REMOTEMONITOR_START 1 1 1"_qs,
                                      u"ORBIT_REMOTEMONITOR_STOP 1 1 1"_qs}));
    auto& center = OstNotificationCenter::GetInstance();
    EXPECT_EQ(center.ObserverCount(u"SKYPE_CALL_MESSAGE"_qs), 0u);
    EXPECT_EQ(center.ObserverCount(u"SKYPE_CHAT_MESSAGE"_qs), 0u);
    EXPECT_EQ(center.ObserverCount(u"SKYPE_MESSAGE_MESSAGE"_qs), 0u);
}

TEST_F(RemoteStoreTest, HoldKeepsTheWishWithoutAnsweringAndAResumeWritesNothing) {
    OstOrbitRemote remote(controller);
    remote.Hold();
    EXPECT_FALSE(remote.IsRunning());
    EXPECT_EQ(RemoteSettings::Read(kSwitch).toInt(), 1) << "the wish is stored while nothing runs";

    // The switch already says on: resuming and holding again leave the stored value alone.
    RemoteSettings::Write(kSwitch, 5);
    remote.Start();
    EXPECT_TRUE(remote.IsRunning());
    remote.Hold();
    remote.Start();
    EXPECT_EQ(RemoteSettings::Read(kSwitch).toInt(), 5);

    // Off while held is stored as off.
    remote.Hold();
    remote.Stop();
    EXPECT_EQ(RemoteSettings::Read(kSwitch).toInt(), 0);
    EXPECT_FALSE(remote.IsRunning());
}

TEST_F(RemoteStoreTest, FailedSwitchWriteChangesNothing) {
    OstOrbitRemote remote(controller);
    RemoteSettings::BreakWrites();
    remote.Start();
    EXPECT_FALSE(remote.IsRunning());
    EXPECT_TRUE(log.lines.isEmpty());
    EXPECT_EQ(OstNotificationCenter::GetInstance().ObserverCount(u"SKYPE_CALL_MESSAGE"_qs), 0u);

    RemoteSettings::RepairWrites();
    remote.Start();
    ASSERT_TRUE(remote.IsRunning());
    log.lines.clear();

    RemoteSettings::BreakWrites();
    remote.Stop();
    EXPECT_TRUE(remote.IsRunning());
    EXPECT_TRUE(log.lines.isEmpty());
    EXPECT_EQ(OstNotificationCenter::GetInstance().ObserverCount(u"SKYPE_MESSAGE_MESSAGE"_qs), 1u);

    EXPECT_FALSE(remote.SetPassword(u"kept"_qs));
    EXPECT_EQ(remote.GetPassword(), QString());
    RemoteSettings::RepairWrites();
}

TEST_F(RemoteStoreTest, DamagedSettingsFileStillTakesTheSwitch) {
    // An unreadable line makes every later write of the file report a format error.
    QFile file(RemoteSettings::FileName());
    ASSERT_TRUE(QDir().mkpath(QFileInfo(file).path()));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[General\nRMON=0\n");
    file.close();

    OstOrbitRemote remote(controller);
    remote.Start();
    EXPECT_TRUE(remote.IsRunning());
    EXPECT_EQ(RemoteSettings::Read(kSwitch).toInt(), 1);
}

TEST_F(RemoteStoreTest, DestructionKeepsTheSwitchForTheNextStart) {
    {
        OstOrbitRemote remote(controller);
        remote.Start();
    }
    EXPECT_EQ(OstNotificationCenter::GetInstance().ObserverCount(u"SKYPE_CHAT_MESSAGE"_qs), 0u);
    EXPECT_EQ(RemoteSettings::Read(kSwitch).toInt(), 1);
    OstOrbitRemote next(controller);
    EXPECT_TRUE(next.IsRunning());
}

TEST_F(RemoteStoreTest, PasswordIsStoredAsBase64OfLocalTextAndOneZeroByte) {
    {
        OstOrbitRemote remote(controller);
        EXPECT_TRUE(remote.SetPassword(u"pa ss"_qs));
        EXPECT_EQ(remote.GetPassword(), u"pa ss"_qs);
        EXPECT_EQ(RemoteSettings::Read(kPassword).toString(), u"cGEgc3MA"_qs);
    }
    OstOrbitRemote next(controller);
    EXPECT_EQ(next.GetPassword(), u"pa ss"_qs);
    EXPECT_TRUE(next.SetPassword(QString()));
    EXPECT_EQ(RemoteSettings::Read(kPassword).toString(), u"AA=="_qs);
    EXPECT_FALSE(next.HasPassword());
}

// The password opens the camera to whoever types it: its file is its user's alone, from the
// first write on, and a file an older version left readable is closed at the next start.
TEST_F(RemoteStoreTest, PasswordFileIsReadableByItsUserAlone) {
    const auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    const auto mode = [] {
        return QFileInfo(RemoteSettings::FileName()).permissions() &
               ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
    };
    {
        OstOrbitRemote remote(controller);
        ASSERT_TRUE(remote.SetPassword(u"secret"_qs));
        EXPECT_EQ(mode(), ownerOnly);
        remote.Start();
        EXPECT_EQ(mode(), ownerOnly);
    }
    ASSERT_TRUE(QFile::setPermissions(RemoteSettings::FileName(),
                                      ownerOnly | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    OstOrbitRemote next(controller);
    EXPECT_EQ(mode(), ownerOnly);
    EXPECT_EQ(next.GetPassword(), u"secret"_qs);
}

TEST_F(RemoteStoreTest, StoredPasswordDecoding) {
    const std::pair<QString, QString> cases[] = {
        {u"cGEgc3MA"_qs, u"pa ss"_qs}, {u"5a+G56K8IMO8AA=="_qs, u"密碼 ü"_qs},
        {u"cGEAc3M="_qs, u"pa"_qs},   // only the bytes before the first zero
        {u"cGFzcw=="_qs, QString()},  // no zero byte
        {u"cGEgc3M@"_qs, QString()},  // not base64
        {u"cGEg c3MA"_qs, QString()}, // a blank is not base64 either
        {QString(), QString()},
    };
    for (const auto& [stored, password] : cases) {
        EXPECT_EQ(OstOrbitRemote::DecodePassword(stored), password) << stored.toStdString();
        RemoteSettings::Clear();
        RemoteSettings::Write(kPassword, stored);
        EXPECT_EQ(OstOrbitRemote(controller).GetPassword(), password) << stored.toStdString();
    }
}

TEST_F(RemoteStoreTest, PasswordsThatWouldNotReadBackAreRefused) {
    OstOrbitRemote remote(controller);
    ASSERT_TRUE(remote.SetPassword(u"first"_qs));
    const QString withZero = u"ab"_qs + QChar(0) + u"cd"_qs;
    const QString loneSurrogate = u"ab"_qs + QChar(0xD800);
    for (const QString& bad : {withZero, loneSurrogate}) {
        EXPECT_EQ(OstOrbitRemote::EncodePassword(bad), QString());
        EXPECT_FALSE(remote.SetPassword(bad));
        EXPECT_EQ(remote.GetPassword(), u"first"_qs);
        EXPECT_EQ(OstOrbitRemote::DecodePassword(RemoteSettings::Read(kPassword).toString()),
                  u"first"_qs);
    }
}
