// The motion's block in item text: its settings, then one block per child.
#include "vocore/item/VoItemServices.h"
#include "vocore/motion/VoControlFactory.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/persist/VoLoad.h"
#include "vocore/persist/VoSave.h"

namespace {

// Block kinds the reader accepts, tried in this order.
const unsigned long BlockClasses[] = {99, 100, 103, 104, 105, 101, 97, 102, 112};

}  // namespace

int VoIMotion::Save(VoSave& save) {
  VoIItem::Save(save);
  save.Write("endframe = %d\n", static_cast<int>(endframe));
  save.Write("loop = %d\n", loop);
  for (VoIItem* c = GetFirstChild(); c; c = GetNextChild(c)) {
    // Int, Float and Bool have no registered class name: they are written
    // under their own block names so the reader finds them again.
    const char* registered = c->GetClassNameA();
    const char* block = VoControlBlockName(c->GetClassID());
    if (!registered && block) {
      save.OpenChunk(block);
      c->Save(save);
      save.CloseChunk();
    } else {
      VoItemServices::ExecSave(c, save);
    }
  }
  return 1;
}

int VoIMotion::Load(VoLoad& load) {
  for (;;) {
    if (VoIItem::Load(load)) continue;
    int value = 0;
    if (load.Read(" endframe = %d", &value)) {
      endframe = value;
      continue;
    }
    if (load.Read(" loop = %d", &value)) {
      loop = value;
      continue;
    }
    bool opened = false;
    for (unsigned long id : BlockClasses) {
      if (!load.OpenChunk(VoControlBlockName(id))) continue;
      opened = true;
      VoIItem* child = VoCreateControl(id, this, nullptr);
      if (child) child->Load(load);
      load.CloseChunk();
      break;
    }
    if (!opened) return 0;
  }
}
