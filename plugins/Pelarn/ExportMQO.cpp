#include "plugins/Pelarn/ExportMQO.h"

#include "plugins/Pelarn/MqoWriter.h"
#include "vocore/item/VoIBranch.h"

int ExportMQO::Export(const char* path, std::list<VoRefer<VoIItem>>& items, unsigned long /*flags*/) {
  return Mqo::WriteMqoFile(path, items);
}

int ExportMQO::Export(const char* path, VoIBranch* branch, unsigned long /*flags*/) {
  std::list<VoRefer<VoIItem>> items;
  if (branch) branch->GetGroupList(items, 1);
  return Mqo::WriteMqoFile(path, items);
}
