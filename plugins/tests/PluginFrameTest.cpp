// The frame every plug-in module is built on: what a module exports, how its
// descriptors are reached, and its message box.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <string>

#include "ferrox/testing/MessageBoxRecorder.h"
#include "vocore/vocore/VoClassDescCommand.h"
#include "vocore/vocore/VoMaster.h"
#include "vocore/vocore/VoPlugin.h"

namespace {

std::set<std::string> ExportedNames(const std::string& path) {
  std::set<std::string> names;
  std::string command = "nm -D --defined-only --format=posix '" + path + "'";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return names;
  char line[512];
  while (fgets(line, sizeof line, pipe)) {
    std::istringstream fields(line);
    std::string name, type;
    fields >> name >> type;
    // The linker's own markers of the data segment are not the module's.
    if (name == "_edata" || name == "_end" || name == "__bss_start" || name == "_init" ||
        name == "_fini")
      continue;
    names.insert(name);
  }
  pclose(pipe);
  return names;
}

// Tables of virtuals of engine classes ("Vo...") that a module defines itself.
std::set<std::string> EngineTables(const std::string& path) {
  std::set<std::string> tables;
  std::string command = "nm -C --defined-only '" + path + "'";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return tables;
  char line[1024];
  while (fgets(line, sizeof line, pipe)) {
    std::string text = line;
    size_t at = text.find("vtable for Vo");
    if (at != std::string::npos) tables.insert(text.substr(at));
  }
  pclose(pipe);
  return tables;
}

// Objects a module makes outlive it when their table of virtuals lives in the
// engine; a copy in the module would dangle once the module is unloaded.
TEST(PluginFrame, EveryModuleExportsOnlyItsTwoEntriesAndNoEngineTables) {
  std::istringstream modules(SAVORA_PLUGIN_FILES);
  std::string path;
  int count = 0;
  while (std::getline(modules, path, ';')) {
    ++count;
    EXPECT_EQ(ExportedNames(path), (std::set<std::string>{"PluginClassDesc", "PluginVersion"}))
        << path;
    EXPECT_EQ(EngineTables(path), std::set<std::string>()) << path;
  }
  EXPECT_GT(count, 0);
}

TEST(PluginFrame, TableAnswersByIndexAndNullOutside) {
  void* module = dlopen(SAVORA_SAMPLE_PLUGIN, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(module, nullptr) << dlerror();
  auto version = reinterpret_cast<VoPluginVersionProc>(dlsym(module, "PluginVersion"));
  auto describe = reinterpret_cast<VoPluginClassDescProc>(dlsym(module, "PluginClassDesc"));
  ASSERT_TRUE(version && describe);
  EXPECT_EQ(version(), 1026);
  struct Row {
    int index;
    const char* name;
  } rows[] = {{0, "FrameSampleCommand"}, {1, "FrameSampleImport"}, {2, nullptr},
              {-1, nullptr}, {1 << 30, nullptr}};
  for (const Row& row : rows) {
    VoClassDesc* desc = describe(row.index);
    if (row.name) {
      ASSERT_NE(desc, nullptr) << row.index;
      EXPECT_STREQ(desc->ClassName(), row.name);
      EXPECT_EQ(desc, describe(row.index)) << "one object per descriptor";
    } else {
      EXPECT_EQ(desc, nullptr) << row.index;
    }
  }
  dlclose(module);
}

TEST(PluginFrame, MessageBoxIsLoggedAndShownWithTheModulesName) {
  FrxTest::MessageBoxRecorder boxes(IDYES);
  VoMaster master;
  ASSERT_EQ(master.Initialize(nullptr), 1);
  ASSERT_EQ(master.LoadPlugin("plugins\\framesample.dll"), 1);
  // The command's answer is the button pressed; "%" in an argument stays.
  EXPECT_EQ(master.ExecCommand("framesamplecommand", nullptr, nullptr, 0), 6);
  ASSERT_EQ(boxes.Count(), 1);
  EXPECT_EQ(boxes.Shown()[0].text, "100% done: 50%");
  EXPECT_EQ(boxes.Shown()[0].caption, "framesample");
  EXPECT_EQ(boxes.Shown()[0].style, 36u);
  master.Uninitialize();
}

}  // namespace
