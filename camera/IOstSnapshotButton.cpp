#include "IOstSnapshotButton.h"

IOstSnapshotButton::~IOstSnapshotButton() = default;
