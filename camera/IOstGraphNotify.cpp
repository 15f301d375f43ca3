#include "IOstGraphNotify.h"

IOstGraphNotify::~IOstGraphNotify() = default;
