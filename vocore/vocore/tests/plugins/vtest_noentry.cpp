// A library that exports the version but no table. It links the engine,
// which exports a table of its own: that one must not be taken for this one's.
#include "vocore/vocore/VoPlugin.h"

VO_PLUGIN_EXPORT int PluginVersion() { return VoPluginVersion; }
