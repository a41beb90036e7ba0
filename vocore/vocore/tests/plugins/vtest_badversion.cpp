// A library built for an older engine: its version is one behind.
#include "vocore/vocore/VoClassDescCommand.h"
#include "vocore/vocore/VoPlugin.h"

namespace {

class OldCommand : public VoClassDescCommand {
 public:
  const char* ClassName() override { return "VtestOld"; }
  int Execute(VoIItem*, VoIItem*, unsigned long) override { return 1; }
};

OldCommand command;

}  // namespace

VO_PLUGIN_EXPORT int PluginVersion() { return VoPluginVersion - 1; }

VO_PLUGIN_EXPORT VoClassDesc* PluginClassDesc(int index) { return index == 0 ? &command : nullptr; }
