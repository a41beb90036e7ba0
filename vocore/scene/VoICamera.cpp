#include "vocore/scene/VoICamera.h"

// Minimal: the camera's text lines come with the scene items.
VoICamera::VoICamera(VoIBranch* p) : VoIObject(p) { state |= STATE_MARK20; }
