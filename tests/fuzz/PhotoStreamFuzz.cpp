// Plays the part of a remote copy sending photos, packet by packet, with arbitrary packets:
// each line of an input is what arrives on one of three streams ("1 ", "2 ", "3 " before the
// packet) or, without that, a text of Skype's as it stands. After the input the transfers end
// by themselves or by destruction, and then: every announced photo that ended has a final
// report, every photo reported received is a whole file in the receive folder, no partial
// file is left there, and nothing was written outside it.
#include "FakeSkypeTransport.h"
#include "FuzzSandbox.h"
#include "OstAp2ApNotifyTarget.h"
#include "OstSkypeAp2Ap.h"
#include "OstSkypeController.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryDir>
#include <QThread>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

const QTemporaryDir* g_root = nullptr;
OstSkypeController* g_skype = nullptr;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "photo stream: %s\n", what);
    std::abort();
}

struct Reports : OstAp2ApNotifyTarget {
    void OnSkypeAp2ApMessage(const TransferReport& report) override {
        last[report.transferId] = report.status;
        if (report.status == TRANSFER_RECEIVED)
            received.append(report.FileName());
    }
    QHash<std::uint32_t, TransferStatus> last;
    QStringList received;
};

bool Final(TransferStatus status) {
    switch (status) {
    case TRANSFER_RECEIVED:
    case TRANSFER_CANCELLED:
    case TRANSFER_CANCELLED_BY_PEER:
    case TRANSFER_RECEIVE_OVERTIME:
    case TRANSFER_WRITE_FAILED:
        return true;
    default:
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    g_root = &FuzzSandbox::Start(argc, argv);
    auto transport = std::make_unique<FakeSkypeTransport>();
    FakeSkypeTransport* raw = transport.get();
    g_skype = new OstSkypeController(std::move(transport));
    g_skype->Discover();
    raw->Accept();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString folder = g_root->filePath(QStringLiteral("Receive/"));
    QDir(g_root->path()).removeRecursively();
    QDir().mkpath(folder);

    Ap2ApConfig config;
    config.pauseMs = 0;
    config.packetTimeoutMs = 20;
    config.maxFileBytes = 256 * 1024;
    config.maxIncomingFiles = 4;
    Reports reports;
    bool ended = false;
    {
        OstSkypeAp2Ap ap2ap(*g_skype, QStringLiteral("alice"), folder, &reports, config);
        const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
        for (const QByteArray& line : bytes.split('\n')) {
            const QString text = QString::fromUtf8(line);
            if (text.size() >= 2 && text[0] >= u'1' && text[0] <= u'3' && text[1] == u' ')
                ap2ap.OnApplicationMessage(QStringLiteral("ALTER APPLICATION alice READ bob:") +
                                           text[0] + u' ' + text.mid(2));
            else
                ap2ap.OnApplicationMessage(text);
            QCoreApplication::processEvents();
        }
        // The receivers end by themselves within their wait for the next packet; the rest
        // are stopped by the destruction, as when the program ends mid-transfer.
        QElapsedTimer waited;
        waited.start();
        while (ap2ap.GetIncomingCount() > 0 && waited.elapsed() < 200) {
            QCoreApplication::processEvents();
            QThread::msleep(1);
        }
        QCoreApplication::processEvents();
        ended = ap2ap.GetIncomingCount() == 0;
    }

    if (ended)
        for (auto it = reports.last.cbegin(); it != reports.last.cend(); ++it)
            if (!Final(it.value()))
                Fail("a transfer ended without a final report");
    const QStringList outside = QDir(g_root->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    if (outside != QStringList{QStringLiteral("Receive")})
        Fail("something was written outside the receive folder");
    for (const QFileInfo& entry : QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        if (entry.fileName().startsWith(u'.') || !entry.isFile())
            Fail("a partial file or a folder was left in the receive folder");
    }
    for (const QString& name : reports.received)
        if (!QFileInfo(folder + name).isFile())
            Fail("a photo reported received is not in the receive folder");
    return 0;
}
