#include "editor/timebar/TimeLine.h"

namespace {
TimeLine* current = nullptr;
}

TimeLine* CurrentTimeLine() { return current; }

void SetCurrentTimeLine(TimeLine* timeLine) { current = timeLine; }
