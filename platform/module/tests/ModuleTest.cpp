#include "platform/module/Module.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using AnswerFn = int (*)(int);

TEST(Module, ProgramFolderHoldsThisLibrary) {
  std::string folder = Platform::ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '/');
  // The build lays this library out in the program folder.
  char expected[4096];
  ASSERT_NE(realpath(SAVORA_PROGRAM_DIR, expected), nullptr);
  EXPECT_EQ(folder, std::string(expected) + "/");
}

TEST(Module, LoadsResolvesCallsAndFrees) {
  HMODULE module = LoadLibraryA("plugins\\modtest_probe.dll");
  ASSERT_NE(module, nullptr) << Platform::LastModuleError();
  auto answer = reinterpret_cast<AnswerFn>(GetProcAddress(module, "ModTestAnswer"));
  ASSERT_NE(answer, nullptr);
  EXPECT_EQ(answer(4), 13);
  // Hidden symbols stay inside the module.
  EXPECT_EQ(GetProcAddress(module, "ModTestHidden"), nullptr);
  EXPECT_EQ(GetProcAddress(module, "NoSuchEntry"), nullptr);
  EXPECT_FALSE(Platform::LastModuleError().empty());
  EXPECT_EQ(GetProcAddress(module, nullptr), nullptr);

  // The program folder's own path, as a host composes it from its folder.
  std::string full = Platform::ProgramFolder() + "plugins\\modtest_probe.dll";
  HMODULE again = LoadLibraryA(full.c_str());
  EXPECT_EQ(again, module);  // one module, two references
  EXPECT_EQ(FreeLibrary(again), TRUE);
  EXPECT_NE(GetProcAddress(module, "ModTestAnswer"), nullptr);  // still one reference
  EXPECT_EQ(FreeLibrary(module), TRUE);
}

TEST(Module, BadHandlesAreRefused) {
  int notAModule = 0;
  EXPECT_EQ(FreeLibrary(nullptr), FALSE);
  EXPECT_EQ(FreeLibrary(&notAModule), FALSE);
  EXPECT_EQ(GetProcAddress(nullptr, "ModTestAnswer"), nullptr);
  EXPECT_EQ(GetProcAddress(&notAModule, "ModTestAnswer"), nullptr);
  char buffer[16] = "unchanged";
  EXPECT_EQ(GetModuleFileNameA(&notAModule, buffer, sizeof buffer), 0u);
  EXPECT_EQ(buffer[0], '\0');
}

TEST(Module, MissingModules) {
  EXPECT_EQ(LoadLibraryA(nullptr), nullptr);
  EXPECT_EQ(LoadLibraryA(""), nullptr);
  EXPECT_EQ(LoadLibraryA("plugins\\modtest_absent.dll"), nullptr);
  EXPECT_NE(Platform::LastModuleError().find("modtest_absent"), std::string::npos);

  // The test switch, by path and by bare file name.
  Platform::SetModuleMissing("PLUGINS\\MODTEST_PROBE.DLL", true);
  EXPECT_EQ(LoadLibraryA("plugins\\modtest_probe.dll"), nullptr);
  Platform::SetModuleMissing("plugins\\modtest_probe.dll", false);
  HMODULE module = LoadLibraryA("plugins\\modtest_probe.dll");
  EXPECT_NE(module, nullptr);
  FreeLibrary(module);

  Platform::SetModuleMissing("modtest_probe.dll", true);
  EXPECT_EQ(LoadLibraryA("plugins\\modtest_probe.dll"), nullptr);
  Platform::SetModuleMissing("modtest_probe.dll", false);
  module = LoadLibraryA("plugins\\modtest_probe.dll");
  EXPECT_NE(module, nullptr);
  FreeLibrary(module);
}

TEST(Module, CaseInsensitiveFallback) {
  // On disk: plugins/modtest_probe.so and plugins/ModTest_MixedCase.so.
  for (const char* name : {"PLUGINS\\ModTest_Probe.DLL", "plugins\\modtest_mixedcase.dll",
                           "Plugins/MODTEST_MIXEDCASE.Dll"}) {
    SCOPED_TRACE(name);
    HMODULE module = LoadLibraryA(name);
    ASSERT_NE(module, nullptr) << Platform::LastModuleError();
    auto answer = reinterpret_cast<AnswerFn>(GetProcAddress(module, "ModTestAnswer"));
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(0), 1);
    EXPECT_EQ(FreeLibrary(module), TRUE);
  }
  EXPECT_EQ(Platform::MapModuleName("plugins\\MODTEST_MIXEDCASE.DLL"),
            Platform::ProgramFolder() + "plugins/ModTest_MixedCase.so");
}

TEST(Module, ShiftJisNames) {
  // The literal is Shift-JIS at run time; the file on disk is named in UTF-8.
  HMODULE module = LoadLibraryA("plugins\\modtest_表示.dll");
  ASSERT_NE(module, nullptr) << Platform::LastModuleError();
  EXPECT_NE(GetProcAddress(module, "ModTestAnswer"), nullptr);
  // Its file name comes back as system text.
  char buffer[4096];
  DWORD n = GetModuleFileNameA(module, buffer, sizeof buffer);
  const std::string expected = "plugins/modtest_表示.so";
  ASSERT_GT(n, expected.size());
  EXPECT_EQ(std::string(buffer + n - expected.size(), expected.size()), expected);
  EXPECT_EQ(FreeLibrary(module), TRUE);
}

TEST(Module, DirectX81ProbeStandIn) {
  HMODULE probe = LoadLibraryA("dpnhpast.dll");
  ASSERT_NE(probe, nullptr);
  // Callers compare handles with 32 as Win16 did.
  EXPECT_GE(reinterpret_cast<uintptr_t>(probe), 32u);
  EXPECT_EQ(LoadLibraryA("DPNHPAST.DLL"), probe);
  EXPECT_EQ(GetProcAddress(probe, "anything"), nullptr);
  EXPECT_EQ(FreeLibrary(probe), TRUE);
  EXPECT_EQ(FreeLibrary(probe), TRUE);

  Platform::SetModuleMissing("DpnHpast.dll", true);
  EXPECT_EQ(LoadLibraryA("dpnhpast.dll"), nullptr);
  Platform::SetModuleMissing("dpnhpast.dll", false);
  EXPECT_EQ(LoadLibraryA("dpnhpast.dll"), probe);
}

TEST(Module, ModuleFileNames) {
  char buffer[4096];
  DWORD n = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  ASSERT_GT(n, 0u);
  EXPECT_NE(std::string(buffer).find("platform_module_tests"), std::string::npos);

  HMODULE module = LoadLibraryA("plugins\\modtest_probe.dll");
  ASSERT_NE(module, nullptr);
  n = GetModuleFileNameA(module, buffer, sizeof buffer);
  EXPECT_EQ(std::string(buffer, n), Platform::ProgramFolder() + "plugins/modtest_probe.so");

  // A short buffer is cut and still terminated.
  char small[8];
  EXPECT_EQ(GetModuleFileNameA(module, small, sizeof small), sizeof small);
  EXPECT_EQ(std::string(small), std::string(buffer, 7));
  EXPECT_EQ(GetModuleFileNameA(module, nullptr, 10), 0u);
  FreeLibrary(module);
}

}  // namespace
