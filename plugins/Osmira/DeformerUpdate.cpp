#include "plugins/Osmira/DeformerUpdate.h"

#include "vocore/scene/VoIModifier.h"

namespace Osmira {

bool DeformerUpdate::Validate() const { return item && binding && skeleton && bind && deform; }

int DeformerUpdate::Run(unsigned long counter) const {
  if (!Validate()) return 0;
  item->VoIBranch::Update(counter);
  VoIBranch* up = item->GetParent();
  VoIPolygon* parent = up ? up->IsPolygon() : nullptr;
  if (binding->Due(item->GetUpdateFlag(), parent, skeleton->Get())) {
    binding->Tried(parent, skeleton->Get());
    if (!bind(parent)) return 0;
  }
  return deform();
}

}  // namespace Osmira
