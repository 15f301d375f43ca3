#pragma once

// Two copies of the whole program, alice and bob, each with its own bus, home and folders,
// talking through the Skype stand-in and driven only through their windows.

#include "OrbitUiProcess.h"
#include "PrivateBus.h"
#include "SkypePeerProcess.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace e2e {

// alice and bob run the program; carol has Skype but not the program; dave calls alice.
const QString kScenario = QStringLiteral(R"({"users": [
    {"handle": "alice", "fullName": "Alice", "friends": ["bob", "carol", "dave"]},
    {"handle": "bob", "fullName": "Bob", "friends": ["alice"]},
    {"handle": "carol", "fullName": "Carol", "status": "ONLINE", "friends": ["alice"]},
    {"handle": "dave", "fullName": "Dave", "status": "ONLINE", "friends": ["alice"]}
  ]})");

// Control numbers of the main dialog and the sheets.
const QString kEventList = QStringLiteral("1000");
const QString kFriends = QStringLiteral("1002");
const QString kCameraError = QStringLiteral("1025");
const QString kTakePhoto = QStringLiteral("1016");
const QString kSendPhoto = QStringLiteral("1017");
const QString kOpenFolder = QStringLiteral("1019");
const QString kSetting = QStringLiteral("1020");

constexpr int kWaitMs = 60000;

inline QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The share of green pixels where the countdown's digits are laid (the middle fifth across,
// the bottom band of the moving test pattern, which holds no green of its own): a digit
// blended at half strength stays clearly greener than red and blue over any colour there.
inline double DigitAreaGreen(const QImage& image) {
    if (image.isNull())
        return -1;
    const QRect area(int(image.width() * 0.42), int(image.height() * 0.77), int(image.width() * 0.16),
                     int(image.height() * 0.11));
    int green = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            green += qGreen(p) > qRed(p) + 20 && qGreen(p) > qBlue(p) + 5 ? 1 : 0;
        }
    return double(green) / (area.width() * area.height());
}

// The program's own text of a string number, read from the program's English window texts.
const QString kCameraBusy = QStringLiteral("Orbit device has been detected but video source is occupied");
const QString kNoCamera = QStringLiteral("Can not find Orbit device.");

} // namespace e2e

using namespace e2e;

class OrbitEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        ASSERT_TRUE(aliceBus_.IsValid() && bobBus_.IsValid());
        ASSERT_TRUE(peer_.Start(Scenario(), {{u"alice"_qs, aliceBus_.Address()}, {u"bob"_qs, bobBus_.Address()}}))
            << peer_.LastError().toStdString();
    }
    // The Skype network the test runs on.
    virtual QString Scenario() const { return kScenario; }

    void TearDown() override {
        if (alice_.IsRunning()) {
            EXPECT_TRUE(alice_.Quit()) << alice_.ErrorOutput().toStdString();
        }
        if (bob_.IsRunning()) {
            EXPECT_TRUE(bob_.Quit()) << bob_.ErrorOutput().toStdString();
        }
        peer_.Stop();
    }

    QString Home(const QString& who) const { return dir_.path() + u'/' + who; }

    void StartAlice() {
        ASSERT_TRUE(alice_.Start(aliceBus_.Address(), Home(u"alice"_qs), {u"--trace-skype"_qs}))
            << alice_.ErrorOutput().toStdString();
        ASSERT_TRUE(WaitForFriend(alice_, u"Bob"_qs)) << "alice never got her contacts";
    }
    void StartBob() {
        ASSERT_TRUE(bob_.Start(bobBus_.Address(), Home(u"bob"_qs))) << bob_.ErrorOutput().toStdString();
        ASSERT_TRUE(WaitForFriend(bob_, u"Alice"_qs)) << "bob never got his contacts";
    }

    static bool WaitForFriend(OrbitUiProcess& orbit, const QString& name) {
        return orbit.WaitUntil(
            [&] {
                const int from = orbit.LineCount();
                orbit.Command({u"items"_qs, kFriends});
                const int at = orbit.WaitForLine([](const QStringList& f) { return f.value(0) == u"items"; },
                                                 5000, from);
                return at >= 0 && orbit.Lines()[at].contains(name);
            },
            kWaitMs);
    }

    // Waits until a modal window of the class is up; returns its title, or "-" after the time.
    static QString WaitForModal(OrbitUiProcess& orbit, const QString& className) {
        QString title = u"-"_qs;
        orbit.WaitUntil(
            [&] {
                const int from = orbit.LineCount();
                orbit.Command({u"modal"_qs});
                const int at = orbit.WaitForLine([](const QStringList& f) { return f.value(0) == u"modal"; },
                                                 5000, from);
                if (at < 0 || orbit.Lines()[at].value(1) != className)
                    return false;
                title = orbit.Lines()[at].value(2);
                return true;
            },
            10000);
        return title;
    }

    // "After 5 Second" chosen on the settings sheet and confirmed.
    static void ChooseCountdown(OrbitUiProcess& orbit) {
        ASSERT_TRUE(orbit.Do({u"click"_qs, kSetting}));
        ASSERT_TRUE(orbit.Do({u"click"_qs, u"2004"_qs}));
        ASSERT_TRUE(orbit.Do({u"click"_qs, u"1"_qs}));
    }

    static bool WaitForRow(OrbitUiProcess& orbit, int row, int column, const QString& text) {
        return orbit.WaitUntil([&] { return orbit.Rows().value(row).value(column) == text; }, kWaitMs);
    }

    // Takes a photo with Take Photo and returns the top row once it is there.
    static QStringList TakePhoto(OrbitUiProcess& orbit) {
        const int before = int(orbit.Rows().size());
        EXPECT_TRUE(orbit.Do({u"click"_qs, kTakePhoto}));
        EXPECT_TRUE(orbit.WaitUntil([&] { return orbit.Rows().size() == before + 1; }, kWaitMs));
        return orbit.Rows().value(0);
    }

    QTemporaryDir dir_;
    PrivateBus aliceBus_;
    PrivateBus bobBus_;
    SkypePeerProcess peer_;
    OrbitUiProcess alice_;
    OrbitUiProcess bob_;
};

