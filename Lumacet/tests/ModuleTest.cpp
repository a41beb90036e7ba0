// lumacet.so as a container meets it: only the four entries exported, the
// class factory (an unknown class refused), the unload count, and the
// registration written, repeated, used to make a control, and removed.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <string>

#include "Lumacet/ISavoraPlayer.h"
#include "ferrox/testing/MessageBoxRecorder.h"
#include "ferrox/testing/ReadWhole.h"
#include "ferrox/testing/Scopes.h"
#include "ferrox/testing/TempFolder.h"
#include "platform/com/Registry.h"
#include "platform/com/Server.h"
#include "platform/module/Module.h"

namespace {

using GetClassObject = HRESULT (*)(REFCLSID, REFIID, void**);
using Entry = HRESULT (*)();

class LumacetModule : public ::testing::Test {
 protected:
  void SetUp() override {
    module = LoadLibraryA("lumacet.dll");
    ASSERT_NE(module, nullptr) << Platform::LastModuleError();
    getClassObject = reinterpret_cast<GetClassObject>(GetProcAddress(module, "DllGetClassObject"));
    canUnload = reinterpret_cast<Entry>(GetProcAddress(module, "DllCanUnloadNow"));
    ASSERT_TRUE(getClassObject && canUnload);
  }
  void TearDown() override {
    if (module) FreeLibrary(module);
  }

  HMODULE module = nullptr;
  GetClassObject getClassObject = nullptr;
  Entry canUnload = nullptr;
  FrxTest::TempFolder folder;
  const std::string file = folder.Native("config/controls.reg");
  // The module has its own copy of the registration code: the environment
  // is what both copies read.
  FrxTest::EnvScope controls{"SAVORA_CONTROLS_FILE", file.c_str()};
  FrxTest::MessageBoxRecorder boxes{IDOK};
};

TEST_F(LumacetModule, ExportsOnlyItsEntriesAndServesOnlyItsClass) {
  for (const char* entry : {"DllRegisterServer", "DllUnregisterServer"})
    EXPECT_NE(GetProcAddress(module, entry), nullptr) << entry;
  // The control's own classes and the COM layer linked into it stay inside.
  for (const char* hidden : {"_ZN13CSavoraPlayer6CreateERK4GUIDPPv", "_ZN10PlayerLoop4TickEv",
                             "_ZN3Com12GuidToStringB5cxx11ERK4GUID", "_ZN3Com15ModuleLockCountEv"})
    EXPECT_EQ(dlsym(module, hidden), nullptr) << hidden;

  void* out = &out;
  const CLSID other = {0x0C596208, 0xC14A, 0x45F3, {0xB7, 0xB9, 0xD1, 0x4A, 0x5F, 0x4D, 0x99, 0x04}};
  EXPECT_EQ(getClassObject(other, IID_IClassFactory, &out), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(getClassObject(CLSID_SavoraPlayer, IID_IDispatch, &out), E_NOINTERFACE);

  EXPECT_EQ(canUnload(), S_OK);
  IClassFactory* factory = nullptr;
  ASSERT_EQ(getClassObject(CLSID_SavoraPlayer, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
  EXPECT_EQ(canUnload(), S_FALSE) << "a factory keeps the module";
  EXPECT_EQ(factory->CreateInstance(reinterpret_cast<IUnknown*>(factory), IID_IUnknown, &out),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(factory->LockServer(TRUE), S_OK);
  ISavoraPlayer* player = nullptr;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_ISavoraPlayer, reinterpret_cast<void**>(&player)), S_OK);
  factory->Release();
  std::u16string mode;
  player->get_Mode(&mode);
  EXPECT_EQ(mode, u"Frame");
  player->Release();
  EXPECT_EQ(canUnload(), S_FALSE) << "still locked";
  factory = nullptr;
  ASSERT_EQ(getClassObject(CLSID_SavoraPlayer, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
  factory->LockServer(FALSE);
  factory->Release();
  EXPECT_EQ(canUnload(), S_OK);
}

TEST_F(LumacetModule, RegistersRepeatsMakesARegisteredControlAndUnregisters) {
  Com::Registry::WriteKeys({{"Other.Control", {{"", "kept"}}}});
  ASSERT_EQ(Com::RegisterServer("lumacet.dll"), S_OK) << "as the editor does at start-up";
  const std::string first = FrxTest::ReadWhole(file);
  ASSERT_EQ(reinterpret_cast<Entry>(GetProcAddress(module, "DllRegisterServer"))(), S_OK);
  EXPECT_EQ(FrxTest::ReadWhole(file), first) << "registering again changes nothing";

  const std::string clsid = Com::GuidToString(CLSID_SavoraPlayer);
  struct Value {
    std::string key, name, data;
  };
  const std::string path = Platform::MapModuleName("lumacet.dll");
  const Value values[] = {
      {"Lumacet.SavoraPlayer.1", "", "SavoraPlayer Class"},
      {"Lumacet.SavoraPlayer.1\\CLSID", "", clsid},
      {"Lumacet.SavoraPlayer\\CurVer", "", "Lumacet.SavoraPlayer.1"},
      {"CLSID\\" + clsid, "", "SavoraPlayer Class"},
      {"CLSID\\" + clsid + "\\InprocServer32", "ThreadingModel", "Apartment"},
      {"CLSID\\" + clsid + "\\MiscStatus\\1", "", "131473"},
      {"CLSID\\" + clsid + "\\ToolboxBitmap32", "", path + ", 102"},
      {"CLSID\\" + clsid + "\\TypeLib", "", Com::GuidToString(LIBID_LUMACETLib)},
      {"TypeLib\\" + Com::GuidToString(LIBID_LUMACETLib) + "\\1.0", "", "Lumacet 1.0 \xEF\xBE\x80\xEF\xBD\xB2\xEF\xBE\x8C\xEF\xBE\x9F \xEF\xBE\x97\xEF\xBD\xB2\xEF\xBE\x8C\xEF\xBE\x9E\xEF\xBE\x97\xEF\xBE\x98"},
  };
  for (const Value& v : values) {
    std::string data;
    EXPECT_TRUE(Com::Registry::ReadValue(v.key, v.name, &data)) << v.key;
    EXPECT_EQ(data, v.data) << v.key;
  }

  // A container that knows the control by name.
  CLSID found{};
  ASSERT_TRUE(Com::ClassFromName("Lumacet.SavoraPlayer", &found));
  void* made = nullptr;
  ASSERT_EQ(Com::CreateInstance(found, IID_ISavoraPlayer, &made), S_OK);
  auto* player = static_cast<ISavoraPlayer*>(made);
  EXPECT_EQ(player->put_Width(12), S_OK);
  player->Release();

  ASSERT_EQ(Com::RegisterServer("lumacet.dll", true), S_OK);
  EXPECT_FALSE(Com::ClassFromName("Lumacet.SavoraPlayer", &found));
  EXPECT_EQ(FrxTest::ReadWhole(file).find("avoraPlayer"), std::string::npos);
  EXPECT_EQ(FrxTest::ReadWhole(file).find(clsid), std::string::npos);
  std::string kept;
  EXPECT_TRUE(Com::Registry::ReadValue("Other.Control", "", &kept));
  EXPECT_EQ(Com::RegisterServer("missing-module.dll"), E_FAIL);
}

}  // namespace
