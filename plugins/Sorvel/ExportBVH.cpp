#include "plugins/Sorvel/ExportBVH.h"

#include "plugins/Sorvel/BvhWriter.h"

int ExportBVH::Export(const char* path, VoIBranch* branch, unsigned long /*flags*/) {
  return Bvh::WriteBvhFile(path, branch);
}
