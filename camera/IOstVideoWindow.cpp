#include "IOstVideoWindow.h"

IOstVideoWindow::~IOstVideoWindow() = default;
