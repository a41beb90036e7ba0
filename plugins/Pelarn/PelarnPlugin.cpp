// The Pelarn module: Metasequoia import and export.
#include "plugins/Pelarn/ExportMQO.h"
#include "plugins/Pelarn/ImportMQO.h"
#include "plugins/frame/PluginFrame.h"

SAVORA_PLUGIN_DESCRIPTORS(ImportMQO, ExportMQO)
