// The two entries every descriptor library exports, undecorated. A library
// defines them with VO_PLUGIN_EXPORT so they stay visible in a module built
// with hidden symbols.
#pragma once

class VoClassDesc;

#define VO_PLUGIN_EXPORT extern "C" __attribute__((visibility("default")))

// The version a library must report to be registered.
constexpr int VoPluginVersion = 1026;

typedef int (*VoPluginVersionProc)();
typedef VoClassDesc* (*VoPluginClassDescProc)(int index);
