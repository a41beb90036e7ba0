#include "vocore/scene/VoIFile.h"

VoIFile::VoIFile(VoIBranch* p) : VoIBranch(p) { state |= STATE_MARK20; }
