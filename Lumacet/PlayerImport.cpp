// Import into the character by path, "file:///" URL or "http:" URL.
#include <cstring>
#include <string>

#include "Lumacet/Download.h"
#include "Lumacet/PlayerEngine.h"
#include "Lumacet/PlayerLoop.h"
#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/file/Path.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/vocore/VoClassDescImport.h"
#include "vocore/vocore/VoMaster.h"

namespace {

bool StartsWithNoCase(const char* text, const char* prefix) {
  for (; *prefix; ++text, ++prefix) {
    char c = *text;
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != *prefix) return false;
  }
  return true;
}

// The path of a "file:" URL: what follows "file://", so "file:///home/a.mqo"
// names "/home/a.mqo"; %XX escapes decoded. Empty when the URL names none.
std::string FileUrlPath(const char* url) {
  if (!StartsWithNoCase(url, "file:///")) return std::string();
  const std::string path = Lumacet::DecodePercent(url + 7, true);
  return path.size() > 1 ? path : std::string();
}

// Whether an importer of the engine (models, motions, images) reads `name`:
// a download is saved only under such a name.
bool HasImporter(VoMaster& master, const std::string& name) {
  for (VoClassDescImport* desc : master.GetImportDescList()) {
    const char* ext = desc->FileExt();
    if (ext && *ext && Frx::Path::CmpExt(name.c_str(), ext)) return true;
  }
  return false;
}

}  // namespace

void PlayerLoop::Import(const char* text) {
  if (!text) return;
  Frx::Ferrox& ferrox = Frx::theFerrox;
  ferrox.Log("%s\n", Frx::Path::GetName(text).Get());
  if (StartsWithNoCase(text, "http:") || StartsWithNoCase(text, "https:")) {
    const std::string name = Lumacet::DownloadFileName(text);
    if (!name.empty() && !HasImporter(Master(), name)) {
      Lumacet::RefuseDownload(text, name.c_str(), "　　\"%s\" を読み込めるインポータがありません。\n");
      return;
    }
    // A failed download imports nothing: no error page, no stale file of that name.
    if (Lumacet::DownloadURL(text, name.c_str(), downloads_)) ImportPath(name.c_str());
    return;
  }
  if (StartsWithNoCase(text, "file:")) {
    const std::string path = FileUrlPath(text);
    if (path.empty()) {
      ferrox.Log("%s(%d) :step\n", __FILE_NAME__, __LINE__);
      return;
    }
    ImportPath(path.c_str());
    return;
  }
  ferrox.Log("%s(%d) :step\n", __FILE_NAME__, __LINE__);
  ImportPath(text);
}

void PlayerLoop::ImportPath(const char* path) {
  VoICharacter* c = Character();
  if (!c) return;
  PlayerEngine::RendererScope scope(this);
  ++importing_;
  // The result is not examined: a failed import reports itself.
  Master().Import(path, c, 0);
  --importing_;
}
