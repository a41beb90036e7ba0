// The main frame's setting commands on the document: display mode,
// projection, edit space, cel shading, real-time playback, and what the
// project tree shows (root mode and filters).
#pragma once

class CTireloDoc;

// Runs command `id` when it is one of these; false otherwise.
bool RunSettingCommand(CTireloDoc& doc, int id);
