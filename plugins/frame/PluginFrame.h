// What every plug-in module shares: the two exported entries over a table of
// descriptors, and the module's own message box.
#pragma once

#include <tuple>

#include "vocore/vocore/VoClassDesc.h"
#include "vocore/vocore/VoPlugin.h"

// Formats into 1,024 characters, logs the text and shows it with the box type
// (0 OK, 1 OK and Cancel, 36 Yes and No); returns the button pressed. Each
// module has its own copy, captioned with the module's name.
int ShowMessage(int type, const char* format, ...) __attribute__((format(printf, 2, 3)));

namespace PluginFrame {

// The descriptor of `index` among Descs, or null. The descriptors are made on
// first use, so no order of static initialisation matters; they live until
// the module is unloaded.
template <class... Descs>
VoClassDesc* DescriptorAt(int index) {
  static std::tuple<Descs...> descriptors;
  VoClassDesc* table[] = {&std::get<Descs>(descriptors)...};
  if (index < 0 || index >= static_cast<int>(sizeof...(Descs))) return nullptr;
  return table[index];
}

}  // namespace PluginFrame

// Defines PluginVersion and PluginClassDesc for the descriptor classes given,
// in table order.
#define SAVORA_PLUGIN_DESCRIPTORS(...)                               \
  VO_PLUGIN_EXPORT int PluginVersion() { return VoPluginVersion; }   \
  VO_PLUGIN_EXPORT VoClassDesc* PluginClassDesc(int index) {         \
    return PluginFrame::DescriptorAt<__VA_ARGS__>(index);            \
  }
