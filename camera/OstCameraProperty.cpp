#include "OstCameraProperty.h"

#include "IOstCameraDriver.h"
#include "OstWebcam.h"

bool GetCameraProperty(OstWebcam* device, std::uint32_t id, std::int32_t& value) {
    if (!device)
        return false;
    const std::shared_ptr<IOstCameraDriver> driver = device->Driver();
    return driver && driver->GetProperty(id, value);
}

bool SetCameraProperty(OstWebcam* device, std::uint32_t id, std::int32_t value) {
    if (!device)
        return false;
    const std::shared_ptr<IOstCameraDriver> driver = device->Driver();
    return driver && driver->SetProperty(id, value);
}
