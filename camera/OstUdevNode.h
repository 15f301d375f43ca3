#pragma once

#include <QHash>
#include <QString>

// What udev tells about one video4linux node, at enumeration or in one of its events.
struct OstUdevNode {
    // Identifies the node from its arrival to its removal.
    QString sysPath;
    // The kernel's name of the node, "video0".
    QString sysName;
    // "/dev/video0"; empty when the node has no device file.
    QString devNode;
    // The udev properties: ID_VENDOR_ID, ID_MODEL_ID, ID_USB_INTERFACE_NUM, ID_V4L_CAPABILITIES...
    QHash<QString, QString> properties;
    // bNumInterfaces of the USB device the node belongs to; 0 when unknown.
    int usbInterfaceCount = 0;
};
