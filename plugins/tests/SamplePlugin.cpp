// A plug-in built on the frame only for its tests: one command that reports
// through the module's message box, one import that fails.
#include "plugins/frame/PluginFrame.h"
#include "vocore/vocore/VoClassDescCommand.h"
#include "vocore/vocore/VoClassDescImport.h"

namespace {

class SampleCommand : public VoClassDescCommand {
 public:
  const char* ClassName() override { return "FrameSampleCommand"; }
  int Execute(VoIItem*, VoIItem*, unsigned long) override {
    return ShowMessage(36, "%s %d%%", "100% done:", 50);
  }
};

class SampleImport : public VoClassDescImport {
 public:
  const char* ClassName() override { return "FrameSampleImport"; }
  const char* FileExt() override { return "fsmp"; }
  VoIItem* Import(const char*, VoIBranch*, unsigned long) override { return nullptr; }
};

}  // namespace

SAVORA_PLUGIN_DESCRIPTORS(SampleCommand, SampleImport)
