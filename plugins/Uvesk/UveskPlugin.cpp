// The Uvesk module: morph blending and object selecters.
#include "plugins/Uvesk/UveskDescs.h"
#include "plugins/frame/PluginFrame.h"

SAVORA_PLUGIN_DESCRIPTORS(VertexBlenderDesc, ObjectSelecterDesc)
