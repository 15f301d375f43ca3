#pragma once

#include "FakeProgram.h"
#include "PrivateBus.h"
#include "SkypePeerProcess.h"

#include <gtest/gtest.h>

#include <QMap>
#include <QString>
#include <QStringList>

#include <map>
#include <memory>

// A network of: me (a program user) with friends bob (runs the photo application), carol
// (away, display name set) and dave (invisible); stranger is nobody's friend.
inline QString StandardScenario(const QString& version = QStringLiteral("2.1.0.81")) {
    return QStringLiteral(R"({
  "skypeVersion": "%1",
  "users": [
    {"handle": "me", "fullName": "Mia Example", "friends": ["bob", "carol", "dave"]},
    {"handle": "bob", "fullName": "Bob Builder", "friends": ["me"], "photoApp": true},
    {"handle": "carol", "fullName": "Carol Smith", "displayName": "Caz", "status": "AWAY"},
    {"handle": "dave", "fullName": "Dave Jones", "status": "INVISIBLE"},
    {"handle": "stranger", "fullName": "Sam Stranger"}
  ]})")
        .arg(version);
}

// Starts private buses and the peer for a test; each program user gets a bus of its own.
class PeerFixture : public ::testing::Test {
protected:
    bool StartPeer(const QString& scenario, const QStringList& programUsers,
                   const QStringList& extraArguments = {}) {
        QMap<QString, QString> addresses;
        for (const QString& handle : programUsers) {
            auto bus = std::make_unique<PrivateBus>();
            if (!bus->IsValid())
                return false;
            addresses.insert(handle, bus->Address());
            buses_[handle] = std::move(bus);
        }
        return peer_.Start(scenario, addresses, 10000, extraArguments);
    }

    QString Address(const QString& handle) { return buses_.at(handle)->Address(); }

    // A peer that crashed or reported a sanitizer error on the way out fails the test.
    void TearDown() override {
        if (!peer_.IsRunning())
            return;
        peer_.Stop();
        EXPECT_TRUE(peer_.StoppedCleanly()) << peer_.ErrorOutput().toStdString();
    }

    // Declared before the peer, so the peer stops before its buses go.
    std::map<QString, std::unique_ptr<PrivateBus>> buses_;
    SkypePeerProcess peer_;
};
