#include "IOstDeviceSource.h"

IOstDeviceSource::~IOstDeviceSource() = default;
