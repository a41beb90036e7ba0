// Binding a motion to a character, the update order's effects and the
// character's text.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "ferrox/math/Pquaternion.h"
#include "ferrox/math/Pvector.h"
#include "ferrox/testing/LogCapture.h"
#include "ferrox/testing/Near.h"
#include "vocore/motion/VoIControlQuaternion.h"
#include "vocore/motion/VoIControlRefer.h"
#include "vocore/motion/VoIControlString.h"
#include "vocore/motion/VoIControlTime.h"
#include "vocore/motion/VoIControlVector.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/persist/VoLoad.h"
#include "vocore/persist/VoSave.h"
#include "vocore/scene/VoICamera.h"
#include "vocore/scene/VoIFile.h"
#include "vocore/testing/MasterFixture.h"
#include "vocore/testing/TextStreams.h"
#include "vocore/vocore/VoClassDescImport.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoISkelton.h"

using Frx::Pquaternion;
using Frx::Pvector;
using FrxTest::LogCapture;
using FrxTest::Near;

namespace {

using CharacterTest = votest::MasterFixture;

TEST_F(CharacterTest, BindsByExactNameAndClass) {
  VoICharacter* ch = master.NewItem<VoICharacter>(nullptr);
  VoISkelton* sk = master.NewItem<VoISkelton>(ch);
  VoICoordinate* arm = master.NewItem<VoICoordinate>(sk);
  arm->SetName("Arm");
  VoICoordinate* lower = master.NewItem<VoICoordinate>(sk);
  lower->SetName("arm");
  VoIBone* bone = master.NewItem<VoIBone>(sk);  // derives from Coordinate
  bone->SetName("Arm");
  VoIMotion* m = master.NewItem<VoIMotion>(ch);
  m->endframe = 100;
  VoIControlVector* pos = master.NewItem<VoIControlVector>(m);
  pos->SetName("Arm");
  ASSERT_EQ(pos->SetOutClassAndMember("Coordinate", "pos"), 1);
  pos->SetKey(0, Pvector(0, 0, 0));
  pos->SetKey(10, Pvector(10, 0, 0));
  VoIControlString* wrongType = master.NewItem<VoIControlString>(m);
  wrongType->SetName("Arm");
  wrongType->SetOutClassAndMember(VoICoordinate::CLASS_ID, pos->GetOutOffset());
  wrongType->SetKey(0, "x");
  {
    ch->SetMotion(m);
    // Arm and the bone derived from its class; never "arm", and never the
    // string control, which names a vector member.
    EXPECT_EQ(ch->connections.size(), 2u);
    ch->SetTime(5.0f);
    ch->ExecUpdate();
    EXPECT_TRUE(Near(arm->pos, Pvector(5, 0, 0)));
    EXPECT_TRUE(Near(lower->pos, Pvector(0, 0, 0)));
  }
  {
    // A control added to the bound motion binds on the next update.
    VoIControlQuaternion* rot = master.NewItem<VoIControlQuaternion>(m);
    rot->SetName("arm");
    rot->SetOutClassAndMember("Coordinate", "rot");
    rot->SetKey(0, Pquaternion(0, 0, 1, 0));
    ch->SetMotion(m);
    EXPECT_EQ(ch->connections.size(), 2u);  // same motion: nothing rebuilt
    ch->ExecUpdate();
    EXPECT_EQ(ch->connections.size(), 3u);
    EXPECT_TRUE(Near(lower->rot, Pquaternion(0, 0, 1, 0)));
    ch->ExecUpdate();
    EXPECT_EQ(ch->connections.size(), 3u);
  }
  {
    // Keying the pose: vector, quaternion and string at any frame. (The
    // bone would key its own position over Arm's at the same frame.)
    master.ReleaseItem(bone);
    arm->pos = Pvector(7, 7, 7);
    ch->WriteAllControl(12.7f);
    ASSERT_NE(pos->GetKey(12), nullptr);
    EXPECT_EQ(pos->GetKey(12)->value, Pvector(7, 7, 7));
  }
  master.ReleaseItem(ch);
}

TEST_F(CharacterTest, NestedCharactersReferencesAndClocks) {
  VoICharacter* ch = master.NewItem<VoICharacter>(nullptr);
  ch->SetName("top");
  VoICharacter* sub = master.NewItem<VoICharacter>(ch);
  sub->SetName("sub");
  VoISkelton* sk = master.NewItem<VoISkelton>(sub);
  VoICoordinate* hand = master.NewItem<VoICoordinate>(sk);
  hand->SetName("hand");
  VoIMotion* m = master.NewItem<VoIMotion>(ch);
  m->endframe = 100;
  VoIMotion* inner = master.NewItem<VoIMotion>(m);
  inner->SetName("sub");
  inner->endframe = 100;
  VoIControlVector* v = master.NewItem<VoIControlVector>(inner);
  v->SetName("hand");
  v->SetOutClassAndMember("Coordinate", "pos");
  v->SetKey(0, Pvector(0, 0, 0));
  v->SetKey(20, Pvector(0, 20, 0));
  VoIControlTime* clock = master.NewItem<VoIControlTime>(m);
  clock->SetName("sub");
  clock->SetOutClassAndMember("Character", "time");
  VoIControlRefer* refer = master.NewItem<VoIControlRefer>(m);
  refer->SetName("sub");
  refer->SetOutClassAndMember("Character", "motion");
  ch->SetMotion(m);
  EXPECT_EQ(sub->GetMotion(), inner);
  {
    ch->SetTime(10.0f);
    ch->ExecUpdate();
    EXPECT_FLOAT_EQ(sub->GetTime(), 10.0f);
    EXPECT_TRUE(Near(hand->pos, Pvector(0, 10, 0)));
  }
  {
    // Clocks and references are keyed at frame 0 only.
    ch->WriteAllControl(3.0f);
    EXPECT_EQ(clock->GetKeySize(), 0);
    EXPECT_EQ(refer->GetKeySize(), 0);
    ch->WriteAllControl(0.0f);
    ASSERT_EQ(refer->GetKeySize(), 1);
    EXPECT_EQ(refer->keys[0].value, "sub");
    EXPECT_EQ(clock->GetKeySize(), 1);
  }
  master.ReleaseItem(ch);
}

TEST_F(CharacterTest, MotionSwitchedByAReferenceBindsAgain) {
  VoICharacter* ch = master.NewItem<VoICharacter>(nullptr);
  VoICharacter* sub = master.NewItem<VoICharacter>(ch);
  sub->SetName("sub");
  VoISkelton* sk = master.NewItem<VoISkelton>(sub);
  VoICoordinate* hand = master.NewItem<VoICoordinate>(sk);
  hand->SetName("hand");
  VoIMotion* moves[2];
  const char* names[2] = {"wave", "bow"};
  for (int i = 0; i < 2; ++i) {
    moves[i] = master.NewItem<VoIMotion>(sub);
    moves[i]->SetName(names[i]);
    VoIControlVector* v = master.NewItem<VoIControlVector>(moves[i]);
    v->SetName("hand");
    v->SetOutClassAndMember("Coordinate", "pos");
    v->SetKey(0, Pvector(float(i + 1), 0, 0));
  }
  VoIMotion* m = master.NewItem<VoIMotion>(ch);
  m->endframe = 100;
  VoIControlRefer* pick = master.NewItem<VoIControlRefer>(m);
  pick->SetName("sub");
  ASSERT_EQ(pick->SetOutClassAndMember("Character", "motion"), 1);
  pick->SetKey(0, "wave");
  pick->SetKey(10, "bow");
  pick->SetKey(20, "wave");
  ch->SetMotion(m);
  // Each switch drives the hand from the motion the reference now names,
  // also when coming back to a motion that was bound before.
  const float expected[3] = {1, 2, 1};
  for (int step = 0; step < 3; ++step) {
    ch->SetTime(10.0f * step);
    master.CountUpdate();
    ch->ExecUpdate();
    EXPECT_EQ(sub->GetMotion(), moves[step % 2]) << step;
    EXPECT_TRUE(Near(hand->pos, Pvector(expected[step], 0, 0)));
  }
  master.ReleaseItem(ch);
}

// The engine's main road: a host builds a character with a skeleton, keys a
// motion and plays it through the master.
TEST_F(CharacterTest, AnimationPlaysAKeyedMotion) {
  VoICharacter* ch = master.NewItem<VoICharacter>(nullptr);
  VoISkelton* sk = master.NewItem<VoISkelton>(ch);
  VoICoordinate* root = master.NewItem<VoICoordinate>(sk);
  root->SetName("root");
  VoICoordinate* tip = master.NewItem<VoICoordinate>(root);
  tip->SetName("tip");
  tip->pos = Pvector(0, 1, 0);
  VoIMotion* m = master.NewItem<VoIMotion>(ch);
  m->endframe = 20;
  m->loop = 1;
  VoIControl* move = master.CreateControl(root, "pos", m);
  VoIControl* turn = master.CreateControl(root, "rot", m);
  ASSERT_NE(move, nullptr);
  ASSERT_NE(turn, nullptr);
  const float h = std::sqrt(0.5f);
  move->IsControlVector()->SetKey(0, Pvector(0, 0, 0));
  move->IsControlVector()->SetKey(10, Pvector(4, 0, 0));
  turn->IsControlQuaternion()->SetKey(0, Pquaternion(0, 0, 0, 1));
  turn->IsControlQuaternion()->SetKey(10, Pquaternion(0, 0, h, h));
  ch->SetMotion(m);
  master.CountUpdate();
  master.Animation(ch, Frx::Pmatrix::id, 30.0f);  // loops to frame 10
  EXPECT_FLOAT_EQ(m->GetFrame(), 10.0f);
  EXPECT_TRUE(Near(root->pos, Pvector(4, 0, 0)));
  EXPECT_TRUE(Near(root->rot, Pquaternion(0, 0, h, h), 1e-5f));
  // The forward pass: the tip, one up in the turned root, ends at (4 - 1, 0, 0).
  const Frx::Pmatrix& w = tip->GetMatrixL2W();
  EXPECT_NEAR(w._41, 3.0f, 1e-4f);
  EXPECT_NEAR(w._42, 0.0f, 1e-4f);
  master.ReleaseItem(ch);
}

// Reads a ".tst" file as one camera named "lens"; a path naming "missing" fails.
class CameraImport : public VoClassDescImport {
 public:
  const char* ClassName() override { return "ImportTST"; }
  const char* FileExt() override { return "tst"; }
  VoIItem* Import(const char* path, VoIBranch* parent, unsigned long) override {
    paths.push_back(path);
    if (std::string(path).find("missing") != std::string::npos) return nullptr;
    VoICamera* camera = VoMaster::This()->NewItem<VoICamera>(parent);
    camera->SetName("lens");
    return camera;
  }
  std::vector<std::string> paths;
};

TEST_F(CharacterTest, ImportLinesStandForTheImportedItems) {
  CameraImport importer;
  ASSERT_EQ(master.RegistClassDesc(&importer), 1);
  LogCapture log;
  std::unique_ptr<VoLoad> load(votest::NewReader(
      "Character {\nname = \"hero\"\nImport \"model.tst\" ro(1)\nImport \"missing.tst\" ro(1)\n"
      "Camera {\nname = \"own\"\n}\n}\n"));
  load->basePath = "/scene";
  ASSERT_EQ(load->OpenChunk("Character"), 1);
  VoICharacter* ch = master.NewItem<VoICharacter>(nullptr);
  EXPECT_EQ(ch->Load(*load), 0);
  {
    ASSERT_EQ(importer.paths.size(), 2u);
    // file, what it brought, its end marker; the failed one has no items.
    std::vector<std::string> names;
    for (VoIItem* c = ch->GetFirstChild(); c; c = ch->GetNextChild(c)) names.push_back(c->GetName());
    EXPECT_EQ(names, (std::vector<std::string>{"model.tst", "lens", "endof model.tst", "missing.tst",
                                                "endof missing.tst", "own"}));
    VoIFile* file = ch->GetFirstChild()->IsFile();
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->path, importer.paths[0]);
    EXPECT_EQ(file->IsReadOnly(), 1);
    const std::string failed = "\"" + importer.paths[1] + "\" のインポートに失敗しました。\n";
    EXPECT_EQ(log.Count(failed.c_str()), 1);
    EXPECT_EQ(log.Count("model.tst\" のインポートに失敗"), 0);
  }
  {
    votest::MemoryFile out;
    VoSave save(out.get());
    save.basePath = "/scene";
    VoMaster::ExecSave(ch, save);
    const std::string text = out.Text();
    EXPECT_NE(text.find("\tImport \"model.tst\" ro(1)\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\tImport \"missing.tst\" ro(1)\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("lens"), std::string::npos) << text;   // came from the file
    EXPECT_EQ(text.find("endof"), std::string::npos) << text;  // markers are not written
    EXPECT_NE(text.find("\"own\""), std::string::npos) << text;
  }
  master.ReleaseItem(ch);
}

TEST_F(CharacterTest, SavedText) {
  VoICharacter* ch = master.NewItem<VoICharacter>(nullptr);
  ch->SetName("hero");
  VoIMotion* m = master.NewItem<VoIMotion>(ch);
  m->SetName("idle");
  votest::MemoryFile out;
  VoSave save(out.get());
  VoMaster::ExecSave(ch, save);
  EXPECT_EQ(out.Text(),
            "Character {\n\tname = \"hero\"\n\tMotion {\n\t\tname = \"idle\"\n\t\tendframe = 0\n"
            "\t\tloop = 0\n\t}\n}\n");
  std::unique_ptr<VoLoad> load(votest::NewReader(out.Text()));
  ASSERT_EQ(load->OpenChunk("Character"), 1);
  VoICharacter* back = master.NewItem<VoICharacter>(nullptr);
  EXPECT_EQ(back->Load(*load), 0);
  ASSERT_NE(back->GetFirstChild(), nullptr);
  EXPECT_STREQ(back->GetFirstChild()->GetName(), "idle");
  master.ReleaseItem(back);
  master.ReleaseItem(ch);
}

}  // namespace
