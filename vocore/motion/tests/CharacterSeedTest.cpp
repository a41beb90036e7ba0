// The character texts in testdata/character are what the writers produce for
// small scenes of every block kind; the character text fuzzer starts from them.
// Each must still be what the writers write and must read back to itself.
// SAVORA_WRITE_SEEDS=1 writes them anew after a deliberate change of a writer.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "ferrox/math/Pquaternion.h"
#include "ferrox/math/Pvector.h"
#include "ferrox/testing/ReadWhole.h"
#include "vocore/motion/VoIControlBool.h"
#include "vocore/motion/VoIControlFloat.h"
#include "vocore/motion/VoIControlInt.h"
#include "vocore/motion/VoIControlQuaternion.h"
#include "vocore/motion/VoIControlRefer.h"
#include "vocore/motion/VoIControlString.h"
#include "vocore/motion/VoIControlTime.h"
#include "vocore/motion/VoIControlVector.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/persist/VoLoad.h"
#include "vocore/scene/VoICamera.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/scene/VoILight.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoISiblingBone.h"
#include "vocore/skeleton/VoISkelton.h"
#include "vocore/skeleton/VoIWLocate.h"
#include "vocore/testing/MasterFixture.h"
#include "vocore/testing/TextStreams.h"

using Frx::Pquaternion;
using Frx::Pvector;

namespace {

class CharacterSeeds : public votest::MasterFixture {
 protected:
  void Skeleton(VoICharacter* ch, const char* root, const char* hip) {
    VoISkelton* sk = Make<VoISkelton>(ch, "skelton");
    VoILocate* r = Make<VoILocate>(sk, root);
    r->spos = Pvector(0, 1, 0);
    r->pos = Pvector(0, 1.5f, 0);
    VoICoordinate* h = Make<VoICoordinate>(sk, hip);
    h->SetCoordinate(r);
    h->rot = Pquaternion(0, 0.6f, 0, 0.8f);
    VoIBone* thigh = Make<VoIBone>(sk, "thigh");
    thigh->SetCoordinate(h);
    thigh->SetStartLocate(r);
    thigh->SetEndLocate(h);
    VoIWLocate* w = Make<VoIWLocate>(sk, "target");
    w->SetFix(1);
    VoISiblingBone* sib = Make<VoISiblingBone>(sk, "sib");
    sib->SetStartLocate(w);
    sib->SetEndLocate(r);
  }

  void Motion(VoICharacter* ch, const char* name, const char* face) {
    VoIMotion* m = Make<VoIMotion>(ch, name);
    m->endframe = 40;
    m->loop = 1;
    auto* v = Make<VoIControlVector>(m, "root");
    v->SetOutClassAndMember("Locate", "pos");
    v->SetCurveType(VO_CURVE_SPLINE);
    v->SetKey(0, Pvector(1, 2, 3));
    v->SetKey(10, Pvector(-1, 0.5f, 0));
    auto* q = Make<VoIControlQuaternion>(m, "hip");
    q->SetOutClassAndMember("Coordinate", "rot");
    q->SetCurveType(VO_CURVE_BLEND);
    q->SetKey(5, Pquaternion(0, 0, 0, 1));
    Make<VoIControlString>(m, "face")->SetKey(3, face);
    auto* r = Make<VoIControlRefer>(m, "lens");
    r->SetOutClassAndMember("Object", "coordinate");
    r->SetKey(0, "hip");
    auto* t = Make<VoIControlTime>(m, "sub");
    t->SetOutClassAndMember("Character", "time");
    t->SetKey(0, 1.5f);
    Make<VoIControlInt>(m, "count")->SetKey(2, 7);
    Make<VoIControlFloat>(m, "weight")->SetKey(4, 0.25f);
    Make<VoIControlBool>(m, "flag")->SetKey(6, 1);
    Make<VoIMotion>(m, "sub")->endframe = 10;
  }

  void Scene(VoICharacter* ch) {
    VoICamera* lens = Make<VoICamera>(ch, "lens");
    lens->SetFov(35.0f);
    VoILight* sun = Make<VoILight>(ch, "sun");
    sun->SetType(1);
    sun->r = 0.5f;
    sun->range = 250.0f;
    VoICharacter* sub = Make<VoICharacter>(ch, "sub");
    Make<VoICamera>(sub, "inner");
  }

  VoICharacter* Build(const std::string& seed) {
    VoICharacter* ch = Make<VoICharacter>(nullptr, "hero");
    if (seed == "skeleton.txt") Skeleton(ch, "root", "hip");
    if (seed == "motion.txt") Motion(ch, "walk", "big smile");
    if (seed == "scene.txt") Scene(ch);
    if (seed == "japanese.txt") {
      // 表 ends in the byte "\" and leads with 0x95, as a hostile line did.
      ch->SetName("主人公");
      Skeleton(ch, "腰", "表");
      Motion(ch, "歩き", "表情 笑顔");
    }
    return ch;
  }
};

TEST_F(CharacterSeeds, AreWhatTheWritersWriteAndReadBackToThemselves) {
  const bool write = std::getenv("SAVORA_WRITE_SEEDS") != nullptr;
  for (const char* seed : {"skeleton.txt", "motion.txt", "scene.txt", "japanese.txt"}) {
    SCOPED_TRACE(seed);
    const std::string path = std::string(SAVORA_TESTDATA_DIR) + "/character/" + seed;
    const std::string text = votest::SaveText(Build(seed));
    if (write) std::ofstream(path, std::ios::binary) << text;
    EXPECT_EQ(FrxTest::ReadWhole(path), text) << "rewrite with SAVORA_WRITE_SEEDS=1 if the writer changed";

    std::unique_ptr<VoLoad> load(votest::NewReader(text));
    ASSERT_EQ(load->OpenChunk("Character"), 1);
    VoICharacter* back = Make<VoICharacter>(nullptr, "unnamed");
    EXPECT_EQ(back->Load(*load), 0);
    EXPECT_EQ(load->CloseChunk(), 1);
    EXPECT_EQ(votest::SaveText(back), text);
  }
}

}  // namespace
