#include <gtest/gtest.h>

#include <memory>

#include "LogCapture.h"
#include "vocore/item/VoIItem.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/vocore/VoClassDescImport.h"
#include "vocore/vocore/VoClassDescItem.h"
#include "vocore/vocore/VoMaster.h"
#include "vocore/vocore/VoPlugin.h"

extern "C" int PluginVersion();
extern "C" VoClassDesc* PluginClassDesc(int index);

TEST(VoMasterLifecycle, InstancePointerFollowsLiveMasters) {
  auto first = std::make_unique<VoMaster>();
  EXPECT_EQ(VoMaster::This(), first.get());
  {
    VoMaster second;
    EXPECT_EQ(VoMaster::This(), &second);
  }
  // The newer master is gone: the older one answers again.
  EXPECT_EQ(VoMaster::This(), first.get());
  first.reset();
  EXPECT_EQ(VoMaster::This(), nullptr);
}

TEST(VoMasterLifecycle, InitializeRegistersTheEngineAndMakesRoots) {
  LogCapture log;
  VoMaster master;
  ASSERT_EQ(master.Initialize(nullptr), 1);
  EXPECT_TRUE(log.Contains("VoMaster : Savora:Engine Core の初期化\n"));
  EXPECT_EQ(master.GetRender(), nullptr);
  EXPECT_EQ(master.GetItemDescList().size(), 28u);
  EXPECT_EQ(master.GetImportDescList().size(), 9u);
  EXPECT_TRUE(master.GetExportDescList().empty());
  EXPECT_TRUE(master.GetCommandDescList().empty());
  EXPECT_STREQ(master.GetItemDescList().front()->ClassName(), "Item");
  EXPECT_STREQ(master.GetImportDescList().back()->FileExt(), "png");

  ASSERT_NE(master.GetWorldCoordinate(), nullptr);
  ASSERT_NE(master.GetNullCoordinate(), nullptr);
  EXPECT_STREQ(master.GetWorldCoordinate()->GetName(), "world");
  EXPECT_STREQ(master.GetNullCoordinate()->GetName(), "null");
  EXPECT_NE(master.GetWorldCoordinate(), master.GetNullCoordinate());
  EXPECT_EQ(master.GetUpdateCounter(), 0);
}

TEST(VoMasterLifecycle, EngineTableEntries) {
  EXPECT_EQ(PluginVersion(), 1026);
  // Every slot of the table is a real descriptor; the table ends at 37.
  for (int i = 0; i < 37; ++i) {
    VoClassDesc* desc = PluginClassDesc(i);
    ASSERT_NE(desc, nullptr) << i;
    EXPECT_EQ(desc->IsItemPlugin() + desc->IsImportPlugin(), 1) << i;
    EXPECT_NE(desc->ClassName(), nullptr);
  }
  EXPECT_EQ(PluginClassDesc(37), nullptr);
  EXPECT_EQ(PluginClassDesc(-1), nullptr);
  EXPECT_STREQ(PluginClassDesc(13)->ClassName(), "Bone");
  auto* bone = static_cast<VoClassDescItem*>(PluginClassDesc(13));
  EXPECT_EQ(bone->ClassID(), 19u);
  EXPECT_EQ(bone->ParentClassID(), 18u);
  EXPECT_EQ(bone->NumIcon(), 14u);
  auto* jpeg = static_cast<VoClassDescImport*>(PluginClassDesc(35));
  EXPECT_STREQ(jpeg->ClassName(), "ImportJPEG");
  EXPECT_STREQ(jpeg->FileType(), "JPEG Image Files (*.jpeg)");
}

TEST(VoMasterLifecycle, UpdateCounterWrapsPastZero) {
  VoMaster master;
  master.Initialize(nullptr);
  master.CountUpdate();
  EXPECT_EQ(master.GetUpdateCounter(), 1);
  for (int i = 1; i < 0xFFFF; ++i) master.CountUpdate();
  EXPECT_EQ(master.GetUpdateCounter(), 0xFFFF);
  master.CountUpdate();
  EXPECT_EQ(master.GetUpdateCounter(), 1);
  master.CountUpdate();
  EXPECT_EQ(master.GetUpdateCounter(), 2);
  // Items stamped at the counter see themselves as updated.
  VoIItem* item = master.CreateItem(1ul, nullptr);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->IsReupdate(), 0);
  item->ExecUpdate();
  EXPECT_EQ(item->IsReupdate(), 1);
  master.CountUpdate();
  EXPECT_EQ(item->IsReupdate(), 0);
  master.ReleaseItem(item);
}

TEST(VoMasterLifecycle, UninitializeTwiceIsHarmless) {
  LogCapture log;
  VoMaster master;
  master.Initialize(nullptr);
  VoRefer<VoICoordinate> world = master.GetWorldCoordinate();
  ASSERT_NE(world.Get(), nullptr);
  master.Uninitialize();
  // The root was released: references read it as gone.
  EXPECT_EQ(world.Get(), nullptr);
  EXPECT_EQ(master.GetWorldCoordinate(), nullptr);
  EXPECT_EQ(master.GetNullCoordinate(), nullptr);
  EXPECT_TRUE(master.GetItemDescList().empty());
  EXPECT_TRUE(master.GetImportDescList().empty());
  master.Uninitialize();
  EXPECT_EQ(log.Count("Engine Core の終了"), 1);
  // The destructor runs it a third time.
}

TEST(VoMasterLifecycle, RepeatedInitializeFilesOnce) {
  VoMaster master;
  master.Initialize(nullptr);
  VoRefer<VoICoordinate> oldWorld = master.GetWorldCoordinate();
  master.Initialize(nullptr);
  EXPECT_EQ(master.GetItemDescList().size(), 28u);
  EXPECT_EQ(oldWorld.Get(), nullptr);
  ASSERT_NE(master.GetWorldCoordinate(), nullptr);
  master.Uninitialize();
  master.Initialize(nullptr);
  EXPECT_EQ(master.GetItemDescList().size(), 28u);
}
