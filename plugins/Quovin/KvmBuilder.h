// The motion builder: a read document -> motions and controls under a branch.
#pragma once

#include <string>
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

// Levels below the branch of the deepest item the document's motions make
// (a top-level motion is level 1, its controls and nested motions level 2);
// `name` gets the name of the motion that holds it, or that it is.
int DeepestLevel(const Document& doc, std::string& name);

}  // namespace Kvm
