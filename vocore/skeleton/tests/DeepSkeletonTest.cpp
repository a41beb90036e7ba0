// Skeleton chains and characters nested past the nesting limit, and two
// bones each the other's start: every walk stops at the limit. Each case runs
// in a child process on a stack far too small for a frame per item.
#include <memory>
#include <string>
#include <vector>

#include "SkeletonFixture.h"
#include "ferrox/testing/InChild.h"
#include "ferrox/testing/LogCapture.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/persist/VoLoad.h"
#include "vocore/scene/VoICharacter.h"

namespace skeltest {
namespace {

constexpr int kLimit = VoIBranch::MaxDepth;
constexpr size_t kStack = size_t(1) << 20;
using DeepSkeletonTest = MasterTest;
int drawn = 0;

struct Drawn : VoIObject {
  using VoIObject::VoIObject;
  int Redraw() override { return ++drawn; }
};

TEST_F(DeepSkeletonTest, PassesStopAtTheLimit) {
  const int cases[][2] = {{VoILocate::CLASS_ID, 300}, {VoICoordinate::CLASS_ID, 20000},
                          {VoIBone::CLASS_ID, 300}, {VoIBone::CLASS_ID, 20000}};
  for (auto [classId, n] : cases) {
    SCOPED_TRACE(classId * 100000 + n);
    FrxTest::ExpectCleanInChild([&]() -> std::string {
      VoICharacter* character = Make<VoICharacter>(nullptr, "c");
      VoISkelton* skel = master.NewItem<VoISkelton>(character);
      std::vector<VoILocate*> spine;  // each 10 along x; a bone's end locate hangs below it
      VoILocate* start = classId == VoIBone::CLASS_ID ? master.NewItem<VoILocate>(skel) : nullptr;
      for (VoIBranch* at = skel; static_cast<int>(spine.size()) < n; at = spine.back()) {
        VoILocate* item = master.CreateItem(classId, at)->IsLocate();
        VoILocate* end = item->IsBone() ? master.NewItem<VoILocate>(item) : item;
        if (VoIBone* bone = item->IsBone()) {
          bone->SetStartLocate(start);
          bone->SetEndLocate(end);
          bone->SetHeadVector(Frx::Pvector(0, 1, 0));
          start = end;
        }
        item->SetPos(Frx::Pvector(10, 0, 0));
        end->SetWPos(Frx::Pvector(10.0f * static_cast<float>(spine.size() + 1), 0, 0));
        spine.push_back(item);
      }
      skel->InitialUpdate();
      if (spine[kLimit - 1]->GetLocate() != spine[kLimit - 2] || spine[kLimit]->GetLocate())
        return "arranging passed the limit\n";
      Frx::Pmatrix placement;
      placement.SetTranslate(Frx::Pvector(0, 5, 0));
      master.Animation(character, placement, 0.0f);
      if (spine[kLimit - 1]->IsChanged() || !spine[kLimit]->IsChanged()) return "the forward pass passed the limit\n";
      // A bone stands on its start, one item back.
      const float x = 10.0f * static_cast<float>(kLimit - (start ? 1 : 0));
      if (!Near(spine[kLimit - 1]->GetWPos(), Frx::Pvector(x, 5, 0), kTol)) return "the chain was misplaced\n";
      character->ConvW2L(1);
      spine[0]->ConvW2L(Frx::Pmatrix::id, 1);
      skel->StandardPosition();
      // The skeleton writes its items flat, as far down as the list walks go.
      const std::string text = SaveText(character), head = master.GetClassNameA(classId) + std::string(" {");
      size_t blocks = 0;
      for (size_t at = text.find(head); at != std::string::npos; at = text.find(head, at + 1)) ++blocks;
      return blocks == kLimit + 1 ? "" : "saved " + std::to_string(blocks) + " blocks\n";
    }, kStack);
  }
  FrxTest::ExpectCleanInChild([&]() -> std::string {
    VoICharacter* character = Make<VoICharacter>(nullptr, "c");
    VoISkelton* skel = master.NewItem<VoISkelton>(character);
    VoIBone* a = master.NewItem<VoIBone>(skel);
    VoIBone* b = master.NewItem<VoIBone>(skel);
    a->SetStartLocate(b);
    b->SetStartLocate(a);
    skel->InitialUpdate();
    character->ConvW2L(1);
    a->StandardPosition();
    return Finite(a->GetPos()) && Finite(b->GetPos()) ? "" : "the ring of starts broke the positions\n";
  }, kStack);
}

TEST_F(DeepSkeletonTest, NestedCharactersStopAtTheLimit) {
  FrxTest::ExpectCleanInChild([&]() -> std::string {
    // Each character holds the next, an object and a motion holding the next's motion.
    std::vector<VoICharacter*> chain{Make<VoICharacter>(nullptr, "c")};
    std::vector<VoIMotion*> motions{master.NewItem<VoIMotion>(chain[0])};
    for (int i = 1; i < 20000; ++i) {
      chain.push_back(master.NewItem<VoICharacter>(chain.back()));
      new Drawn(chain[i - 1]);
      motions.push_back(master.NewItem<VoIMotion>(motions.back()));
      chain[i]->SetName("n");
      motions[i]->SetName("n");
    }
    chain[0]->SetMotion(motions[0]);
    if (chain[kLimit]->GetMotion() != motions[kLimit] || chain[kLimit + 1]->GetMotion()) return "bound past the limit\n";
    master.CountUpdate();
    master.Animation(chain[0], Frx::Pmatrix::id, 0.0f);
    if (!chain[kLimit]->IsReupdate() || chain[kLimit + 1]->IsReupdate()) return "the update passed the limit\n";
    master.Discation(chain[0]);
    if (drawn != kLimit) return "drew " + std::to_string(drawn) + " objects\n";
    FrxTest::LogCapture log;
    const std::string text = SaveText(chain[0]);
    std::unique_ptr<VoLoad> load(votest::NewReader(text));
    load->OpenChunk("Character");
    VoICharacter* back = Make<VoICharacter>(nullptr, "back");
    back->Load(*load);
    int nested = 0;
    for (VoIItem* c = back->GetFirstChild(); c; c = c->IsBranch()->GetFirstChild()) ++nested;
    if (log.Count("保存しません") != 2 || nested != kLimit - 1 || log.Contains("深すぎます"))
      return "wrote or read " + std::to_string(nested) + " levels\n";
    return SaveText(back) == text ? "" : "the text did not read back to itself\n";
  }, kStack);
}

}  // namespace
}  // namespace skeltest
