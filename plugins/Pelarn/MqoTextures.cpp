#include "plugins/Pelarn/MqoTextures.h"

#include <sys/stat.h>

#include <filesystem>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/file/NameFold.h"
#include "ferrox/file/Path.h"
#include "ferrox/string/NativeName.h"
#include "ferrox/string/PstrCmp.h"
#include "vocore/item/VoIBranch.h"
#include "vocore/scene/VoITexture.h"
#include "vocore/vocore/VoImageImportDesc.h"
#include "vocore/vocore/VoMaster.h"

namespace Mqo {

namespace {

// Whether the importer the master would pick for path reads images. A model
// named as a texture ("self.mqo") must not be imported into the branch that
// is being built, nor released from it.
bool ReadsImages(VoMaster& master, const char* path) {
  for (VoClassDescImport* desc : master.GetImportDescList()) {
    const char* ext = desc->FileExt();
    if (ext && Frx::Path::CmpExt(path, ext)) return dynamic_cast<VoImageImportDesc*>(desc) != nullptr;
  }
  return false;
}

}  // namespace

std::string FileIdentity(const std::string& native, bool* exists) {
  struct stat st;
  const bool found = stat(native.c_str(), &st) == 0;
  if (exists) *exists = found;
  if (found)
    return "#" + std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);
  // A missing file: its spellings differ in case and in "." and ".." only.
  const std::u32string folded = Frx::NameFold::Fold(std::filesystem::path(native).lexically_normal().string());
  return std::string(reinterpret_cast<const char*>(folded.data()), folded.size() * sizeof(char32_t));
}

TextureFinder::TextureFinder(VoMaster& master, const char* folder, VoIBranch* parent)
    : master_(master), folder_(folder ? folder : ""), parent_(parent) {}

VoITexture* TextureFinder::Find(const std::string& tex) {
  const Frx::Pstring path = Frx::Path::Combine(folder_.c_str(), tex.c_str());
  const std::string native = Frx::CaseResolve::ResolveSystem(path, &folders_);
  bool exists = false;
  const std::string file = FileIdentity(native, &exists);
  if (auto known = byFile_.find(file); known != byFile_.end()) return known->second;
  // A texture an earlier import made for this name.
  VoIItem* found = Named(tex);
  VoITexture* texture = found ? found->IsTexture() : nullptr;
  if (!texture) texture = Import(path, native, exists, tex);
  byFile_.emplace(file, texture);
  return texture;
}

// What VoIBranch::Search (texture class, tex) finds: the first texture in
// child order with that name. Children this import adds come after those
// the branch held, and the only textures among them are the ones it made.
VoIItem* TextureFinder::Named(const std::string& tex) {
  if (!namesRead_) {
    namesRead_ = true;
    for (VoIItem* c = parent_->GetFirstChild(); c; c = parent_->GetNextChild(c))
      if (master_.IsSubclass(c, VoITexture::CLASS_ID)) byName_.try_emplace(Frx::PstrCmp2Key(c->GetName()), c);
  }
  const auto found = byName_.find(Frx::PstrCmp2Key(tex.c_str()));
  return found == byName_.end() ? nullptr : found->second;
}

VoITexture* TextureFinder::Import(const char* path, const std::string& native, bool exists, const std::string& tex) {
  if (!*path || !ReadsImages(master_, path)) {
    Frx::theFerrox.Log("　　テクスチャ \"%s\" は画像として読み込めません。\n", tex.c_str());
    return nullptr;
  }
  if (!exists) {
    Frx::theFerrox.Log("　　テクスチャ \"%s\" のファイルが見つかりません。\n", tex.c_str());
    return nullptr;
  }
  // The file as found, so the loader need not look for its spelling again;
  // a path the system text cannot hold goes as written.
  const Frx::Pstring found = Frx::NativeName::FromNative(native.c_str());
  const bool same = Frx::NativeName::ToNative(found) == native;
  VoIItem* item = master_.Import(same ? found.Get() : path, parent_, 0);
  if (!item || item == parent_) return nullptr;
  VoITexture* texture = item->IsTexture();
  if (!texture) {
    master_.ReleaseItem(item);
    return nullptr;
  }
  texture->SetName(tex.c_str());
  byName_.try_emplace(Frx::PstrCmp2Key(texture->GetName()), texture);
  return texture;
}

}  // namespace Mqo
