#include "vocore/skeleton/VoICoordinate.h"

VoICoordinate::VoICoordinate(VoIBranch* p) : VoILocate(p) { state |= STATE_MARK20; }

// Minimal: the rest-pose rotation comes with the skeleton work.
void VoICoordinate::StandardRotate() {}
