// ImportBVH: the import descriptor for BioVision motion files.
#pragma once

#include "vocore/vocore/VoClassDescImport.h"

class ImportBVH : public VoClassDescImport {
 public:
  const char* ClassName() override { return "ImportBVH"; }
  const char* FileType() override { return "BioVision Motion Files (*.bvh)"; }
  const char* FileExt() override { return "bvh"; }
  // Builds the skeleton "hierarchy" and the motion "motion" under parent and
  // returns parent. A file that cannot be read or is refused shows its
  // message and gives null with nothing made: parent and what it held stay.
  // What a taken file holds that is not used is logged, a line each. The
  // flags word (the host) is not used.
  VoIItem* Import(const char* path, VoIBranch* parent, unsigned long flags) override;
};

namespace Bvh {

// The import itself (what ImportBVH::Import runs).
VoIItem* ReadBvhFile(const char* path, VoIBranch* parent);

}  // namespace Bvh
