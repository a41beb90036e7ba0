// Mqo::TextureFinder: the texture items of one import. Materials name their
// images in many spellings ("skin.bmp", "./SKIN.BMP", "a/../skin.bmp"); each
// file is looked up as the image loader would open it and decoded at most
// once, and every material naming it shares its texture item.
#pragma once

#include <string>
#include <unordered_map>

class VoIBranch;
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
  // file is no image the engine reads (that is remembered too).
  VoITexture* Find(const std::string& tex);

 private:
  VoITexture* Import(const char* path, const std::string& tex);

  VoMaster& master_;
  std::string folder_;
  VoIBranch* parent_;
  std::unordered_map<std::string, VoITexture*> byFile_;  // the tree holds the items
};

// The identity of the file a path names, as the file lookup finds it: device
// and inode when it exists, else the resolved path with "." and ".." taken
// out and letters folded, as Windows would compare it.
std::string FileIdentity(const char* path);

}  // namespace Mqo
