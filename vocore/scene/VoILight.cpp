#include "vocore/scene/VoILight.h"

// Minimal: position, direction and the text lines come with the scene items.
VoILight::VoILight(VoIBranch* p) : VoIObject(p) { state |= STATE_MARK20; }
