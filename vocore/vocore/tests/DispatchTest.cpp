// Import, export and commands with descriptors defined by the test itself.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ferrox/testing/LogCapture.h"
#include "vocore/item/VoIBranch.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/scene/VoIFile.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoISkelton.h"
#include "vocore/testing/MasterFixture.h"
#include "vocore/vocore/VoClassDescCommand.h"
#include "vocore/vocore/VoClassDescExport.h"
#include "vocore/vocore/VoClassDescImport.h"
#include "vocore/vocore/VoMaster.h"

using FrxTest::LogCapture;

namespace {

class RecordingImport : public VoClassDescImport {
 public:
  RecordingImport(const char* name, const char* ext, bool fail = false)
      : name_(name), ext_(ext), fail_(fail) {}
  const char* ClassName() override { return name_; }
  const char* FileExt() override { return ext_; }
  VoIItem* Import(const char* path, VoIBranch* parent, unsigned long flags) override {
    paths.push_back(path);
    lastFlags = flags;
    if (fail_) return nullptr;
    VoIItem* item = VoMaster::This()->CreateItem("Note", parent);
    item->SetName(path);
    return item;
  }
  std::vector<std::string> paths;
  unsigned long lastFlags = 0;

 private:
  const char* name_;
  const char* ext_;
  bool fail_;
};

class RecordingExport : public VoClassDescExport {
 public:
  const char* ClassName() override { return "ExportRec"; }
  const char* FileExt() override { return "rec"; }
  int Export(const char* path, std::list<VoRefer<VoIItem>>& items, unsigned long) override {
    listCalls.push_back(path);
    lastCount = items.size();
    return 1;
  }
  int Export(const char* path, VoIBranch*, unsigned long) override {
    branchCalls.push_back(path);
    return result;
  }
  std::vector<std::string> listCalls, branchCalls;
  std::size_t lastCount = 0;
  int result = 1;
};

class RecordingCommand : public VoClassDescCommand {
 public:
  const char* ClassName() override { return "Frobnicate"; }
  unsigned long AttachClassID() override { return 3; }
  int Execute(VoIItem* destination, VoIItem* source, unsigned long flags) override {
    lastDestination = destination;
    lastSource = source;
    lastFlags = flags;
    return 7;
  }
  VoIItem* lastDestination = nullptr;
  VoIItem* lastSource = nullptr;
  unsigned long lastFlags = 0;
};

using VoMasterDispatch = votest::MasterFixture;

}  // namespace

TEST_F(VoMasterDispatch, ImportPicksTheFirstMatchingExtension) {
  LogCapture log;
  RecordingImport first("ImportA", "mqo"), second("ImportB", "MQO");
  master.RegistClassDesc(&first);
  master.RegistClassDesc(&second);
  VoIItem* root = master.CreateItem("character", nullptr);
  ASSERT_NE(root, nullptr);
  VoIBranch* branch = root->IsBranch();

  VoIItem* upper = master.Import("scene\\A.MQO", branch, 0);
  VoIItem* lower = master.Import("scene\\b.mqo", branch, 0);
  ASSERT_NE(upper, nullptr);
  ASSERT_NE(lower, nullptr);
  EXPECT_EQ(first.paths.size(), 2u);
  EXPECT_TRUE(second.paths.empty());
  EXPECT_TRUE(log.Contains("インポート: scene\\A.MQO\n"));
  // The result went through one update: flags moved to the updated word.
  EXPECT_EQ(upper->GetUpdateFlag(), 0);
  EXPECT_EQ(upper->GetUpdatedFlag(), 0xFFFF);
  EXPECT_EQ(upper->IsReupdate(), 1);

  EXPECT_EQ(master.Import("scene\\c.mqo.bak", branch, 0), nullptr);
  EXPECT_TRUE(log.Contains(
      "　　ファイル \"scene\\c.mqo.bak\" に対応しているインポータが見つかりません。\n"));
  EXPECT_EQ(master.Import("noext", branch, 0), nullptr);
  EXPECT_EQ(first.paths.size(), 2u);

  // A pointer passed as flags arrives whole.
  unsigned long pointer = reinterpret_cast<unsigned long>(&log);
  master.Import("x.mqo", branch, pointer);
  EXPECT_EQ(first.lastFlags, pointer);
  master.ReleaseItem(root);
}

TEST_F(VoMasterDispatch, FailedImportIsLoggedAndScenePathsBypassImporters) {
  LogCapture log;
  RecordingImport failing("ImportF", "bad", true);
  RecordingImport folderExt("ImportSlash", "dir");
  master.RegistClassDesc(&failing);
  master.RegistClassDesc(&folderExt);
  VoIItem* root = master.CreateItem("Character", nullptr);
  EXPECT_EQ(master.Import("x.bad", root->IsBranch(), 0), nullptr);
  EXPECT_TRUE(log.Contains("　　\"x.bad\" の入力に失敗しました。\n"));

  // A trailing separator means a scene folder, whatever the extension says;
  // under a parent that is no character nothing is imported.
  VoIItem* note = master.CreateItem("Note", nullptr);
  EXPECT_EQ(master.Import("nowhere.dir\\", note->IsBranch(), 0), nullptr);
  EXPECT_TRUE(folderExt.paths.empty());
  master.ReleaseItem(note);

  // "表" ends in the byte 0x5C, yet a name ending in it is no folder.
  const int before = root->IsBranch()->GetChildCount();
  EXPECT_EQ(master.Import("models\\表", root->IsBranch(), 0), nullptr);
  EXPECT_TRUE(log.Contains("に対応しているインポータが見つかりません。"));
  EXPECT_EQ(root->IsBranch()->GetChildCount(), before);
  master.ReleaseItem(root);
}

TEST_F(VoMasterDispatch, ExportByExtensionAndReadOnlyFiles) {
  LogCapture log;
  RecordingExport exporter;
  master.RegistClassDesc(&exporter);
  VoIItem* root = master.CreateItem("Character", nullptr);

  EXPECT_EQ(master.Export("out.REC", root->IsBranch(), 0), 1);
  ASSERT_EQ(exporter.branchCalls.size(), 1u);
  exporter.result = 0;
  EXPECT_EQ(master.Export("out.rec", root->IsBranch(), 0), 0);
  EXPECT_TRUE(log.Contains("　　\"out.rec\" の出力に失敗しました。\n"));
  EXPECT_EQ(master.Export("out.txt", root->IsBranch(), 0), 0);
  EXPECT_TRUE(log.Contains(
      "　　ファイル \"out.txt\" に対応しているエクスポータが見つかりません。\n"));

  VoIFile* file = master.CreateItem("File", root->IsBranch())->IsFile();
  ASSERT_NE(file, nullptr);
  master.CreateItem("Note", file);
  master.CreateItem("Note", file);
  file->SetPathName("model.rec");
  file->SetReadOnly(1);
  EXPECT_EQ(master.Export(file, 0), 1);
  EXPECT_TRUE(exporter.listCalls.empty());
  file->SetReadOnly(0);
  EXPECT_EQ(master.Export(file, 0), 1);
  ASSERT_EQ(exporter.listCalls.size(), 1u);
  EXPECT_EQ(exporter.listCalls[0], "model.rec");
  EXPECT_EQ(exporter.lastCount, 2u);
  master.ReleaseItem(root);
}

TEST_F(VoMasterDispatch, CommandsByName) {
  LogCapture log;
  RecordingCommand command;
  master.RegistClassDesc(&command);
  EXPECT_STREQ(command.MenuName(), "無名");

  EXPECT_EQ(master.HasCommand("Frobnicate", 0), 1);
  EXPECT_EQ(master.HasCommand("Frobnicate", 3), 1);
  EXPECT_EQ(master.HasCommand("Frobnicate", 4), 0);
  EXPECT_EQ(master.HasCommand("FROBNICATE", 0), 0);
  EXPECT_EQ(master.HasCommand(nullptr, 0), 0);

  VoIItem* a = master.CreateItem("Note", nullptr);
  unsigned long host = reinterpret_cast<unsigned long>(&master);
  EXPECT_EQ(master.ExecCommand("FROBNICATE", a, nullptr, host), 7);
  EXPECT_EQ(command.lastDestination, a);
  EXPECT_EQ(command.lastSource, nullptr);
  EXPECT_EQ(command.lastFlags, host);
  EXPECT_TRUE(log.Contains("コマンド: FROBNICATE\n"));

  EXPECT_EQ(master.ExecCommand("Missing", nullptr, nullptr, 0), 0);
  EXPECT_TRUE(log.Contains("　　コマンド \"Missing\" はサポートされていません。\n"));
  master.ReleaseItem(a);
}

TEST_F(VoMasterDispatch, CommandLogNamesItemsInDebugMode) {
  LogCapture log(true);
  RecordingCommand command;
  master.RegistClassDesc(&command);
  VoIItem* a = master.CreateItem("Note", nullptr);
  VoIItem* b = master.CreateItem("Note", nullptr);
  a->SetName("left");
  b->SetName("right");
  master.ExecCommand("frobnicate", a, b, 0);
  EXPECT_TRUE(log.Contains("コマンド: frobnicate dst=\"left\" src=\"right\"\n"));
  master.ReleaseItem(a);
  master.ReleaseItem(b);
}
