#include "platform/com/Server.h"

#include <dlfcn.h>

#include "platform/com/Registry.h"
#include "platform/module/Module.h"

namespace Com {

namespace {

using RegisterEntry = HRESULT (*)();
using GetClassObjectEntry = HRESULT (*)(REFCLSID, REFIID, void**);

}  // namespace

HRESULT RegisterServer(const char* moduleName, bool unregister) {
  HMODULE module = LoadLibraryA(moduleName);
  if (!module) return E_FAIL;
  auto entry = reinterpret_cast<RegisterEntry>(
      GetProcAddress(module, unregister ? "DllUnregisterServer" : "DllRegisterServer"));
  const HRESULT hr = entry ? entry() : E_FAIL;
  FreeLibrary(module);
  return hr;
}

bool ClassFromName(const std::string& name, CLSID* clsid) {
  if (!clsid) return false;
  if (GuidFromString(name, clsid)) return true;
  // A version-independent id names its current version; one step is enough.
  std::string id = name, current;
  if (Registry::ReadValue(id + "\\CurVer", "", &current)) id = current;
  std::string text;
  return Registry::ReadValue(id + "\\CLSID", "", &text) && GuidFromString(text, clsid);
}

HRESULT CreateInstance(REFCLSID clsid, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  std::string path;
  if (!Registry::ReadValue("CLSID\\" + GuidToString(clsid) + "\\InprocServer32", "", &path) || path.empty())
    return REGDB_E_CLASSNOTREG;
  // The registered path is a file-system path; it is opened as it is.
  void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!module) return E_FAIL;
  auto entry = reinterpret_cast<GetClassObjectEntry>(dlsym(module, "DllGetClassObject"));
  if (!entry) {
    dlclose(module);
    return E_FAIL;
  }
  IClassFactory* factory = nullptr;
  HRESULT hr = entry(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory));
  if (SUCCEEDED(hr) && factory) {
    hr = factory->CreateInstance(nullptr, iid, out);
    factory->Release();
  }
  return hr;
}

}  // namespace Com
