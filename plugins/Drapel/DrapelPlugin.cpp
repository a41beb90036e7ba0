// The Drapel module: skin glue.
#include "plugins/Drapel/DrapelerDesc.h"
#include "plugins/frame/PluginFrame.h"

SAVORA_PLUGIN_DESCRIPTORS(DrapelerDesc)
