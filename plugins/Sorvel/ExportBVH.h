// ExportBVH: the export descriptor for BioVision motion files. Only a branch
// (a character) is written; the list form keeps the engine's default, which
// writes nothing.
#pragma once

#include "vocore/vocore/VoClassDescExport.h"

class ExportBVH : public VoClassDescExport {
 public:
  const char* ClassName() override { return "ExportBVH"; }
  const char* FileType() override { return "BioVision Motion Files (*.bvh)"; }
  const char* FileExt() override { return "bvh"; }
  // The character's skeleton and current motion at the frame rate the user
  // picks: 1 when written or cancelled, 0 otherwise. Flags are not used.
  int Export(const char* path, VoIBranch* branch, unsigned long flags) override;
  using VoClassDescExport::Export;
};
