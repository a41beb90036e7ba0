// Models nested by name or by bone chains: up to the engine's depth they are
// built, beyond it refused before anything is made; the writer writes every
// polygon however deep it lies.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "PelarnFixture.h"
#include "ferrox/testing/LogCapture.h"
#include "ferrox/testing/ReadWhole.h"
#include "plugins/Pelarn/MqoParser.h"
#include "plugins/testing/DeepModels.h"
#include "plugins/testing/GoldenCases.h"
#include "vocore/geometry/VoIPolygon.h"

namespace pelarntest {
namespace {

using MqoNesting = PelarnFixture;

// Levels of the deepest item below root (its children are level 1).
int DeepestLevel(VoIBranch* root) {
  int deepest = 0;
  std::vector<std::pair<VoIItem*, int>> stack;
  for (VoIItem* c = root->GetFirstChild(); c; c = root->GetNextChild(c)) stack.emplace_back(c, 1);
  while (!stack.empty()) {
    auto [item, level] = stack.back();
    stack.pop_back();
    deepest = std::max(deepest, level);
    if (VoIBranch* b = item->IsBranch())
      for (VoIItem* c = b->GetFirstChild(); c; c = b->GetNextChild(c)) stack.emplace_back(c, level + 1);
  }
  return deepest;
}

TEST_F(MqoNesting, BuiltUpToTheEnginesDepthAndRefusedBeyondIt) {
  // A chain of k bones nests the skeleton, k bones and the last end locate.
  // Imported into a branch `above` levels below a root, the deepest item may
  // lie MaxDepth - above levels below the branch.
  constexpr int kMax = VoIBranch::MaxDepth, kAbove = 40;
  const struct Row {
    const char* what;
    int above;
    std::string text;
    int depth;
    std::string deepest;  // named in the refusal's log line; empty when built
  } rows[] = {
      {"objects", 0, plugtest::NestedObjectsMqo(kMax), kMax, ""},
      {"objects", 0, plugtest::NestedObjectsMqo(kMax + 1), kMax + 1, "オブジェクト \"n0000000\""},
      {"bones", 0, plugtest::BoneChainMqo(kMax - 2), kMax, ""},
      {"bones", 0, plugtest::BoneChainMqo(kMax - 1), kMax + 1, "ロケート \"site_bone254\" (オブジェクト \"bone:chain\")"},
      {"objects", kAbove, plugtest::NestedObjectsMqo(kMax - kAbove), kMax - kAbove, ""},
      {"objects", kAbove, plugtest::NestedObjectsMqo(kMax - kAbove + 1), kMax - kAbove + 1,
       "オブジェクト \"n0000000\""},
      {"bones", kAbove, plugtest::BoneChainMqo(kMax - kAbove - 2), kMax - kAbove, ""},
      {"bones", kAbove, plugtest::BoneChainMqo(kMax - kAbove - 1), kMax - kAbove + 1,
       "ロケート \"site_bone214\" (オブジェクト \"bone:chain\")"},
      {"anything", kMax, plugtest::NestedObjectsMqo(1), 1, "インポート先"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.what) + " " + std::to_string(row.depth) + " below " + std::to_string(row.above));
    FrxTest::LogCapture log;
    boxes.Clear();
    VoICharacter* root = Make<VoICharacter>(nullptr, "root");
    VoICharacter* c = root;
    for (int i = 0; i < row.above; ++i) c = Make<VoICharacter>(c, "c");
    VoIItem* result = ImportText(row.text, c);
    if (row.deepest.empty()) {
      EXPECT_EQ(result, c);
      EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});
      EXPECT_EQ(DeepestLevel(c), row.depth);
      EXPECT_EQ(DeepestLevel(root), kMax) << "the engine's walks reach every item";
    } else {
      EXPECT_EQ(result, nullptr);
      ASSERT_EQ(boxes.Count(), 1);
      EXPECT_EQ(boxes.Texts()[0].rfind(Mqo::StructureError("", 0).substr(0, 20), 0), 0u) << boxes.Texts()[0];
      EXPECT_EQ(c->GetChildCount(), 0) << "nothing is left behind";
      EXPECT_EQ(log.Count("の階層が深すぎます ("), 1) << log.Text();
      const std::string line = row.above < kMax ? " の階層が深すぎます (" + std::to_string(row.depth) + " 段、上限 " +
                                                     std::to_string(kMax - row.above) + " 段)"
                                                : "の階層が深すぎます (上限 0 段)";
      EXPECT_EQ(log.Count(row.deepest + line), 1) << log.Text();
    }
  }
}

// What once overflowed the stack of the engine's walks, in a child process.
TEST_F(MqoNesting, HostileDepthsAreRefusedBeforeAnythingIsBuilt) {
  const struct Row {
    const char* what;
    std::string text;
  } rows[] = {{"80,000 objects nested by name", plugtest::NestedObjectsMqo(80000)},
              {"a chain of 35,000 bones", plugtest::BoneChainMqo(35000)}};
  for (const Row& row : rows)
    EXPECT_EXIT(
        {
          VoICharacter* c = Make<VoICharacter>(nullptr, "c");
          const bool refused = ImportText(row.text, c) == nullptr && c->GetChildCount() == 0;
          master.ReleaseItem(c);
          std::exit(refused ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "")
        << row.what;
}

TEST_F(MqoNesting, TheWriterWritesPolygonsBelowTheEnginesDepth) {
  VoICharacter* c = Make<VoICharacter>(nullptr, "c");
  const int chain = VoIBranch::MaxDepth + 44;
  VoIBranch* at = c;
  for (int i = 0; i < chain; ++i) {
    VoIPolygon* p = Make<VoIPolygon>(at, ("p" + std::to_string(i)).c_str());
    auto* v = new VoVertex;
    v->Alloc(1);
    p->AttachVertex(v);
    p->AttachFace(new VoFace);
    at = p;
  }
  const std::string path = Scratch("deep.mqo");
  ASSERT_EQ(master.Export(path.c_str(), c, 0), 1);
  const std::string text = FrxTest::ReadWhole(path);
  Mqo::Document doc;
  std::string error;
  ASSERT_EQ(Mqo::ParseMqoDocument(text.c_str(), text.size(), 1.0f, doc, error), 1) << error;
  ASSERT_EQ(doc.objects.size(), size_t(chain));
  EXPECT_EQ(doc.objects.back().name, "p" + std::to_string(chain - 1));
}

}  // namespace
}  // namespace pelarntest
