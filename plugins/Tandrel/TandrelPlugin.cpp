// The Tandrel module: the motion converter, asked through its Qt dialog.
#include "plugins/Tandrel/MotionConverter.h"
#include "plugins/Tandrel/ui/QtConverterAsker.h"
#include "plugins/frame/PluginFrame.h"

namespace {

class MotionConverterWithDialog : public MotionConverter {
 public:
  MotionConverterWithDialog() : MotionConverter(&TandrelUi::ModuleAsker()) {}
};

}  // namespace

SAVORA_PLUGIN_DESCRIPTORS(MotionConverterWithDialog)
