// The module's entries: the class factory of SavoraPlayer, whether the
// module may be unloaded, and the control's registration (program ids,
// class, type library) in the per-user registration file.
#include <dlfcn.h>
#include <limits.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "Lumacet/CSavoraPlayer.h"
#include "platform/com/Registry.h"
#include "platform/win32/Cp932.h"

#define LUMACET_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

namespace Registry = Com::Registry;

constexpr char ProgId[] = "Lumacet.SavoraPlayer.1";
constexpr char IndependentProgId[] = "Lumacet.SavoraPlayer";
constexpr char ClassName[] = "SavoraPlayer Class";

// This module's file (a file-system path), as containers will load it.
std::string ModulePath() {
  Dl_info info{};
  if (!dladdr(reinterpret_cast<const void*>(&ModulePath), &info) || !info.dli_fname) return std::string();
  char resolved[PATH_MAX];
  return realpath(info.dli_fname, resolved) ? std::string(resolved) : std::string(info.dli_fname);
}

std::vector<std::string> OwnKeys() {
  const std::string clsid = "CLSID\\" + Com::GuidToString(CLSID_SavoraPlayer);
  return {ProgId,
          IndependentProgId,
          clsid,
          "TypeLib\\" + Com::GuidToString(LIBID_LUMACETLib),
          "Interface\\" + Com::GuidToString(IID_ISavoraPlayer),
          "Interface\\" + Com::GuidToString(DIID__ISavoraPlayerEvents)};
}

}  // namespace

LUMACET_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (clsid != CLSID_SavoraPlayer) return CLASS_E_CLASSNOTAVAILABLE;
  IClassFactory* factory = Com::NewClassFactory(&CSavoraPlayer::Create);
  if (!factory) return E_OUTOFMEMORY;
  const HRESULT hr = factory->QueryInterface(iid, out);
  factory->Release();
  return hr;
}

LUMACET_EXPORT HRESULT DllCanUnloadNow() { return Com::ModuleLockCount() == 0 ? S_OK : S_FALSE; }

LUMACET_EXPORT HRESULT DllRegisterServer() {
  const std::string path = ModulePath();
  if (path.empty()) return SELFREG_E_CLASS;
  const std::string clsid = Com::GuidToString(CLSID_SavoraPlayer);
  const std::string libid = Com::GuidToString(LIBID_LUMACETLib);
  const std::string key = "CLSID\\" + clsid;
  const char* help = "Lumacet 1.0 ﾀｲﾌﾟ ﾗｲﾌﾞﾗﾘ";
  const std::vector<Registry::Key> keys = {
      {ProgId, {{"", ClassName}}},
      {std::string(ProgId) + "\\CLSID", {{"", clsid}}},
      {IndependentProgId, {{"", ClassName}}},
      {std::string(IndependentProgId) + "\\CLSID", {{"", clsid}}},
      {std::string(IndependentProgId) + "\\CurVer", {{"", ProgId}}},
      {key, {{"", ClassName}}},
      {key + "\\ProgID", {{"", ProgId}}},
      {key + "\\VersionIndependentProgID", {{"", IndependentProgId}}},
      {key + "\\Programmable", {}},
      {key + "\\InprocServer32", {{"", path}, {"ThreadingModel", "Apartment"}}},
      {key + "\\Control", {}},
      {key + "\\Insertable", {}},
      {key + "\\ToolboxBitmap32", {{"", path + ", 102"}}},
      {key + "\\MiscStatus", {{"", "0"}}},
      {key + "\\MiscStatus\\1", {{"", "131473"}}},
      {key + "\\TypeLib", {{"", libid}}},
      {key + "\\Version", {{"", "1.0"}}},
      {"TypeLib\\" + libid + "\\1.0", {{"", Platform::Cp932::ToUtf8(help, std::char_traits<char>::length(help))}}},
      {"TypeLib\\" + libid + "\\1.0\\0\\linux", {{"", path}}},
      {"Interface\\" + Com::GuidToString(IID_ISavoraPlayer), {{"", "ISavoraPlayer"}}},
      {"Interface\\" + Com::GuidToString(DIID__ISavoraPlayerEvents), {{"", "_ISavoraPlayerEvents"}}},
  };
  // An earlier registration (another module path, say) is replaced whole.
  return SUCCEEDED(Registry::ReplaceTrees(OwnKeys(), keys)) ? S_OK : SELFREG_E_CLASS;
}

LUMACET_EXPORT HRESULT DllUnregisterServer() {
  return SUCCEEDED(Registry::DeleteTrees(OwnKeys())) ? S_OK : SELFREG_E_CLASS;
}
