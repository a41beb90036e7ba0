// ExportKVM: the export descriptor for motion files.
#pragma once

#include "vocore/vocore/VoClassDescExport.h"

class ExportKVM : public VoClassDescExport {
 public:
  const char* ClassName() override { return "ExportKVM"; }
  const char* FileType() override { return "Savora Motion Files (*.kvm)"; }
  const char* FileExt() override { return "kvm"; }
  // The motions of the list; 1 on success. Flags are not used.
  int Export(const char* path, std::list<VoRefer<VoIItem>>& items, unsigned long flags) override;
  // The motions among the branch's direct children.
  int Export(const char* path, VoIBranch* branch, unsigned long flags) override;
};
