#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "editor/document/DocumentPrompts.h"
#include "editor/testing/EditorFixture.h"
#include "editor/testing/TestImporter.h"
#include "ferrox/testing/LogCapture.h"
#include "ferrox/testing/TempFolder.h"
#include "plugins/testing/DeepModels.h"
#include "vocore/item/VoDescent.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/scene/VoIFile.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoISkelton.h"

namespace {

class ImportTest : public edtest::EditorFixture {
 protected:
  void SetUp() override {
    EditorFixture::SetUp();
    BuildScene();
  }
  void Register(edtest::TestImporter& importer) { master.RegistClassDesc(&importer); }
  // The names of a branch's children, in order.
  static std::string Children(VoIBranch* b) {
    std::string names;
    for (VoIItem* c = b->GetFirstChild(); c; c = b->GetNextChild(c)) names += std::string(c->GetName()) + ";";
    return names;
  }
};

TEST_F(ImportTest, AModelBecomesACharacterWithItsFileItems) {
  edtest::TestImporter mqo("mqo", edtest::TestImporter::MakeObject);
  Register(mqo);
  VoIItem* result = doc->ImportFile("models/girl.mqo", doc->project);
  ASSERT_NE(result, nullptr);
  VoICharacter* girl = result->IsCharacter();
  ASSERT_NE(girl, nullptr);
  EXPECT_STREQ(girl->GetName(), "girl.mqo");
  EXPECT_EQ(girl->GetParent(), doc->project.Get());
  EXPECT_EQ(Children(girl), "girl.mqo;body;endof girl.mqo;");
  EXPECT_EQ(girl->GetFirstChild()->IsFile()->IsReadOnly(), 1);
  EXPECT_EQ(mqo.lastFlags, FlagsFromHost(&host()));
}

TEST_F(ImportTest, MotionsGoIntoTheTargetAndKvsMakesNoFileItem) {
  edtest::TestImporter kvm("kvm", edtest::TestImporter::MakeMotion);
  edtest::TestImporter kvs("kvs", edtest::TestImporter::Fail);
  Register(kvm);
  Register(kvs);
  VoICharacter* target = doc->NewCharacter(doc->project);
  target->SetName("target");
  ASSERT_EQ(doc->ImportFile("walk.kvm", target), target);
  EXPECT_EQ(Children(target), "walk.kvm;walk;endof walk.kvm;");
  EXPECT_EQ(doc->ImportFile("a.kvs", target), nullptr);
  EXPECT_EQ(Children(target), "walk.kvm;walk;endof walk.kvm;");
  EXPECT_TRUE(boxes.Saw("a.kvs のインポートに失敗しました。"));
}

TEST_F(ImportTest, FailuresNeverTakeTheTargetOrFreeTwice) {
  // Readers that fail release the branch they were given.
  edtest::TestImporter kvm("kvm", edtest::TestImporter::FailAndReleaseParent);
  edtest::TestImporter mqo("mqo", edtest::TestImporter::FailAndReleaseParent);
  Register(kvm);
  Register(mqo);
  VoICharacter* mine = doc->NewCharacter(doc->project);
  for (VoIBranch* target : {static_cast<VoIBranch*>(doc->project.Get()), static_cast<VoIBranch*>(mine)}) {
    Make<VoISkelton>(target, "skelton");  // where attached coordinates go
    const std::string before = Children(target);
    EXPECT_EQ(doc->ImportFile("walk.kvm", target), nullptr);
    EXPECT_FALSE(target->IsRelease());
    EXPECT_EQ(Children(target), before);  // the file item went again
    EXPECT_EQ(doc->ImportFile("girl.mqo", target), nullptr);
    EXPECT_FALSE(target->IsRelease());
    EXPECT_EQ(Children(target), before);  // the reader took its character; nothing else remains
    EXPECT_EQ(target->IsCharacter()->GetSkelton()->GetChildCount(), 0);  // nor its coordinate
  }
  EXPECT_EQ(boxes.Count(), 4);
}

TEST_F(ImportTest, ARefusedFileGivesOneBox) {
  // A reader that says why it refuses the file is not followed by a second box.
  edtest::TestImporter mqo("mqo", edtest::TestImporter::Fail);
  Register(mqo);
  for (auto result : {edtest::TestImporter::Fail, edtest::TestImporter::FailWithError}) {
    mqo.result = result;
    const int before = boxes.Count();
    EXPECT_EQ(doc->ImportFile("x.mqo", doc->project), nullptr);
    ASSERT_EQ(boxes.Count(), before + 1) << result;
    EXPECT_EQ(boxes.Texts().back(), result == edtest::TestImporter::Fail ? "x.mqo のインポートに失敗しました。\n"
                                                                       : "対応している形式ではありません。");
  }
}

// Into a scoped character 40 levels down, a model gets a character of its
// own at 41: a chain of 215 objects reaches the engine's limit exactly and is
// built, one of 216 is refused by the reader before anything is made. Where
// even the editor's own items would pass it, the editor refuses the file, and
// it moves nothing that a reader built too deep.
TEST_F(ImportTest, ImportsNestNoDeeperThanTheLimit) {
  ASSERT_EQ(master.LoadPlugin("plugins\\pelarn.dll"), 1);
  edtest::TestImporter kvm("kvm", edtest::TestImporter::MakeKeyedMotion);
  Register(kvm);
  FrxTest::TempFolder folder;
  const std::string broken = "インポート中にエラーが発生しました。\nエラーが発生した場所(";
  const struct Row {
    int above;  // depth of the target
    const char* file;
    std::string text;
    std::string box;  // what the one message starts with; empty: built; "-": the editor's failure
  } rows[] = {
      {40, "fits.mqo", plugtest::NestedObjectsMqo(215), ""},
      {40, "past.mqo", plugtest::NestedObjectsMqo(216), broken},
      {255, "low.mqo", plugtest::NestedObjectsMqo(1), "-"},
      {254, "keyed.kvm", "x", ""},
      {255, "keyed.kvm", "x", "-"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.file) + " " + std::to_string(row.above));
    VoIBranch* target = doc->project;
    for (int i = 0; i < row.above; ++i) target = doc->NewCharacter(target);
    const std::string before = Children(target);
    const int boxesBefore = boxes.Count();
    folder.Put(row.file, row.text);
    const std::string path = folder.System(row.file);
    VoIItem* result = doc->ImportFile(path.c_str(), target);
    int deepest = 0;
    for (std::vector<VoIItem*> pending{target}; !pending.empty();) {
      VoIItem* at = pending.back();
      pending.pop_back();
      deepest = std::max(deepest, Vo::Depth(at));
      if (VoIBranch* b = at->IsBranch())
        for (VoIItem* c = b->GetFirstChild(); c; c = b->GetNextChild(c)) pending.push_back(c);
    }
    if (row.box.empty()) {
      EXPECT_NE(result, nullptr);
      EXPECT_EQ(boxes.Count(), boxesBefore);
      EXPECT_EQ(deepest, VoIBranch::MaxDepth);
    } else {
      EXPECT_EQ(result, nullptr);
      ASSERT_EQ(boxes.Count(), boxesBefore + 1);
      const std::string box = row.box == "-" ? path + " のインポートに失敗しました。\n" : row.box;
      EXPECT_EQ(boxes.Texts().back().rfind(box, 0), 0u) << boxes.Texts().back();
      EXPECT_LE(deepest, VoIBranch::MaxDepth);
      if (row.box == "-") {
        EXPECT_EQ(Children(target), before);
      }
    }
  }
  // A motion read into a character at 255 lies at the limit: the motion it
  // would get for the character's nested character finds no room below it.
  kvm.result = edtest::TestImporter::MakeMotion;
  VoIBranch* target = doc->project;
  for (int i = 0; i < VoIBranch::MaxDepth - 1; ++i) target = doc->NewCharacter(target);
  doc->NewCharacter(target)->SetName("nested");
  folder.Put("walk.kvm", "x");
  FrxTest::LogCapture log;
  ASSERT_EQ(doc->ImportFile(folder.System("walk.kvm").c_str(), target), target);
  VoIItem* walk = target->GetItem("walk");
  ASSERT_NE(walk, nullptr);
  EXPECT_EQ(walk->IsBranch()->GetFirstChild(), nullptr);
  EXPECT_EQ(log.Count("の下は階層が深すぎるためコントロールを作れません"), 1) << log.Text();

  // A character at the limit gets no new motion, by the command or by the
  // first key; a motion at the limit gets no control.
  VoICharacter* last = doc->NewCharacter(target);
  auto* coordinate = master.NewItem<VoICoordinate>(doc->project.Get());
  EXPECT_NE(master.CreateControl(coordinate, "pos", doc->NewMotion(target->GetParent())), nullptr);
  EXPECT_EQ(master.CreateControl(coordinate, "pos", walk->IsMotion()), nullptr);
  EXPECT_EQ(doc->NewMotion(last), nullptr);
  doc->ClickSelect(last, 0);
  doc->OnNewMotion();
  EXPECT_EQ(last->GetFirstChild(), nullptr);
  EXPECT_EQ(log.Count("の下は階層が深すぎるためモーションを作れません"), 2) << log.Text();
}

// Answers the file dialogs from a script and notes what it was shown.
class ScriptedPrompts : public DocumentPrompts {
 public:
  Frx::Pstring OpenFileName(const char* filter) override {
    filters.push_back(filter);
    return answer;
  }
  Frx::Pstring SaveFileName(const char* filter, const char*) override {
    filters.push_back(filter);
    return answer;
  }
  void AddRecentFile(const char* path) override { recent.push_back(path); }
  Frx::Pstring answer;
  std::vector<std::string> filters, recent;
};

TEST_F(ImportTest, DialogsOfferTheDescriptorsAndRememberWhatOpened) {
  edtest::TestImporter mqo("mqo", edtest::TestImporter::MakeObject);
  Register(mqo);
  ScriptedPrompts prompts;
  doc->prompts = &prompts;
  EXPECT_EQ(doc->ImportFile(nullptr, doc->project), nullptr);  // cancelled
  ASSERT_EQ(prompts.filters.size(), 1u);
  const std::string& filter = prompts.filters[0];
  EXPECT_EQ(filter.rfind("対応しているすべての形式 |*.bmp;", 0), 0u) << filter;
  EXPECT_NE(filter.find(";*.mqo|"), std::string::npos) << filter;
  EXPECT_NE(filter.find("|Test Files (*.x)|*.mqo|All Files (*.*)|*.*||"), std::string::npos) << filter;
  prompts.answer = "girl.mqo";
  ASSERT_NE(doc->ImportFile(nullptr, doc->project), nullptr);
  EXPECT_EQ(prompts.recent, std::vector<std::string>{"girl.mqo"});
  EXPECT_EQ(doc->ExportFile(nullptr, doc->project), 0);  // no exporter for it: reported
  EXPECT_EQ(prompts.filters.back(), "All Files (*.*)|*.*||");
  doc->prompts = nullptr;
}

TEST_F(ImportTest, ExportTakesOnlyCharacters) {
  EXPECT_EQ(doc->ExportFile("x.mqo", doc->general->GetItem("light")), 0);
  EXPECT_EQ(doc->ExportFile("x.mqo", nullptr), 0);
  EXPECT_EQ(boxes.Count(), 0);
  EXPECT_EQ(doc->ExportFile("x.none", doc->project), 0);
  EXPECT_TRUE(boxes.Saw("x.none のエクスポートに失敗しました。"));
}

}  // namespace
