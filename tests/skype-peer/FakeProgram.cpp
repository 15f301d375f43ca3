#include "FakeProgram.h"

#include "SkypePeerProcess.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>

#include <atomic>

namespace {
std::atomic<int> counter{0};

QDBusMessage InvokeMessage(const QString& command) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("com.Skype.API"), QStringLiteral("/com/Skype"),
        QStringLiteral("com.Skype.API"), QStringLiteral("Invoke"));
    call << command;
    return call;
}
} // namespace

FakeProgram::FakeProgram(const QString& address)
    : name_(QStringLiteral("fake-program-%1").arg(++counter)),
      connection_(QDBusConnection::connectToBus(address, name_)) {
    connection_.registerObject(QStringLiteral("/com/Skype/Client"), this,
                               QDBusConnection::ExportScriptableSlots);
}

FakeProgram::~FakeProgram() {
    connection_.unregisterObject(QStringLiteral("/com/Skype/Client"));
    QDBusConnection::disconnectFromBus(name_);
}

QString FakeProgram::Invoke(const QString& command) {
    const QDBusMessage reply = connection_.call(InvokeMessage(command), QDBus::Block, 5000);
    if (reply.type() != QDBusMessage::ReplyMessage)
        return QStringLiteral("DBUS:") + reply.errorName();
    return reply.arguments().value(0).toString();
}

QDBusPendingCall FakeProgram::InvokeAsync(const QString& command) {
    return connection_.asyncCall(InvokeMessage(command), 10000);
}

bool FakeProgram::Attach(const QString& handle) {
    return Invoke(QStringLiteral("NAME Orbit")) == QLatin1String("OK") &&
           WaitForNote(QStringLiteral("CURRENTUSERHANDLE ") + handle) &&
           WaitForNote(QStringLiteral("USERSTATUS "));
}

QString FakeProgram::SkypeOwner() const {
    const QDBusReply<QString> owner =
        connection_.interface()->serviceOwner(QStringLiteral("com.Skype.API"));
    return owner.isValid() ? owner.value() : QString();
}

bool FakeProgram::WaitForNote(const QString& prefix, int timeoutMs, QString* text) {
    return SkypePeerProcess::WaitUntil(
        [&] {
            for (int i = cursor_; i < notes_.size(); ++i) {
                if (notes_[i].startsWith(prefix)) {
                    cursor_ = i + 1;
                    if (text)
                        *text = notes_[i];
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
}

void FakeProgram::Notify(const QString& text) {
    notes_.append(text);
}
