#pragma once

#include <cstdint>

// The camera driver's property set as the program sees it: one 32-bit signed value per
// property id (OstCameraProperty.h lists the ids). Implementations are safe to call from any
// thread, since the button thread reads the second button while the UI thread sets values.
class IOstCameraDriver {
public:
    virtual ~IOstCameraDriver();
    // False when the driver has no such property or cannot read it.
    virtual bool GetProperty(std::uint32_t id, std::int32_t& value) = 0;
    // False when the driver has no such property, it is read-only, or the write fails.
    virtual bool SetProperty(std::uint32_t id, std::int32_t value) = 0;
};
