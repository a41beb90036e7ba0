// The Osmira module: the bone and anchor deformers and the intermediate file.
#include "plugins/Osmira/ExportKVI.h"
#include "plugins/Osmira/OsmiraDescs.h"
#include "plugins/frame/PluginFrame.h"

SAVORA_PLUGIN_DESCRIPTORS(OsmiraformDesc, SphericalDeformDesc, ExportKVI)
