#include "plugins/Pelarn/MqoTextures.h"

#include <sys/stat.h>

#include <filesystem>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/file/CaseResolve.h"
#include "ferrox/file/NameFold.h"
#include "ferrox/file/Path.h"
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

std::string FileIdentity(const char* path) {
  const std::string native = Frx::CaseResolve::ResolveSystem(path);
  struct stat st;
  if (stat(native.c_str(), &st) == 0)
    return "#" + std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);
  // A missing file: its spellings differ in case and in "." and ".." only.
  const std::u32string folded = Frx::NameFold::Fold(std::filesystem::path(native).lexically_normal().string());
  return std::string(reinterpret_cast<const char*>(folded.data()), folded.size() * sizeof(char32_t));
}

TextureFinder::TextureFinder(VoMaster& master, const char* folder, VoIBranch* parent)
    : master_(master), folder_(folder ? folder : ""), parent_(parent) {}

VoITexture* TextureFinder::Find(const std::string& tex) {
  const Frx::Pstring path = Frx::Path::Combine(folder_.c_str(), tex.c_str());
  const std::string file = FileIdentity(path);
  if (auto known = byFile_.find(file); known != byFile_.end()) return known->second;
  // A texture an earlier import made for this name.
  VoIItem* found = parent_->Search(VoITexture::CLASS_ID, tex.c_str());
  VoITexture* texture = found ? found->IsTexture() : nullptr;
  if (!texture) texture = Import(path, tex);
  byFile_.emplace(file, texture);
  return texture;
}

VoITexture* TextureFinder::Import(const char* path, const std::string& tex) {
  if (!*path || !ReadsImages(master_, path)) {
    Frx::theFerrox.Log("　　テクスチャ \"%s\" は画像として読み込めません。\n", tex.c_str());
    return nullptr;
  }
  VoIItem* item = master_.Import(path, parent_, 0);
  if (!item || item == parent_) return nullptr;
  VoITexture* texture = item->IsTexture();
  if (!texture) {
    master_.ReleaseItem(item);
    return nullptr;
  }
  texture->SetName(tex.c_str());
  return texture;
}

}  // namespace Mqo
