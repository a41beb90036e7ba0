#include "plugins/Quovin/ExportKVM.h"

#include "plugins/Quovin/KvmWriter.h"
#include "vocore/item/VoIBranch.h"

int ExportKVM::Export(const char* path, std::list<VoRefer<VoIItem>>& items, unsigned long /*flags*/) {
  return Kvm::WriteMotionFile(path, items);
}

int ExportKVM::Export(const char* path, VoIBranch* branch, unsigned long /*flags*/) {
  std::list<VoRefer<VoIItem>> items;
  if (branch) branch->GetChildList(items, 1);
  return Kvm::WriteMotionFile(path, items);
}
