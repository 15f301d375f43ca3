#include "IOstVideoWindow.h"

IOstVideoWindow::~IOstVideoWindow() = default;

void IOstVideoWindow::PresentLayers(const QImage&, const QImage&) {}
