#include "editor/timebar/TimeBar.h"

TimeBar::TimeBar(CTireloDoc* document) : ItemGui(nullptr), document(document) {}

TimeBar::~TimeBar() = default;

// The ruler's behaviour comes with the timeline; until then it is never hit.
float TimeBar::HitTest(float, float, int) { return NoHit; }

void TimeBar::Drag(MouseRecord) {}

void TimeBar::Draw() {}
