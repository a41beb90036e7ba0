// Loading the small libraries built into the program folder's plugins/.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "ferrox/testing/LogCapture.h"
#include "vocore/item/VoIItem.h"
#include "vocore/vocore/VoClassDescCommand.h"
#include "vocore/vocore/VoClassDescExport.h"
#include "vocore/vocore/VoClassDescImport.h"
#include "vocore/vocore/VoClassDescItem.h"
#include "vocore/vocore/VoMaster.h"

using FrxTest::LogCapture;

TEST(VoMasterPlugins, EngineFolderIsTheLibraryFolder) {
  std::string path = VoMaster::strPath.Get();
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(path.back(), '/');
  EXPECT_TRUE(std::filesystem::equivalent(path, SAVORA_PROGRAM_DIR)) << path;
}

TEST(VoMasterPlugins, GoodLibraryIsFiledAfterTheEngine) {
  LogCapture log(true);
  VoMaster master;
  master.Initialize(nullptr);
  ASSERT_EQ(master.LoadPlugin("plugins\\vtest_good.dll"), 1) << log.Text();
  EXPECT_EQ(master.GetModuleList().size(), 1u);

  ASSERT_EQ(master.GetItemDescList().size(), 29u);
  EXPECT_STREQ(master.GetItemDescList().front()->ClassName(), "Item");
  EXPECT_STREQ(master.GetItemDescList().back()->ClassName(), "VtestGadget");
  ASSERT_EQ(master.GetImportDescList().size(), 10u);
  EXPECT_STREQ(master.GetImportDescList().back()->ClassName(), "VtestImport");
  ASSERT_EQ(master.GetExportDescList().size(), 1u);
  ASSERT_EQ(master.GetCommandDescList().size(), 1u);
  EXPECT_STREQ(master.GetCommandDescList().front()->MenuName(), "無名");

  EXPECT_TRUE(log.Contains("plugins\\vtest_good.dll\n"));
  EXPECT_TRUE(log.Contains("    追加アイテム VtestGadget\n"));
  EXPECT_TRUE(log.Contains("    追加インポート VtestImport\n"));
  EXPECT_TRUE(log.Contains("    追加エクスポート VtestExport\n"));
  EXPECT_TRUE(log.Contains("    追加コマンド VtestCommand\n"));
  // The descriptor of no kind is reported and skipped.
  EXPECT_TRUE(log.Contains("(500) :step\n    不正なクラス VtestStray\n"));

  // Items of the library's class run its code; they go before it unloads.
  VoIItem* gadget = master.CreateItem("vtestgadget", nullptr);
  ASSERT_NE(gadget, nullptr);
  EXPECT_EQ(gadget->GetClassID(), 150u);
  EXPECT_EQ(master.IsSubclass(gadget, 150), 1);
  EXPECT_STREQ(master.GetClassNameA(150), "VtestGadget");
  EXPECT_EQ(master.GetClassID("VTESTGADGET"), 150u);
  EXPECT_EQ(master.ExecCommand("vtestcommand", nullptr, nullptr, 4), 5);
  master.ReleaseItem(gadget);

  master.Uninitialize();
  EXPECT_TRUE(master.GetModuleList().empty());
  EXPECT_TRUE(master.GetCommandDescList().empty());
}

TEST(VoMasterPlugins, RefusedLibrariesAreLoggedAndUnloaded) {
  LogCapture log;
  VoMaster master;
  master.Initialize(nullptr);
  const std::size_t items = master.GetItemDescList().size();

  EXPECT_EQ(master.LoadPlugin("plugins\\vtest_badversion.dll"), 0);
  EXPECT_TRUE(log.Contains("    プラグインのバージョンが一致しません。Version 1025\n"));
  EXPECT_TRUE(master.GetCommandDescList().empty());

  EXPECT_EQ(master.LoadPlugin("plugins\\vtest_nodesc.dll"), 0);
  EXPECT_TRUE(log.Contains("    ディスクリプタが定義されていません。\n"));

  // Its missing table must not be found in the engine it links against.
  EXPECT_EQ(master.LoadPlugin("plugins\\vtest_noentry.dll"), 0);
  EXPECT_TRUE(log.Contains("    プラグイン関数の定義が不完全です。\n"));

  EXPECT_EQ(master.LoadPlugin("plugins\\vtest_absent.dll"), 0);
  EXPECT_TRUE(log.Contains("    読み込みエラー\n"));
  EXPECT_EQ(master.LoadPlugin(nullptr), 0);

  EXPECT_TRUE(master.GetModuleList().empty());
  EXPECT_EQ(master.GetItemDescList().size(), items);
  EXPECT_TRUE(master.GetImportDescList().size() == 9u);
}
