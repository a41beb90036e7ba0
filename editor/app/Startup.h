// The start-up steps of the editor that do not need a window: the log's
// banner, the player's registration, the plug-ins, and the files named on
// the command line.
#pragma once

#include <vector>

#include "ferrox/string/Pstring.h"

class CTireloDoc;
class VoMaster;

namespace Startup {

// theFerrox set up for the editor (debug off), a fresh "log.txt" and the
// version banner with the start time.
void OpenLog();

// A second application object: "CTireloApp のインスタンスが２重に生成されました。"
void ReportDuplicateApp();

// Calls DllRegisterServer of the player module at `path`: 0 done, -1 no OLE,
// -2 not loadable, -3 no such entry, -4 the entry failed.
int RegisterPlayerControl(const char* path);
// Registers program folder + "lumacet.dll" and reports the result (a box on
// failure; start-up goes on).
void RegisterPlayer();

// Logs "プラグインのロード" and loads the nine plug-ins in their fixed order.
void LoadPlugins(VoMaster& master);

// The files of the command line, once the engine, the plug-ins and "project"
// exist. The first is opened into "project" (a character it makes becomes the
// scoped, selected one); a folder is a scene folder. Each further file is
// imported into the scoped character, and a motion file gives the character
// its motion when it has none. 0 when a named file or folder does not exist.
int OpenCommandLine(CTireloDoc& doc, const std::vector<Frx::Pstring>& paths);

}  // namespace Startup
