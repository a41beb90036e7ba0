// The key controls a motion gets for the items of a branch or a character
// (host slots 32 and 33): rotation for bones, position and rotation for
// coordinates, position for other locates, the default member for the rest.
// A motion at the nesting limit gets none: there is no room below it.
#pragma once

class VoIBranch;
class VoICharacter;
class VoIMotion;
class VoMaster;

namespace ItemControls {

// Every item of the branch's group, locked ones included.
void ForBranch(VoMaster& master, VoIBranch* branch, VoIMotion* motion);
// Unlocked items only; locates of IK chains get no position. A motion of
// length 0 gets 60; a nested character gets a motion of its own named after
// it, and each child motion is filled for the character it names. Null
// arguments do nothing.
void ForCharacter(VoMaster& master, VoICharacter* character, VoIMotion* motion);

}  // namespace ItemControls
