#include "OstGraphEvent.h"

OstGraphEvent::OstGraphEvent(Code code, QString text)
    : QEvent(kType), code_(code), text_(std::move(text)) {}

OstGraphEvent::~OstGraphEvent() = default;
