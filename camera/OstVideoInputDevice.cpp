#include "OstVideoInputDevice.h"

OstVideoInputDevice::~OstVideoInputDevice() = default;

std::shared_ptr<IOstSnapshotButton> OstVideoInputDevice::SnapshotButton() {
    return nullptr;
}
