#include "vocore/vocore/VoEngineModule.h"

#include <dlfcn.h>
#include <link.h>

#include <cstring>

#include "ferrox/string/NativeName.h"
#include "vocore/vocore/VoMaster.h"

namespace {

// The library's folder in system text, ending with a separator.
Frx::Pstring EngineFolder() {
  std::string file = VoEngineModule::LibraryFile();
  std::string::size_type slash = file.rfind('/');
  if (slash == std::string::npos) return Frx::Pstring();
  return Frx::NativeName::FromNative(file.substr(0, slash + 1).c_str());
}

}  // namespace

// Set while the engine library is loaded, before any host code runs.
Frx::Pstring VoMaster::strPath = EngineFolder();

namespace VoEngineModule {

std::string LibraryFile() {
  Dl_info info{};
  if (!dladdr(reinterpret_cast<void*>(&LibraryFile), &info) || !info.dli_fname) return {};
  return info.dli_fname;
}

HINSTANCE Handle() {
  // Already loaded: this only hands out a handle (and one count, which the
  // process keeps while the engine is in use).
  static void* handle = dlopen(LibraryFile().c_str(), RTLD_NOW | RTLD_NOLOAD);
  return handle;
}

bool SymbolBelongsTo(HINSTANCE module, void* symbol) {
  if (!module || !symbol) return false;
  link_map* map = nullptr;
  Dl_info info{};
  if (dlinfo(module, RTLD_DI_LINKMAP, &map) != 0 || !map) return true;  // cannot tell
  if (!dladdr(symbol, &info)) return false;
  return info.dli_fbase == reinterpret_cast<void*>(map->l_addr) ||
         (info.dli_fname && map->l_name && std::strcmp(info.dli_fname, map->l_name) == 0);
}

}  // namespace VoEngineModule
