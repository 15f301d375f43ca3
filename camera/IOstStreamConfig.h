#pragma once

#include "OstMediaType.h"

#include <vector>

// The format control of a capture source's stream pin.
class IOstStreamConfig {
public:
    virtual ~IOstStreamConfig();
    // Every format the pin offers, in the source's order; false when it offers none.
    virtual bool EnumMediaTypes(std::vector<OstMediaType>& types) = 0;
    // The format the source delivers now.
    virtual bool GetFormat(OstMediaType& type) = 0;
    // Asks the source to deliver `type` (size and frame duration); false when it refuses.
    virtual bool SetFormat(const OstMediaType& type) = 0;
};
