#include <gtest/gtest.h>

#include "editor/testing/EditorFixture.h"
#include "editor/tree/TreeRules.h"
#include "vocore/motion/VoIControlVector.h"
#include "vocore/scene/VoIFile.h"
#include "vocore/scene/VoINote.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoISkelton.h"

namespace {

class TreeRulesTest : public edtest::EditorFixture {};

TEST_F(TreeRulesTest, LabelsCarryTheirMarksInOrder) {
  VoICharacter* c = Make<VoICharacter>(nullptr, "c");
  VoISkelton* s = Make<VoISkelton>(c, "body");
  struct Case {
    int hide, lock, problem;
    const char* label;
  } cases[] = {{0, 0, 0, "body"}, {1, 0, 0, "# body"}, {0, 1, 0, "\\ body"}, {0, 0, 1, "! body"}, {1, 1, 1, "# \\ ! body"}};
  for (const Case& k : cases) {
    s->SwHide(k.hide), s->SwLock(k.lock), s->SwProblem(k.problem);
    EXPECT_STREQ(TreeRules::Label(s).Get(), k.label);
  }
  // Label editing works on the plain name.
  EXPECT_FALSE(TreeRules::Rename(s, ""));
  EXPECT_STREQ(s->GetName(), "body");
  EXPECT_TRUE(TreeRules::Rename(s, "torso"));
  EXPECT_STREQ(TreeRules::Label(s).Get(), "# \\ ! torso");
  EXPECT_EQ(TreeRules::Icon(c, c), 30);
  EXPECT_EQ(TreeRules::Icon(c, nullptr), 18);
  master.ReleaseItem(c);
}

TEST_F(TreeRulesTest, FiltersNeverHideCharactersFilesNotesOrMotionSets) {
  VoICharacter* c = Make<VoICharacter>(nullptr, "c");
  VoISkelton* s = Make<VoISkelton>(c, "s");
  VoIBone* bone = Make<VoIBone>(s, "bone");
  VoICoordinate* coord = Make<VoICoordinate>(s, "coord");
  VoIMotion* m = Make<VoIMotion>(c, "m");
  VoIControlVector* v = Make<VoIControlVector>(m, "v");
  VoIFile* f = Make<VoIFile>(c, "f");
  VoINote* n = Make<VoINote>(c, "n");
  struct Case {
    VoIItem* item;
    bool shown[8];  // by filter 0..7
  } cases[] = {
      {c, {1, 1, 1, 1, 1, 1, 1, 1}},    {f, {1, 1, 1, 1, 1, 1, 1, 1}},    {n, {1, 1, 1, 1, 1, 1, 1, 1}},
      {bone, {0, 1, 1, 1, 0, 1, 1, 1}}, {coord, {0, 1, 1, 1, 0, 1, 1, 1}}, {s, {0, 0, 1, 1, 0, 0, 1, 1}},
      {m, {0, 0, 0, 0, 1, 1, 1, 1}},    {v, {0, 0, 0, 0, 1, 1, 1, 1}},
  };
  for (const Case& k : cases)
    for (int filter = 0; filter < 8; ++filter)
      EXPECT_EQ(TreeRules::IsShown(k.item, filter), k.shown[filter]) << k.item->GetName() << " " << filter;
  c->SetState(c->GetState() | VoIItem::STATE_MARK10);
  EXPECT_FALSE(TreeRules::IsShown(c, 7));
  master.ReleaseItem(c);
}

TEST_F(TreeRulesTest, RootModesChooseTheTopLevelAndNothingBelowAHiddenRootClimbs) {
  BuildScene();
  VoICharacter* inner = doc->NewCharacter(doc->project);
  host().SetCurrentCharacter(inner);
  struct Case {
    uint8_t mode;
    bool project, scoped, general;
  } cases[] = {{0, true, false, true}, {2, false, true, true}, {3, false, false, false}};
  for (const Case& k : cases) {
    doc->treeRootMode = k.mode;
    EXPECT_EQ(TreeRules::IsTopLevel(*doc, doc->project), k.project);
    EXPECT_EQ(TreeRules::IsTopLevel(*doc, inner), k.scoped);
    EXPECT_EQ(TreeRules::IsTopLevel(*doc, doc->general), k.general);
  }
  // The entry parent is the nearest ancestor with an entry, or none at all.
  VoISkelton* s = Make<VoISkelton>(inner, "s");
  VoIBone* bone = Make<VoIBone>(s, "bone");
  auto only = [](VoIItem* with) { return [with](VoIItem* p) { return p == with; }; };
  EXPECT_EQ(TreeRules::EntryParent(bone, only(inner)), inner);
  EXPECT_EQ(TreeRules::EntryParent(bone, only(nullptr)), nullptr);
}

}  // namespace
