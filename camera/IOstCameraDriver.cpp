#include "IOstCameraDriver.h"

IOstCameraDriver::~IOstCameraDriver() = default;
