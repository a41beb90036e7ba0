// The Quovin module: motion file import and export.
#include "plugins/Quovin/ExportKVM.h"
#include "plugins/Quovin/ImportKVM.h"
#include "plugins/frame/PluginFrame.h"

SAVORA_PLUGIN_DESCRIPTORS(ImportKVM, ExportKVM)
