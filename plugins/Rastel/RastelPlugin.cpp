// The Rastel module: numbered BMP screenshots and numbered MQO files, asked
// through the module's Qt dialogs.
#include "plugins/Rastel/SerialBMP.h"
#include "plugins/Rastel/SerialMQO.h"
#include "plugins/Rastel/ui/QtSerialAsker.h"
#include "plugins/frame/PluginFrame.h"

namespace {

class SerialBMPWithDialog : public SerialBMP {
 public:
  SerialBMPWithDialog() : SerialBMP(&RastelUi::ModuleAsker()) {}
};

class SerialMQOWithDialog : public SerialMQO {
 public:
  SerialMQOWithDialog() : SerialMQO(&RastelUi::ModuleAsker()) {}
};

}  // namespace

SAVORA_PLUGIN_DESCRIPTORS(SerialBMPWithDialog, SerialMQOWithDialog)
