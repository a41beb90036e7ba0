// The motion builder: a read document -> motions and controls under a branch.
#pragma once

#include <vector>

#include "plugins/Quovin/KvmDocument.h"

class VoIBranch;
class VoIMotion;
class VoMaster;

namespace Kvm {

// Makes the motion with its controls and nested motions under parent through
// the master (so the classes' code stays the engine's). The tree holds every
// item made. Null, with nothing left under parent, when an item cannot be made.
VoIMotion* BuildMotion(VoMaster& master, const Motion& motion, VoIBranch* parent);

}  // namespace Kvm
