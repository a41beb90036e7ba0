#include "editor/document/SettingCommands.h"

#include "editor/document/CTireloDoc.h"
#include "editor/document/CommandIds.h"

bool RunSettingCommand(CTireloDoc& doc, int id) {
  switch (id) {
    case Cmd::DisplayStandard: doc.displayMode = 0, doc.Pause(); return true;
    case Cmd::DisplayEmphasis: doc.displayMode = 1, doc.Pause(); return true;
    case Cmd::DisplayHidden: doc.displayMode = 2; return true;
    case Cmd::Perspective: doc.projection = 0; return true;
    case Cmd::Parallel: doc.projection = 1; return true;
    case Cmd::SpaceLocal: doc.editSpace = 0; return true;
    case Cmd::SpaceParent: doc.editSpace = 1; return true;
    case Cmd::SpaceWorld: doc.editSpace = 2; return true;
    case Cmd::CelShading: doc.celShading = doc.celShading ? 0 : 1; return true;
    case Cmd::RealTime: doc.realTime = doc.realTime ? 0 : 1; return true;
    case Cmd::TreeAll: doc.treeRootMode = 0, doc.UpdateAllViews(); return true;
    case Cmd::TreeScoped: doc.treeRootMode = 2, doc.UpdateAllViews(); return true;
    case Cmd::TreeNone: doc.treeRootMode = 3, doc.UpdateAllViews(); return true;
    case Cmd::FilterObjects: doc.treeFilter ^= 1, doc.UpdateAllViews(); return true;
    case Cmd::FilterSkeleton: doc.treeFilter ^= 2, doc.UpdateAllViews(); return true;
    case Cmd::FilterMotions: doc.treeFilter ^= 4, doc.UpdateAllViews(); return true;
    default: return false;
  }
}
