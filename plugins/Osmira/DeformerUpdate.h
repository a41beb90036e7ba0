// DeformerUpdate: the update both deformers run. The branch updates its
// children first; when a binding is due (RestBinding::Due) it is tried once
// with the parent polygon (null when the parent is no polygon), and a failed
// binding ends the update with 0; then the frame's pass gives the result.
#pragma once

#include <functional>

#include "plugins/Osmira/RestBinding.h"

class VoIModifier;

namespace Osmira {

struct DeformerUpdate {
  // Inputs.
  VoIModifier* item = nullptr;
  RestBinding* binding = nullptr;
  // Read after the children's update, which may release the skeleton.
  const VoRefer<VoISkelton>* skeleton = nullptr;
  std::function<bool(VoIPolygon* target)> bind;  // the item's binding; false when it failed
  std::function<int()> deform;                   // the item's pass of the frame

  // False without the item, its binding state, its skeleton reference or
  // either step.
  bool Validate() const;
  // The result of the item's Update: 0 when invalid or the binding failed.
  int Run(unsigned long counter) const;
};

}  // namespace Osmira
