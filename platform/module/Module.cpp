#include "platform/module/Module.h"

#include <dlfcn.h>
#include <link.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstring>
#include <mutex>
#include <set>

#include "platform/files/FindPath.h"
#include "platform/module/ModuleName.h"

namespace {

namespace Files = Platform::Files;
namespace Name = Platform::ModuleName;

// The stand-in module answering the DirectX 8.1 probe; its address is the handle.
const char probeModule = 0;
HMODULE ProbeHandle() { return const_cast<char*>(&probeModule); }
bool IsProbeName(const std::string& mapped) { return Name::LowerFileName(mapped) == "dpnhpast.so"; }

struct State {
  std::mutex mutex;
  std::set<std::string> missing;  // lower-cased mapped paths, or bare file names
  std::string lastError;
};

State& GetState() {
  static State state;
  return state;
}

void SetError(const std::string& text) {
  State& state = GetState();
  std::lock_guard<std::mutex> lock(state.mutex);
  state.lastError = text;
}

bool IsMissing(const std::string& mapped) {
  State& state = GetState();
  std::lock_guard<std::mutex> lock(state.mutex);
  return state.missing.count(Name::Lower(mapped)) || state.missing.count(Name::LowerFileName(mapped));
}

// Whether `handle` is a module the dynamic loader has loaded now. A dlopen
// handle is its link map entry, so a stale or foreign pointer is refused
// before it reaches dlsym or dlclose, which would crash on it.
bool IsLoadedModule(HMODULE handle) {
  if (!handle) return false;
  void* self = dlopen(nullptr, RTLD_NOW);
  link_map* map = nullptr;
  bool found = false;
  if (self && dlinfo(self, RTLD_DI_LINKMAP, &map) == 0 && map) {
    while (map->l_prev) map = map->l_prev;
    for (; map && !found; map = map->l_next) found = map == handle;
  }
  if (self) dlclose(self);
  return found;
}

std::string MainProgramPath() {
  char buffer[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
}

}  // namespace

HMODULE LoadLibraryA(const char* name) {
  std::string mapped = Platform::MapModuleName(name);
  if (mapped.empty()) {
    SetError("no module name");
    return nullptr;
  }
  if (IsMissing(mapped)) {
    SetError(mapped + ": made missing");
    return nullptr;
  }
  if (IsProbeName(mapped)) return ProbeHandle();
  HMODULE module = dlopen(mapped.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!module) {
    const char* error = dlerror();
    SetError(error ? error : mapped + ": cannot load");
  }
  return module;
}

void* GetProcAddress(HMODULE module, const char* symbol) {
  if (!symbol || module == ProbeHandle() || !IsLoadedModule(module)) {
    SetError("GetProcAddress: no such module or symbol name");
    return nullptr;
  }
  dlerror();
  void* address = dlsym(module, symbol);
  if (!address) {
    const char* error = dlerror();
    SetError(error ? error : std::string(symbol) + ": not found");
  }
  return address;
}

BOOL FreeLibrary(HMODULE module) {
  if (module == ProbeHandle()) return TRUE;
  if (!IsLoadedModule(module)) {
    SetError("FreeLibrary: not a loaded module");
    return FALSE;
  }
  if (dlclose(module) != 0) {
    const char* error = dlerror();
    SetError(error ? error : "dlclose failed");
    return FALSE;
  }
  return TRUE;
}

DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size) {
  if (!buffer || size == 0) return 0;
  buffer[0] = '\0';
  std::string path;
  if (!module) {
    path = MainProgramPath();
  } else if (IsLoadedModule(module)) {
    const char* name = static_cast<link_map*>(module)->l_name;
    path = name && *name ? name : MainProgramPath();
  }
  if (path.empty()) return 0;
  std::string text = Name::ToCp932(path);
  size_t n = text.size() < size ? text.size() : size - 1;
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return n < text.size() ? size : static_cast<DWORD>(n);
}

namespace Platform {

std::string MapModuleName(const char* name) {
  if (!name || !*name) return std::string();
  std::string mapped = Name::Map(name, ProgramFolder());
  if (IsProbeName(mapped)) return mapped;
  std::string found = Files::FindIgnoringCase(mapped);
  return found.empty() ? mapped : found;
}

std::string ProgramFolder() {
  static const std::string folder = [] {
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&ProgramFolder), &info) || !info.dli_fname)
      return std::string("./");
    char resolved[PATH_MAX];
    std::string path = realpath(info.dli_fname, resolved) ? resolved : info.dli_fname;
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
  }();
  return folder;
}

std::string LastModuleError() {
  State& state = GetState();
  std::lock_guard<std::mutex> lock(state.mutex);
  return state.lastError;
}

void SetModuleMissing(const char* name, bool missing) {
  if (!name || !*name) return;
  std::string utf8 = Name::ToUtf8(name);
  bool bare = utf8.find_first_of("/\\") == std::string::npos;
  std::string mapped = Name::Map(name, ProgramFolder());
  std::string key = bare ? Name::LowerFileName(mapped) : Name::Lower(mapped);
  State& state = GetState();
  std::lock_guard<std::mutex> lock(state.mutex);
  if (missing)
    state.missing.insert(key);
  else
    state.missing.erase(key);
}

}  // namespace Platform
