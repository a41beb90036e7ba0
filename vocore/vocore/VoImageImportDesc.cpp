#include "vocore/vocore/VoImageImportDesc.h"

#include "vocore/scene/VoITexture.h"

VoIItem* VoImageImportDesc::Import(const char* path, VoIBranch* parent, unsigned long) {
  return VoImportTexture(path, parent);
}
