#include "OstObject.h"

OstObject::~OstObject() = default;

void OstObject::OnNotification(void* /*payload*/, const QString& /*name*/) {}
