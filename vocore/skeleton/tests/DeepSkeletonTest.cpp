// Skeleton chains deeper than the nesting limit, and bones whose starts run
// in a ring: every pass stops at the limit instead of running off the stack.
// Each case runs in a child process on a small stack.
#include <string>
#include <vector>

#include "SkeletonFixture.h"
#include "ferrox/testing/InChild.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/skeleton/VoICoordinate.h"

namespace skeltest {
namespace {

constexpr size_t kStack = size_t(1) << 20;
constexpr int kLimit = VoIBranch::MaxDepth;

enum class Kind { Locate, Coordinate, Bone };

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

class DeepSkeletonTest : public MasterTest {
 protected:
  // A chain of `n` nested items under a character's skeleton, each 10 units
  // further along x; a bone chain hangs each bone's end locate below it.
  std::vector<VoILocate*> Chain(Kind kind, int n) {
    character = Make<VoICharacter>(nullptr, "c");
    skel = master.NewItem<VoISkelton>(character);
    std::vector<VoILocate*> spine;
    VoIBranch* at = skel;
    VoILocate* start = kind == Kind::Bone ? master.NewItem<VoILocate>(skel) : nullptr;
    for (int i = 0; i < n; ++i) {
      const Frx::Pvector w(10.0f * static_cast<float>(i + 1), 0.0f, 0.0f);
      VoILocate* item = nullptr;
      if (kind == Kind::Bone) {
        VoIBone* bone = master.NewItem<VoIBone>(at);
        VoILocate* end = master.NewItem<VoILocate>(bone);
        end->SetWPos(w);
        bone->SetStartLocate(start);
        bone->SetEndLocate(end);
        bone->SetHeadVector(Frx::Pvector(0, 1, 0));
        start = end;
        item = bone;
      } else {
        item = kind == Kind::Locate ? master.NewItem<VoILocate>(at) : master.NewItem<VoICoordinate>(at);
        item->SetPos(Frx::Pvector(10, 0, 0));
        item->SetWPos(w);
      }
      spine.push_back(item);
      at = item;
    }
    return spine;
  }

  VoICharacter* character = nullptr;
  VoISkelton* skel = nullptr;
};

TEST_F(DeepSkeletonTest, PassesStopAtTheLimit) {
  const struct {
    const char* name;
    Kind kind;
    int n;
    const char* block;
  } cases[] = {
      {"300 locates", Kind::Locate, 300, "Locate {\n"},
      {"20,000 locates", Kind::Locate, 20000, "Locate {\n"},
      {"300 coordinates", Kind::Coordinate, 300, "Coordinate {\n"},
      {"20,000 coordinates", Kind::Coordinate, 20000, "Coordinate {\n"},
      {"300 bones", Kind::Bone, 300, "Bone {\n"},
      {"20,000 bones", Kind::Bone, 20000, "Bone {\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FrxTest::ExpectCleanInChild([&]() -> std::string {
      std::vector<VoILocate*> spine = Chain(c.kind, c.n);
      // The chain's first item is one level below the skeleton.
      VoILocate* last = spine[kLimit - 1];
      VoILocate* beyond = spine[kLimit];
      skel->InitialUpdate();
      if (last->GetLocate() != spine[kLimit - 2] || beyond->GetLocate() != nullptr)
        return "arranging did not stop at the limit\n";
      Frx::Pmatrix placement;
      placement.SetTranslate(Frx::Pvector(0, 5, 0));
      master.Animation(character, placement, 0.0f);
      if (last->IsChanged() || !beyond->IsChanged()) return "the forward pass did not stop at the limit\n";
      if (c.kind != Kind::Bone && !Near(last->GetWPos(), Frx::Pvector(10.0f * kLimit, 5, 0), kTol))
        return "the forward pass placed the last item wrong\n";
      character->ConvW2L(1);
      spine[0]->ConvW2L(Frx::Pmatrix::id, 1);
      skel->StandardPosition();
      if (!Finite(last->GetWPos()) || !Finite(last->GetPos())) return "the inverse passes broke the chain\n";
      const std::string text = SaveText(character);
      if (Count(text, c.block) != kLimit + 1)
        return "saved " + std::to_string(Count(text, c.block)) + " blocks\n";
      return std::string();
    }, kStack);
  }
}

TEST_F(DeepSkeletonTest, BonesStartingInARingStopAtTheLimit) {
  FrxTest::ExpectCleanInChild([&]() -> std::string {
    character = Make<VoICharacter>(nullptr, "c");
    skel = master.NewItem<VoISkelton>(character);
    VoIBone* a = master.NewItem<VoIBone>(skel);
    VoIBone* b = master.NewItem<VoIBone>(skel);
    a->SetStartLocate(b);
    b->SetStartLocate(a);
    a->SetEndLocate(b);
    b->SetEndLocate(a);
    a->SetWPos(Frx::Pvector(1, 0, 0));
    b->SetWPos(Frx::Pvector(0, 1, 0));
    skel->InitialUpdate();
    a->ConvTransW2L(1);
    character->ConvW2L(1);
    b->StandardPosition();
    master.Animation(character, Frx::Pmatrix::id, 0.0f);
    return Finite(a->GetPos()) && Finite(b->GetPos()) ? std::string() : "positions went wrong\n";
  }, kStack);
}

}  // namespace
}  // namespace skeltest
