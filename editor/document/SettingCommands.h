// The main frame's setting commands on the document: display mode,
// projection, edit space, cel shading and real-time playback.
#pragma once

class CTireloDoc;

// Runs command `id` when it is one of these; false otherwise.
bool RunSettingCommand(CTireloDoc& doc, int id);
