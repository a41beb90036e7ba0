// The editor's preview settings file ("savora.ini" in the program folder):
// one "Preview" block with the background colour, the cel edge colour and the
// cel edge size. Read once at start-up, written when the document goes.
#pragma once

#include "ferrox/string/Pstring.h"

struct PreviewSettings {
  float backgroundColor[3] = {0.0f, 0.0f, 0.0f};
  float celEdgeColor[3] = {0.6f, 0.5f, 0.5f};
  float celEdgeSize = 0.5f;
};

// Program folder + "savora.ini".
Frx::Pstring SettingsFilePath();

// Reads `path` over `settings`: a key missing (or a line that matches only in
// part) leaves the value as it was; colours are held to 0..1 and the edge size
// to 0 or more. 0 when the file cannot be read.
int ReadSettings(PreviewSettings& settings, const char* path);

// Parses a settings text (LF line ends) the same way.
void ParseSettings(PreviewSettings& settings, const char* text);

// Writes the five lines in text mode. 0 when the file cannot be written.
int WriteSettings(const PreviewSettings& settings, const char* path);
