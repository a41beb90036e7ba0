// Scene folders read from a temporary tree, including one that links back
// into itself.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ferrox/testing/LogCapture.h"
#include "ferrox/testing/TempFolder.h"
#include "vocore/item/VoDescent.h"
#include "vocore/item/VoIBranch.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/scene/VoIFile.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoISkelton.h"
#include "vocore/testing/MasterFixture.h"
#include "vocore/vocore/VoClassDescExport.h"
#include "vocore/vocore/VoClassDescImport.h"
#include "vocore/vocore/VoMaster.h"

using FrxTest::LogCapture;

namespace fs = std::filesystem;

namespace {

// Makes a note named after the file under the parent, as a model importer
// would add its items; paths ending in "fail.mqo" fail.
class NoteImport : public VoClassDescImport {
 public:
  explicit NoteImport(const char* ext) : ext_(ext) {}
  const char* ClassName() override { return "NoteImport"; }
  const char* FileExt() override { return ext_; }
  VoIItem* Import(const char* path, VoIBranch* parent, unsigned long) override {
    paths.push_back(path);
    if (std::string(path).find("fail.mqo") != std::string::npos) return nullptr;
    VoIItem* note = VoMaster::This()->CreateItem("Note", parent);
    note->SetName(path);
    return note;
  }
  std::vector<std::string> paths;

 private:
  const char* ext_;
};

class CountingExport : public VoClassDescExport {
 public:
  const char* ClassName() override { return "CountingExport"; }
  const char* FileExt() override { return "kvm"; }
  int Export(const char* path, std::list<VoRefer<VoIItem>>&, unsigned long) override {
    paths.push_back(path);
    return 1;
  }
  std::vector<std::string> paths;
};

void Touch(const fs::path& p) { std::ofstream(p) << "x"; }

std::vector<VoICharacter*> Characters(VoIBranch* branch) {
  VoMaster::ItemList list;
  branch->GetChildList(list, 3);
  std::vector<VoICharacter*> out;
  for (auto& ref : list) out.push_back(ref->IsCharacter());
  return out;
}

std::vector<VoIFile*> Files(VoIBranch* branch) {
  VoMaster::ItemList list;
  branch->GetChildList(list, 4);
  std::vector<VoIFile*> out;
  for (auto& ref : list) out.push_back(ref->IsFile());
  return out;
}

class SceneFolder : public votest::MasterFixture {
 protected:
  void SetUp() override {
    fs::create_directories(root / "stage" / "actor");
    Touch(root / "stage" / "set.mqo");
    Touch(root / "stage" / "fail.mqo");
    Touch(root / "stage" / "walk.kvm");
    Touch(root / "stage" / "readme.txt");
    Touch(root / "stage" / "actor" / "body.MQO");
    // A link from inside the tree back to its top.
    fs::create_directory_symlink(root / "stage", root / "stage" / "actor" / "loop");
    MasterFixture::SetUp();
    master.RegistClassDesc(&mqo);
    master.RegistClassDesc(&kvm);
    master.RegistClassDesc(&exporter);
    top = master.CreateItem("Character", nullptr)->IsCharacter();
  }
  void TearDown() override {
    master.ReleaseItem(top);
    MasterFixture::TearDown();
  }
  std::string Folder() const { return (root / "stage").string() + "\\"; }

  FrxTest::TempFolder folder;
  fs::path root = folder.Native();
  NoteImport mqo{"mqo"}, kvm{"kvm"};
  CountingExport exporter;
  VoICharacter* top = nullptr;
};

}  // namespace

TEST_F(SceneFolder, ImportBuildsNestedCharactersAndStopsAtLoops) {
  LogCapture log;
  VoIItem* result = master.Import(Folder().c_str(), top, 0);
  ASSERT_NE(result, nullptr);
  VoICharacter* stage = result->IsCharacter();
  ASSERT_NE(stage, nullptr);
  EXPECT_STREQ(stage->GetName(), "stage");
  EXPECT_EQ(stage->GetParent(), top);

  // The parent had no skeleton: one was made, holding the new coordinate.
  ASSERT_NE(top->GetSkelton(), nullptr);
  EXPECT_STREQ(top->GetSkelton()->GetName(), "skelton");
  ASSERT_NE(stage->GetCoordinate(), nullptr);
  EXPECT_STREQ(stage->GetCoordinate()->GetName(), "stage");

  // The failed model's file item went again; the others stay, models read-only.
  std::vector<VoIFile*> files = Files(stage);
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0]->GetPathName(), (Folder() + "set.mqo").c_str());
  EXPECT_EQ(files[0]->IsReadOnly(), 1);
  EXPECT_EQ(files[1]->GetPathName(), (Folder() + "walk.kvm").c_str());
  EXPECT_EQ(files[1]->IsReadOnly(), 0);

  std::vector<VoICharacter*> subs = Characters(stage);
  ASSERT_EQ(subs.size(), 1u);
  EXPECT_STREQ(subs[0]->GetName(), "actor");
  ASSERT_EQ(Files(subs[0]).size(), 1u);
  // The linked-back folder was refused, so nothing below actor repeats.
  EXPECT_TRUE(Characters(subs[0]).empty());
  EXPECT_EQ(mqo.paths.size(), 3u);
  EXPECT_EQ(kvm.paths.size(), 1u);
  // Models come before sub-folders, motions last.
  EXPECT_NE(mqo.paths.back().find("body.MQO"), std::string::npos);

  // The nested folder's coordinate sits on a skeleton made in the stage.
  ASSERT_NE(stage->GetSkelton(), nullptr);
  EXPECT_STREQ(subs[0]->GetCoordinate()->GetName(), "actor");
  EXPECT_EQ(subs[0]->GetCoordinate()->GetParent(), stage->GetSkelton());
}

TEST_F(SceneFolder, DiamondOfLinksReadsEveryFolderOnce) {
  // L0 .. Ln, each Li holding links a and b to L(i+1), a model in Ln: 2^n
  // paths lead to it, but each real folder is one character.
  for (int levels : {1, 4, 14}) {
    SCOPED_TRACE(levels);
    const fs::path base = root / ("diamond" + std::to_string(levels));
    for (int i = 0; i <= levels; ++i) fs::create_directories(base / ("L" + std::to_string(i)));
    for (int i = 0; i < levels; ++i)
      for (const char* link : {"a", "b"})
        fs::create_directory_symlink(base / ("L" + std::to_string(i + 1)), base / ("L" + std::to_string(i)) / link);
    Touch(base / ("L" + std::to_string(levels)) / "x.mqo");
    mqo.paths.clear();

    LogCapture log;
    VoIItem* result = master.Import((base / "L0").string().append("\\").c_str(), top, 0);
    ASSERT_NE(result, nullptr);
    // Each level is the first link of the one above; the second is refused.
    VoICharacter* at = result->IsCharacter();
    int characters = 1;
    for (std::vector<VoICharacter*> subs = Characters(at); !subs.empty(); subs = Characters(at)) {
      ASSERT_EQ(subs.size(), 1u);
      EXPECT_STREQ(subs[0]->GetName(), "a");
      at = subs[0];
      ++characters;
    }
    EXPECT_EQ(characters, levels + 1);
    ASSERT_EQ(Files(at).size(), 1u);
    EXPECT_EQ(mqo.paths.size(), 1u);
    EXPECT_EQ(log.Count("は読み込み済みのフォルダを指しています。"), levels);
  }
}

TEST_F(SceneFolder, ExportWritesOnlyWritableFiles) {
  VoIItem* result = master.Import(Folder().c_str(), top, 0);
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(master.ExportSceneFolder("out\\", result->IsCharacter()), 0);
  // Only the motion is writable; it goes to its own file name.
  ASSERT_EQ(exporter.paths.size(), 1u);
  EXPECT_EQ(exporter.paths[0], Folder() + "walk.kvm");
  EXPECT_EQ(master.ExportSceneFolder("out\\", nullptr), 0);
}

TEST_F(SceneFolder, FoldersNestNoDeeperThanTheLimit) {
  // A folder's character lies one below its parent and its coordinate two:
  // at 254 the stage fits exactly, its actor folder would not.
  VoIBranch* at = top;
  for (int i = 0; i < VoIBranch::MaxDepth - 2; ++i) at = master.CreateItem("Character", at)->IsBranch();
  LogCapture log;
  VoIItem* result = master.Import(Folder().c_str(), at->IsCharacter(), 0);
  ASSERT_NE(result, nullptr);
  VoICharacter* stage = result->IsCharacter();
  EXPECT_EQ(Vo::Depth(stage->GetCoordinate()), VoIBranch::MaxDepth);
  EXPECT_TRUE(Characters(stage).empty());
  EXPECT_EQ(log.Count("actor\\\" の階層が深すぎます。"), 1) << log.Text();
  EXPECT_EQ(mqo.paths.size(), 2u) << "the actor's model is not read";
}
