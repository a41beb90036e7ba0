#include "editor/settings/Settings.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/file/File.h"
#include "ferrox/file/Path.h"
#include "ferrox/file/TextFile.h"
#include "ferrox/text/Pscanf.h"
#include "ferrox/text/TextFormat.h"

namespace {

float Clamp01(float v) { return std::isnan(v) ? 0.0f : std::clamp(v, 0.0f, 1.0f); }

// The three values of a colour line, stored only when the whole line matched.
bool ScanColour(const char* p, const char* pattern, float out[3]) {
  float c[3] = {0.0f, 0.0f, 0.0f};
  if (!Frx::Pscanf(p, pattern, &c[0], &c[1], &c[2])) return false;
  for (int i = 0; i < 3; ++i) out[i] = Clamp01(c[i]);
  return true;
}

void ParseLine(PreviewSettings& s, const char* p) {
  if (ScanColour(p, " BackgroundColor = ( %f, %f, %f )", s.backgroundColor)) return;
  if (ScanColour(p, " CelledgeColor = ( %f, %f, %f )", s.celEdgeColor)) return;
  float size = 0.0f;
  if (Frx::Pscanf(p, " CelledgeSize = %f ", &size)) s.celEdgeSize = std::max(size, 0.0f);
}

}  // namespace

Frx::Pstring SettingsFilePath() {
  return Frx::Path::GetPath(Frx::theFerrox.GetExeName()) + "savora.ini";
}

void ParseSettings(PreviewSettings& settings, const char* text) {
  if (!text) return;
  bool inside = false;
  for (const char* next = text; *next;) {
    // One paragraph at a time: a trailing blank in a pattern must not reach
    // into the next line.
    const char* end = Frx::TextFormat::NextParagraph(next);
    const std::string line(next, end);
    next = end;
    const char* p = line.c_str();
    const char* at = p;
    if (!inside) {
      inside = Frx::Pscanf(at, " Preview {") != nullptr;
      continue;
    }
    if (Frx::Pscanf(at, " }")) {
      inside = false;
      continue;
    }
    ParseLine(settings, p);
  }
}

int ReadSettings(PreviewSettings& settings, const char* path) {
  Frx::theFerrox.Log("環境設定の読み込み\n");
  unsigned long size = 0;
  char* text = Frx::File::ReadText(path, &size);
  if (!text) return 0;
  ParseSettings(settings, text);
  Frx::File::Free(text);
  return 1;
}

int WriteSettings(const PreviewSettings& s, const char* path) {
  Frx::theFerrox.Log("環境設定の保存\n");
  Frx::File::TextWriter out;
  if (!out.Open(path)) return 0;
  out.Printf("Preview { \n");
  out.Printf("\tBackgroundColor = ( %f, %f, %f)\n", s.backgroundColor[0], s.backgroundColor[1],
             s.backgroundColor[2]);
  out.Printf("\tCelledgeColor = ( %f, %f, %f)\n", s.celEdgeColor[0], s.celEdgeColor[1],
             s.celEdgeColor[2]);
  out.Printf("\tCelledgeSize = %f\n", s.celEdgeSize);
  out.Printf("}\n");
  return out.Close();
}
