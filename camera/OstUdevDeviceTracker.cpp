#include "OstUdevDeviceTracker.h"

#include "IOstV4l2Io.h"
#include "OstLoopback.h"
#include "OstV4l2Device.h"

#include <QFile>

namespace {

bool IsHex(QStringView text, qsizetype length) {
    if (text.size() != length)
        return false;
    for (QChar c : text) {
        if (!c.isDigit() && !(c >= u'a' && c <= u'f') && !(c >= u'A' && c <= u'F'))
            return false;
    }
    return true;
}

} // namespace

const QString& OstUdevDeviceTracker::CaptureInterfaceClass() {
    static const QString guid = u"{65e8773d-8f56-11d0-a3b9-00a0c9223196}"_qs;
    return guid;
}

bool OstUdevDeviceTracker::IsCamera(const OstUdevNode& node) {
    return !node.devNode.isEmpty() &&
           node.properties.value(u"ID_V4L_CAPABILITIES"_qs).contains(u":capture:");
}

QString OstUdevDeviceTracker::DevicePathOf(const OstUdevNode& node) {
    const QString vendor = node.properties.value(u"ID_VENDOR_ID"_qs);
    const QString product = node.properties.value(u"ID_MODEL_ID"_qs);
    // Anything else would shift the vendor and product the monitor reads back from the path.
    if (!IsHex(vendor, 4) || !IsHex(product, 4) || node.sysName.isEmpty() ||
        node.sysName.contains(u'#') || node.sysName.contains(u'&'))
        return QString();
    QString path = u"\\\\?\\usb#vid_"_qs + vendor + u"&pid_"_qs + product;
    const QString interface = node.properties.value(u"ID_USB_INTERFACE_NUM"_qs);
    if (node.usbInterfaceCount > 1 && IsHex(interface, 2))
        path += u"&mi_"_qs + interface;
    path += u'#' + node.sysName + u'#' + CaptureInterfaceClass();
    return path.toLower();
}

QString OstUdevDeviceTracker::FriendlyNameOf(const OstUdevNode& node) {
    const QString card = node.properties.value(u"ID_V4L_PRODUCT"_qs).trimmed();
    if (!card.isEmpty())
        return card;
    QString model = node.properties.value(u"ID_MODEL"_qs);
    return model.replace(u'_', u' ').trimmed();
}

std::optional<IOstDeviceSource::Device> OstUdevDeviceTracker::DeviceOf(const OstUdevNode& node) {
    return DeviceOf(node, *IOstV4l2Io::System());
}

std::optional<IOstDeviceSource::Device> OstUdevDeviceTracker::DeviceOf(const OstUdevNode& node, IOstV4l2Io& io) {
    if (!IsCamera(node))
        return std::nullopt;
    QString path = DevicePathOf(node);
    if (path.isEmpty() || OstLoopback::IsLoopback(io, QFile::encodeName(node.devNode)))
        return std::nullopt;
    QString name = FriendlyNameOf(node);
    auto input = std::make_shared<OstV4l2Device>(path, name, node.devNode);
    return IOstDeviceSource::Device(std::move(path), std::move(name), std::move(input));
}

std::optional<IOstDeviceSource::Device> OstUdevDeviceTracker::Present(const OstUdevNode& node) {
    std::optional<IOstDeviceSource::Device> device = DeviceOf(node);
    if (device)
        known_[node.sysPath] = device->devicePath;
    return device;
}

void OstUdevDeviceTracker::Handle(QStringView action, const OstUdevNode& node,
                                  const IOstDeviceSource::ArrivalHandler& arrival,
                                  const IOstDeviceSource::RemovalHandler& removal) {
    const auto known = known_.find(node.sysPath);
    const bool leaving =
        action == u"remove" || (action == u"change" && known != known_.end() && !DeviceOf(node));
    if (leaving) {
        // A removed node's properties may be gone; the path it arrived with is what counts.
        if (known == known_.end())
            return;
        const QString path = known->second;
        known_.erase(known);
        if (removal)
            removal(path);
        return;
    }
    if ((action != u"add" && action != u"change") || known != known_.end())
        return;
    std::optional<IOstDeviceSource::Device> device = DeviceOf(node);
    if (!device)
        return;
    known_[node.sysPath] = device->devicePath;
    if (arrival)
        arrival(*device);
}
