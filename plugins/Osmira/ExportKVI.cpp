#include "plugins/Osmira/ExportKVI.h"

#include "plugins/Osmira/IntermediateWriter.h"
#include "vocore/item/VoIBranch.h"

int ExportKVI::Export(const char* path, std::list<VoRefer<VoIItem>>& items, unsigned long /*flags*/) {
  return Osmira::WriteIntermediateFile(path, items);
}

int ExportKVI::Export(const char* path, VoIBranch* branch, unsigned long /*flags*/) {
  std::list<VoRefer<VoIItem>> items;
  if (branch) items.emplace_back(branch);
  return Osmira::WriteIntermediateFile(path, items);
}
