#pragma once

#include "EventRecord.h"

#include <QList>

// Records like the ones a long-used list holds: taken, sent and received photos in turn.
QList<EventRecord> SampleEvents(int count);
