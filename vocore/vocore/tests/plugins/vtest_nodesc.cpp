// A library with the right version whose table is empty.
#include "vocore/vocore/VoPlugin.h"

VO_PLUGIN_EXPORT int PluginVersion() { return VoPluginVersion; }

VO_PLUGIN_EXPORT VoClassDesc* PluginClassDesc(int) { return nullptr; }
