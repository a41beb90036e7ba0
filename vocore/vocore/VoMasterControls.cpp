// Controls for item members, and the name/offset lookups behind them.
#include "vocore/item/Parameter.h"
#include "vocore/item/VoDescent.h"
#include "vocore/item/VoIBranch.h"
#include "vocore/item/VoIItem.h"
#include "vocore/item/VoNameCompare.h"
#include "vocore/motion/VoIControl.h"
#include "vocore/motion/VoIControlFloat.h"
#include "vocore/motion/VoIControlQuaternion.h"
#include "vocore/motion/VoIControlRefer.h"
#include "vocore/motion/VoIControlString.h"
#include "vocore/motion/VoIControlVector.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/vocore/VoMaster.h"

namespace {

// Upper bound on the members of one class; a map never holds more.
constexpr unsigned long MaxParameters = 4096;

}  // namespace

VoIControl* VoMaster::CreateControl(VoIItem* item, const char* member, VoIMotion* motion) {
  if (!item || !motion) return nullptr;
  // A control under a motion at the limit would lie past it.
  if (Vo::Depth(motion) >= VoIBranch::MaxDepth) return nullptr;
  for (unsigned long i = 0; i < MaxParameters; ++i) {
    Parameter* p = item->GetParameter(i);
    if (!p) break;
    if (member ? !VoName::Same(p->name, member) : !p->IsDefault()) continue;

    VoIControl* control = nullptr;
    switch (p->type) {
      case Parameter::TYPE_FLOAT: control = NewItem<VoIControlFloat>(motion); break;
      case Parameter::TYPE_VECTOR: control = NewItem<VoIControlVector>(motion); break;
      case Parameter::TYPE_QUATERNION: control = NewItem<VoIControlQuaternion>(motion); break;
      case Parameter::TYPE_STRING: control = NewItem<VoIControlString>(motion); break;
      case Parameter::TYPE_REFER: control = NewItem<VoIControlRefer>(motion); break;
      default: break;
    }
    if (control) {
      control->SetName(item->GetName());
      control->SetOutClassID(item->GetClassID());
      control->SetOutMember(p->offset);
      // Every control child, not only those of registered classes: the float
      // and int controls have no descriptor and would never count as doubles.
      ItemList controls;
      motion->GetChildList(controls, 1);
      for (VoRefer<VoIItem>& ref : controls) {
        VoIItem* other = ref;
        VoIControl* c = other ? other->IsControl() : nullptr;
        if (c && c != control && VoName::Same(c->GetName(), control->GetName()) &&
            c->GetOutClassID() == control->GetOutClassID() &&
            c->GetOutMember() == control->GetOutMember()) {
          ReleaseItem(control);
          control = nullptr;
          break;
        }
      }
    }
    if (member) return control;
  }
  return nullptr;
}

unsigned long VoMaster::GetMemberOffset(VoIItem* item, const char* name) {
  if (!item) return 0;
  for (unsigned long i = 0; i < MaxParameters; ++i) {
    Parameter* p = item->GetParameter(i);
    if (!p) break;
    if (VoName::Exact(p->name, name)) return p->offset;
  }
  return 0;
}

const char* VoMaster::GetMemberName(VoIItem* item, unsigned long offset) {
  if (!item) return nullptr;
  for (unsigned long i = 0; i < MaxParameters; ++i) {
    Parameter* p = item->GetParameter(i);
    if (!p) break;
    if (p->offset == offset) return p->name;
  }
  return nullptr;
}
