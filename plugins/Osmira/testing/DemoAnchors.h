// Test support: anchors for a skinned character, one closed ellipsoid round
// each bone (a little wider than its reach and a little longer than the
// bone, so neighbours overlap at the joints), for the anchor analysis's tests
// and benchmark on the demonstration character.
#pragma once

#include <vector>

class VoIBranch;
class VoIPolygon;
class VoISkelton;
class VoMaster;

namespace osmiratest {

// Under `parent`, one polygon per bone of the skeleton's group, tied to it,
// with slices × stacks faces.
std::vector<VoIPolygon*> MakeBoneAnchors(VoMaster& master, VoIBranch* parent, VoISkelton* skeleton,
                                         int slices = 24, int stacks = 12);

}  // namespace osmiratest
