// ExportKVI: writes the characters of a list, with their skeletons, their
// polygons and the deformers under those, as a Savora intermediate file
// (".kvi"). Nothing reads the file back.
#pragma once

#include "vocore/vocore/VoClassDescExport.h"

class ExportKVI : public VoClassDescExport {
 public:
  const char* ClassName() override { return "ExportKVI"; }
  const char* FileType() override { return "Savora Intermediate Files (*.kvi)"; }
  const char* FileExt() override { return "kvi"; }
  // The characters of the list; 1 on success. Flags are not used.
  int Export(const char* path, std::list<VoRefer<VoIItem>>& items, unsigned long flags) override;
  // A list holding only the branch.
  int Export(const char* path, VoIBranch* branch, unsigned long flags) override;
};
