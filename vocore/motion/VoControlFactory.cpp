#include "vocore/motion/VoControlFactory.h"

#include "vocore/item/VoItemServices.h"
#include "vocore/motion/VoIControlBool.h"
#include "vocore/motion/VoIControlFloat.h"
#include "vocore/motion/VoIControlInt.h"
#include "vocore/motion/VoIControlQuaternion.h"
#include "vocore/motion/VoIControlRefer.h"
#include "vocore/motion/VoIControlString.h"
#include "vocore/motion/VoIControlTime.h"
#include "vocore/motion/VoIControlVector.h"
#include "vocore/motion/VoIMotion.h"

namespace {

template <class T>
VoIItem* Make(VoIBranch* parent, VoIItem* source) {
  if (VoItemServices* master = VoItemServices::This())
    return master->NewItem<T>(parent, source);
  T* item = new T(parent);
  if (source) item->Copy(source);
  return item;
}

}  // namespace

VoIItem* VoCreateControl(unsigned long classId, VoIBranch* parent, VoIItem* source) {
  VoItemServices* master = VoItemServices::This();
  if (master && master->HasClassDesc(classId)) return master->CreateItem(classId, parent, source);
  switch (classId) {
    case VoIMotion::CLASS_ID: return Make<VoIMotion>(parent, source);
    case VoIControlVector::CLASS_ID: return Make<VoIControlVector>(parent, source);
    case VoIControlQuaternion::CLASS_ID: return Make<VoIControlQuaternion>(parent, source);
    case VoIControlString::CLASS_ID: return Make<VoIControlString>(parent, source);
    case VoIControlRefer::CLASS_ID: return Make<VoIControlRefer>(parent, source);
    case VoIControlInt::CLASS_ID: return Make<VoIControlInt>(parent, source);
    case VoIControlFloat::CLASS_ID: return Make<VoIControlFloat>(parent, source);
    case VoIControlBool::CLASS_ID: return Make<VoIControlBool>(parent, source);
    case VoIControlTime::CLASS_ID: return Make<VoIControlTime>(parent, source);
    default: return nullptr;
  }
}

const char* VoControlBlockName(unsigned long classId) {
  switch (classId) {
    case VoIMotion::CLASS_ID: return "Motion";
    case VoIControlVector::CLASS_ID: return "Vector";
    case VoIControlQuaternion::CLASS_ID: return "Quaternion";
    case VoIControlString::CLASS_ID: return "String";
    case VoIControlRefer::CLASS_ID: return "Refer";
    case VoIControlInt::CLASS_ID: return "Int";
    case VoIControlFloat::CLASS_ID: return "Float";
    case VoIControlBool::CLASS_ID: return "Bool";
    case VoIControlTime::CLASS_ID: return "Time";
    default: return nullptr;
  }
}
