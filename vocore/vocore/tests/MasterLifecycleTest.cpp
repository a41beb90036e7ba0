#include <gtest/gtest.h>

#include <memory>

#include "ferrox/testing/LogCapture.h"
#include "vocore/item/VoIBranch.h"
#include "vocore/item/VoIItem.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/vocore/VoClassDescImport.h"
#include "vocore/vocore/VoClassDescItem.h"
#include "vocore/vocore/VoMaster.h"
#include "vocore/vocore/VoPlugin.h"

using FrxTest::LogCapture;

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
  struct ItemRow {
    const char* name;
    unsigned long id, parent, icon;
  };
  const ItemRow items[] = {
      {"Item", 1, 0, 1},         {"Material", 67, 1, 31},    {"Texture", 65, 1, 31},
      {"Modifier", 34, 1, 1},    {"Object", 33, 1, 17},      {"Geometry", 35, 33, 17},
      {"Polygon", 36, 35, 17},   {"Skelton", 6, 1, 13},      {"Character", 3, 33, 18},
      {"Camera", 37, 33, 11},    {"Light", 38, 33, 19},      {"Locate", 17, 33, 16},
      {"Coordinate", 18, 17, 14}, {"Bone", 19, 18, 14},      {"WLocate", 20, 17, 16},
      {"SiblingBone", 21, 19, 14}, {"Spring", 22, 1, 14},    {"MotionSet", 8, 1, 24},
      {"Motion", 97, 96, 24},    {"Control", 96, 1, 24},     {"Vector", 99, 96, 24},
      {"Quaternion", 100, 96, 24}, {"String", 101, 96, 24},  {"Refer", 102, 96, 24},
      {"Time", 112, 96, 24},     {"Value", 69, 1, 31},       {"File", 4, 1, 27},
      {"Note", 68, 1, 31}};
  VoMaster master;
  master.Initialize(nullptr);
  for (int i = 0; i < 28; ++i) {
    SCOPED_TRACE(items[i].name);
    ASSERT_EQ(PluginClassDesc(i)->IsItemPlugin(), 1);
    auto* desc = static_cast<VoClassDescItem*>(PluginClassDesc(i));
    EXPECT_STREQ(desc->ClassName(), items[i].name);
    EXPECT_EQ(desc->ClassID(), items[i].id);
    EXPECT_EQ(desc->ParentClassID(), items[i].parent);
    EXPECT_EQ(desc->NumIcon(), items[i].icon);
    // Create makes an item of the class itself, linked under the parent.
    VoIBranch parent;
    VoIItem* item = desc->Create(&parent);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->GetClassID(), items[i].id);
    EXPECT_EQ(item->GetParent(), &parent);
    item->Release();
  }
  const char* const imports[][3] = {
      {"ImportBMP", "Bitmap Image Files (*.bmp)", "bmp"}, {"ImportTGA", "TGA Image Files (*.tga)", "tga"},
      {"ImportPPM", "PPM Image Files (*.ppm)", "ppm"},    {"ImportPGM", "PGM Image Files (*.pgm)", "pgm"},
      {"ImportIFF", "IFF Image Files (*.iff)", "iff"},    {"ImportTIM", "TIM Image Files (*.tim)", "tim"},
      {"ImportJPG", "JPEG Image Files (*.jpg)", "jpg"},   {"ImportJPEG", "JPEG Image Files (*.jpeg)", "jpeg"},
      {"ImportPNG", "PNG Image Files (*.png)", "png"}};
  for (int i = 28; i < 37; ++i) {
    ASSERT_EQ(PluginClassDesc(i)->IsImportPlugin(), 1) << i;
    auto* desc = static_cast<VoClassDescImport*>(PluginClassDesc(i));
    EXPECT_STREQ(desc->ClassName(), imports[i - 28][0]);
    EXPECT_STREQ(desc->FileType(), imports[i - 28][1]);
    EXPECT_STREQ(desc->FileExt(), imports[i - 28][2]);
  }
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
