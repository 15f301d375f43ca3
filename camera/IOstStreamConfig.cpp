#include "IOstStreamConfig.h"

IOstStreamConfig::~IOstStreamConfig() = default;
