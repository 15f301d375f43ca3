#include "OstVideoInputDevice.h"

OstVideoInputDevice::~OstVideoInputDevice() = default;
