#include "IOstGraphReporter.h"

IOstGraphReporter::~IOstGraphReporter() = default;
