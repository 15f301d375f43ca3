// Feeds arbitrary Skype texts through the whole classification path: the controller, the
// contact and call monitors, the remote monitor and the other notification observers.
#include "FakeSkypeTransport.h"
#include "OstNotificationCenter.h"
#include "OstOrbitRemote.h"
#include "OstSkypeController.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

namespace {
QCoreApplication* g_app = nullptr;
OstSkypeController* g_controller = nullptr;
OstOrbitRemote* g_remote = nullptr;

struct Reader : OstObject {
    // Touches every payload the way the observers in the program do.
    void OnNotification(void* payload, const QString& name) override {
        if (payload && name != u"SKYPE_FRIEND_INFO_UPDATE" && name != u"SKYPE_CALL_MESSAGE" &&
            name != u"SKYPE_USERSTATUS")
            sink += static_cast<const QString*>(payload)->size();
    }
    std::size_t sink = 0;
} g_reader;
} // namespace

namespace {

// A controller and a remote monitor as the program builds them, Skype attached.
void Build() {
    auto transport = std::make_unique<FakeSkypeTransport>();
    // Answers feed back into the classifier, as Skype's replies do.
    transport->answer = [](const QString& command) {
        if (command.startsWith(u"GET USER "))
            return u"USER "_qs + command.mid(9);
        if (command.startsWith(u"GET CALL "))
            return u"CALL "_qs + command.mid(9) + u" 1"_qs;
        return QString();
    };
    FakeSkypeTransport* raw = transport.get();
    g_controller = new OstSkypeController(std::move(transport));
    g_controller->Discover();
    raw->Accept();
    g_remote = new OstOrbitRemote(*g_controller);
    g_remote->SetPassword(u"secret"_qs);
    g_remote->Start();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // The remote monitor keeps its switch in the settings: keep them away from the user's.
    static QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    QStandardPaths::setTestModeEnabled(true);
    g_app = new QCoreApplication(*argc, *argv);
    Build();
    auto& center = OstNotificationCenter::GetInstance();
    for (const char16_t* name : {u"SKYPE_CHAT_MESSAGE", u"SKYPE_MESSAGE_MESSAGE",
                                 u"SKYPE_APPLICATION_MESSAGE", u"SKYPE_USERSTATUS"})
        center.AddObserver(&g_reader, OstNotificationCenter::ForwardToObject, QString::fromUtf16(name));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Every contact and call told of is kept for the program's life: a campaign starts afresh
    // now and then, or it would spend its time searching its own records.
    static int runs = 0;
    if (++runs % 5000 == 0) {
        delete g_remote;
        delete g_controller;
        Build();
    }
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const QByteArray& line : bytes.split('\n'))
        g_controller->OnSkypeMessage(QString::fromUtf8(line));
    // Replies queued by the sends above are classified too.
    QCoreApplication::processEvents();
    return 0;
}
