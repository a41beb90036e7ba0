// After an import, objects named "bdef:<name>" or "sdef:<name>" become
// polygons deformed by an Osmiraform or a SphericalDeform; their children
// named "anchor..." become the deformer's anchors.
#pragma once

class VoIBranch;

namespace Osmira {

struct DeformerKind {
  const char* pattern;    // "bdef:%S"
  const char* className;  // "Osmiraform"
  const char* debugLog;   // written in debug mode before the scan
};

// Turns every polygon of the branch's group whose name matches the kind's
// pattern into a deformed target. Nothing happens without a branch.
void ConstructDeformers(VoIBranch* branch, const DeformerKind& kind);

// The coordinate name an anchor takes from its material: "arm[]" becomes
// "arm[R]" when the anchor's centre lies at x < 0 and "arm[L]" at x > 0; an
// anchor centred exactly on x = 0 keeps the name, as a bone in the middle
// keeps its "[]" name. Other names are returned as they are.
const char* SideName(const char* material, float centreX, char* out, int size);

}  // namespace Osmira
