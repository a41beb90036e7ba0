#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "editor/app/Shutdown.h"
#include "editor/app/Startup.h"
#include "editor/frame/Commands.h"
#include "editor/testing/EditorFixture.h"
#include "editor/testing/TestImporter.h"
#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/testing/InChild.h"
#include "ferrox/testing/ReadWhole.h"
#include "ferrox/testing/Scopes.h"
#include "ferrox/testing/TempFolder.h"
#include "plugins/testing/DeepModels.h"
#include "vocore/vocore/VoClassDescCommand.h"

namespace {

class TestCommand : public VoClassDescCommand {
 public:
  TestCommand(const char* name, unsigned long attach) : name_(name), attach_(attach) {}
  const char* ClassName() override { return name_; }
  char* MenuName() override { return const_cast<char*>(name_); }
  unsigned long AttachClassID() override { return attach_; }
  int Execute(VoIItem*, VoIItem*, unsigned long) override { return 1; }

 private:
  const char* name_;
  unsigned long attach_;
};

class StartupTest : public edtest::EditorFixture {};

TEST_F(StartupTest, ToolsMenuIdsFollowTheDescriptorList) {
  EXPECT_TRUE(Commands::ToolsMenuEntries(master).empty());
  TestCommand a("A", 0), bone("OnBones", 19), c("C", 0);
  for (VoClassDesc* d : {static_cast<VoClassDesc*>(&a), static_cast<VoClassDesc*>(&bone),
                         static_cast<VoClassDesc*>(&c)})
    master.RegistClassDesc(d);
  const auto tools = Commands::ToolsMenuEntries(master);
  ASSERT_EQ(tools.size(), 2u);
  EXPECT_EQ(tools[0].id, 33000);
  EXPECT_EQ(tools[1].id, 33002);  // the bone command used up index 1
  EXPECT_STREQ(tools[1].text.Get(), "C");
}

TEST_F(StartupTest, TheCommandPlugInsFillTheToolsMenu) {
  Startup::LoadPlugins(master);
  std::vector<std::string> texts;
  for (const auto& entry : Commands::ToolsMenuEntries(master)) texts.push_back(entry.text.Get());
  // The Shift-JIS menu texts of the numbered BMP and MQO outputs and the motion converter.
  for (const char* text : {"\x98" "A" "\x94\xd4 BMP \x8f" "o" "\x97\xcd",
                           "\x98" "A" "\x94\xd4 MQO \x8f" "o" "\x97\xcd",
                           "\x83\x82\x81[\x83V\x83\x87\x83\x93\x83R\x83\x93\x83o\x81[\x83^"})
    EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << texts.size() << " entries";
}

TEST_F(StartupTest, CommandLineFilesOpenIntoTheScene) {
  BuildScene();
  edtest::TestImporter mqo("mqo", edtest::TestImporter::MakeObject);
  edtest::TestImporter kvm("kvm", edtest::TestImporter::MakeMotion);
  master.RegistClassDesc(&mqo);
  master.RegistClassDesc(&kvm);
  FrxTest::TempFolder folder;
  folder.Put("girl.mqo", "x");
  folder.Put("walk.kvm", "x");
  EXPECT_EQ(Startup::OpenCommandLine(*doc, {folder.System("girl.mqo").c_str(), folder.System("walk.kvm").c_str()}),
            1);
  VoICharacter* girl = doc->current;
  ASSERT_NE(girl, doc->project.Get());
  EXPECT_STREQ(girl->GetName(), "girl.mqo");
  EXPECT_EQ(girl->GetParent(), doc->project.Get());
  EXPECT_EQ(host().GetSelectedItem(), girl);
  ASSERT_NE(girl->GetMotion(), nullptr);  // the motion plays at once
  EXPECT_STREQ(girl->GetMotion()->GetName(), "walk");
  EXPECT_EQ(Startup::OpenCommandLine(*doc, {folder.System("missing.mqo").c_str()}), 0);
  EXPECT_TRUE(boxes.Saw("missing.mqo"));
}

// Models that once overflowed the engine's stack, given on the command line
// as a user would: each is refused with one message, nothing is built, and
// the editor closes cleanly (in a child process, so a crash fails the test).
TEST_F(StartupTest, ModelsTooDeepForTheEngineAreRefusedAndTheEditorCloses) {
  Startup::LoadPlugins(master);
  BuildScene();
  FrxTest::TempFolder folder;
  folder.Put("chain.mqo", plugtest::BoneChainMqo(35000));
  folder.Put("nested.mqo", plugtest::NestedObjectsMqo(80000));
  FrxTest::ExpectCleanInChild(
      [&]() -> std::string {
        for (const char* name : {"chain.mqo", "nested.mqo"}) {
          const int before = boxes.Count();
          Startup::OpenCommandLine(*doc, {folder.System(name).c_str()});
          if (boxes.Count() != before + 1) return std::string(name) + ": not one message\n";
          // The character File Open made for the file stays, empty.
          VoIItem* made = doc->project->GetItem(name);
          if (!made || !made->IsBranch() || made->IsBranch()->GetFirstChild())
            return std::string(name) + ": not an empty character\n";
        }
        CloseEditor(*doc, master);
        return "";
      },
      8 << 20);
}

TEST_F(StartupTest, PlayerRegistrationReportsEachOutcome) {
  FrxTest::TempFolder folder;
  folder.Put("blocked", "a file where the registration file's folder should be");
  const std::string program = VoMaster::strPath.Get();
  struct Case {
    const char* module;
    std::string controls;  // the per-user registration file
    int result;
  } cases[] = {
      {"no-such-module.dll", folder.Native("controls.reg"), -2},
      {"zenpng.dll", folder.Native("controls.reg"), -3},  // a module without the entry
      {"lumacet.dll", folder.Native("blocked/controls.reg"), -4},
      {"lumacet.dll", folder.Native("controls.reg"), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.module + (" into " + c.controls));
    const FrxTest::EnvScope controls("SAVORA_CONTROLS_FILE", c.controls.c_str());
    EXPECT_EQ(Startup::RegisterPlayerControl((program + c.module).c_str()), c.result);
  }
  EXPECT_NE(folder.Get("controls.reg").find("Lumacet.SavoraPlayer"), std::string::npos);

  {
    const FrxTest::EnvScope controls("SAVORA_CONTROLS_FILE", folder.Native("controls.reg").c_str());
    Startup::RegisterPlayer();
    EXPECT_EQ(boxes.Count(), 0);
  }
  const FrxTest::EnvScope controls("SAVORA_CONTROLS_FILE", folder.Native("blocked/controls.reg").c_str());
  Startup::RegisterPlayer();
  EXPECT_TRUE(boxes.Saw("lumacet.dll の登録に失敗しました。"));
}

TEST(StartupLog, BeginsWithTheBanner) {
  const FrxTest::FerroxScope settings;
  Startup::OpenLog();
  const std::string log = FrxTest::ReadWhole(Frx::theFerrox.logPath.Get());
  const size_t banner = log.find("Savora Ver 0.4f release\r\nstartup ");
  EXPECT_NE(banner, std::string::npos) << log;
  EXPECT_EQ(log.find("beta 1"), std::string::npos);
  Frx::theFerrox.DeleteLog();
}

}  // namespace
