// The editor's commands by id, on the document: what every menu entry, tool
// button and key of the main frame and the view frame does. The frames only
// route ids here and then refresh their check marks from the document.
#pragma once

#include <vector>

#include "ferrox/string/Pstring.h"

class CTireloDoc;
class VoIItem;
class VoMaster;

namespace Commands {

// Which frame a command came from: 32832 shows the log window in the main
// frame and stops playback in the view frame.
enum class Frame { Main, View };

// Runs command `id`; false when it is no command of the editor.
bool Run(CTireloDoc& doc, int id, Frame frame = Frame::Main);

// The item menu remembers its item and source for the plug-in command it
// may run; any other run uses the scoped character and the selected item.
void SetPluginTargets(VoIItem* destination, VoIItem* source);
// Runs command descriptor `index` (id - 33000); false when there is none.
bool RunPlugin(CTireloDoc& doc, int index);

struct MenuEntry {
  int id;
  Frx::Pstring text;
};
// Command descriptors for the Tools menu (AttachClassID 0), id 33000 + the
// descriptor's list index.
std::vector<MenuEntry> ToolsMenuEntries(const VoMaster& master);
// Command descriptors that apply to `item` (its class or a base of it).
std::vector<MenuEntry> ItemMenuEntries(VoMaster& master, VoIItem* item);

// 57600: asks, then replaces "project" with a new empty one, paused at frame 0.
void NewProject(CTireloDoc& doc);

// Dropped files and folders: imported into "project", or into the scoped
// character when the user says so.
void DropFiles(CTireloDoc& doc, const std::vector<Frx::Pstring>& paths);

}  // namespace Commands
