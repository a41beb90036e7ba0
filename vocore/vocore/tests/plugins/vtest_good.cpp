// A library with one descriptor of each kind and one that is none of them.
#include <cstdio>

#include "vocore/item/VoIBranch.h"
#include "vocore/vocore/VoClassDescCommand.h"
#include "vocore/vocore/VoClassDescExport.h"
#include "vocore/vocore/VoClassDescImport.h"
#include "vocore/vocore/VoClassDescItem.h"
#include "vocore/vocore/VoPlugin.h"

namespace {

class GadgetItem : public VoIItem {
 public:
  explicit GadgetItem(VoIBranch* parent) : VoIItem(parent) {}
  unsigned long GetClassID() override { return 150; }
};

class GadgetDesc : public VoClassDescItem {
 public:
  const char* ClassName() override { return "VtestGadget"; }
  unsigned long ClassID() override { return 150; }
  unsigned long ParentClassID() override { return 1; }
  VoIItem* Create(VoIBranch* parent) override { return new GadgetItem(parent); }
};

class GadgetImport : public VoClassDescImport {
 public:
  const char* ClassName() override { return "VtestImport"; }
  const char* FileType() override { return "Gadget Files (*.vtg)"; }
  const char* FileExt() override { return "vtg"; }
  VoIItem* Import(const char*, VoIBranch* parent, unsigned long) override {
    return new GadgetItem(parent);
  }
};

class GadgetExport : public VoClassDescExport {
 public:
  const char* ClassName() override { return "VtestExport"; }
  const char* FileExt() override { return "vtg"; }
};

class GadgetCommand : public VoClassDescCommand {
 public:
  const char* ClassName() override { return "VtestCommand"; }
  int Execute(VoIItem*, VoIItem*, unsigned long flags) override {
    return static_cast<int>(flags & 0xFF) + 1;
  }
};

class Stray : public VoClassDesc {
 public:
  const char* ClassName() override { return "VtestStray"; }
};

GadgetDesc gadget;
GadgetImport gadgetImport;
GadgetExport gadgetExport;
GadgetCommand gadgetCommand;
Stray stray;

}  // namespace

VO_PLUGIN_EXPORT int PluginVersion() { return VoPluginVersion; }

VO_PLUGIN_EXPORT VoClassDesc* PluginClassDesc(int index) {
  static VoClassDesc* const table[] = {&gadget, &stray, &gadgetImport, &gadgetExport,
                                       &gadgetCommand};
  if (index < 0 || index >= static_cast<int>(sizeof(table) / sizeof(table[0]))) return nullptr;
  return table[index];
}
