#include "editor/testing/TestImporter.h"

#include "ferrox/ferrox/Ferrox.h"
#include "vocore/geometry/VoIPolygon.h"
#include "vocore/motion/VoIControlVector.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/vocore/VoMaster.h"

namespace edtest {

VoIItem* TestImporter::Import(const char*, VoIBranch* parent, unsigned long flags) {
  ++calls;
  lastFlags = flags;
  VoMaster* master = VoMaster::This();
  switch (result) {
    case MakeObject: master->NewItem<VoIPolygon>(parent)->SetName("body"); return parent;
    case MakeMotion: master->NewItem<VoIMotion>(parent)->SetName("walk"); return parent;
    case MakeKeyedMotion: master->NewItem<VoIControlVector>(master->NewItem<VoIMotion>(parent)); return parent;
    case FailAndReleaseParent: master->ReleaseItem(parent); return nullptr;
    case Fail: return nullptr;
    case FailWithError: Frx::theFerrox.Error("対応している形式ではありません。"); return nullptr;
  }
  return nullptr;
}

}  // namespace edtest
