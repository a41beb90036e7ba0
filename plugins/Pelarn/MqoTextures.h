// Mqo::TextureFinder: the texture items of one import. Materials name their
// images in many spellings ("skin.bmp", "./SKIN.BMP", "a/../skin.bmp"); each
// file is looked up as the image loader would open it and decoded at most
// once, and every material naming it shares its texture item. Each folder is
// listed at most once and the branch's children are walked once, so an
// import costs the same per material however many materials it has.
#pragma once

#include <string>
#include <unordered_map>

#include "ferrox/file/CaseResolve.h"

class VoIBranch;
class VoIItem;
class VoITexture;
class VoMaster;

namespace Mqo {

class TextureFinder {
 public:
  // Textures go under parent; tex texts are relative to folder.
  TextureFinder(VoMaster& master, const char* folder, VoIBranch* parent);

  // The texture item for a material's tex text: one made earlier in this
  // import for the same file, else a texture of the branch that carries this
  // name, else the file imported as an image and named tex. Null when the
  // file is missing or no image the engine reads (that is remembered too).
  VoITexture* Find(const std::string& tex);

 private:
  VoIItem* Named(const std::string& tex);
  VoITexture* Import(const char* path, const std::string& native, bool exists, const std::string& tex);

  VoMaster& master_;
  std::string folder_;
  VoIBranch* parent_;
  Frx::CaseResolve::FolderCache folders_;
  std::unordered_map<std::string, VoITexture*> byFile_;  // the tree holds the items
  // The branch's textures by name as its walk would find them first: those
  // it held at the first look (read then), then those this import made.
  std::unordered_map<std::string, VoIItem*> byName_;
  bool namesRead_ = false;
};

// The identity of the file a native path names: device and inode when it
// exists, else the path with "." and ".." taken out and letters folded, as
// Windows would compare it. *exists (when given) says which.
std::string FileIdentity(const std::string& native, bool* exists = nullptr);

}  // namespace Mqo
