#include "editor/document/SettingCommands.h"

#include "editor/document/CTireloDoc.h"
#include "editor/document/CommandIds.h"
#include "editor/host/SavoraHost.h"

bool RunSettingCommand(CTireloDoc& doc, int id) {
  switch (id) {
    case Cmd::DisplayStandard: doc.displayMode = 0, TheHost().Pause(); return true;
    case Cmd::DisplayEmphasis: doc.displayMode = 1, TheHost().Pause(); return true;
    case Cmd::DisplayHidden: doc.displayMode = 2; return true;
    case Cmd::Perspective: doc.projection = 0; return true;
    case Cmd::Parallel: doc.projection = 1; return true;
    case Cmd::SpaceLocal: doc.editSpace = 0; return true;
    case Cmd::SpaceParent: doc.editSpace = 1; return true;
    case Cmd::SpaceWorld: doc.editSpace = 2; return true;
    case Cmd::CelShading: doc.celShading = doc.celShading ? 0 : 1; return true;
    case Cmd::RealTime: doc.realTime = doc.realTime ? 0 : 1; return true;
    default: return false;
  }
}
