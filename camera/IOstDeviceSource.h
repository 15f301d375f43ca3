#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class OstVideoInputDevice;

// Where the device monitor learns which capture devices are present and when they come and go:
// udev on this system, a scripted source in tests. Lives on the UI thread.
class IOstDeviceSource {
public:
    struct Device {
        Device() = default;
        Device(QString path, QString name, std::shared_ptr<OstVideoInputDevice> inputDevice)
            : devicePath(std::move(path)), friendlyName(std::move(name)),
              input(std::move(inputDevice)) {}

        // The device interface path of the Windows form.
        QString devicePath;
        QString friendlyName;
        // What a graph opens for this path; null when only the path is known.
        std::shared_ptr<OstVideoInputDevice> input;
    };
    using ArrivalHandler = std::function<void(const Device& device)>;
    // The path is the one the device arrived with.
    using RemovalHandler = std::function<void(const QString& devicePath)>;

    virtual ~IOstDeviceSource();

    // Starts reporting arrivals and removals from the calling thread's event loop; a second
    // call replaces the handlers. False when changes cannot be followed (Enumerate still works).
    virtual bool Watch(ArrivalHandler arrival, RemovalHandler removal) = 0;
    // The devices present now, in the system's order.
    virtual std::vector<Device> Enumerate() = 0;
};
