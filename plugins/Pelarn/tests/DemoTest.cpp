// The demonstration character (testdata/demo) through the loaded module, and
// its walk fitted to the skeleton the importer builds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <sstream>

#include "ferrox/testing/MessageBoxRecorder.h"
#include "ferrox/testing/ReadWhole.h"
#include "vocore/geometry/VoIPolygon.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/scene/VoIMaterial.h"
#include "vocore/scene/VoITexture.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoISkelton.h"
#include "vocore/vocore/VoMaster.h"

namespace {

const std::string kDemo = std::string(SAVORA_TESTDATA_DIR) + "/demo/";

// Keys of the walk by control name: frame -> x, y, z(, w).
using Keys = std::map<std::string, std::map<int, std::vector<float>>>;

Keys ReadWalk(const std::string& text) {
  Keys keys;
  std::istringstream lines(text);
  std::string line, control;
  while (std::getline(lines, line)) {
    char name[256];
    int frame = 0;
    float v[4] = {0, 0, 0, 0};
    if (std::sscanf(line.c_str(), " name = \"%255[^\"]\"", name) == 1) control = name;
    const int n = std::sscanf(line.c_str(), " %d (%f %f %f %f)", &frame, &v[0], &v[1], &v[2], &v[3]);
    if (n >= 4 && !control.empty()) keys[control][frame] = std::vector<float>(v, v + n - 1);
  }
  return keys;
}

TEST(MqoDemo, ImportsThroughTheModuleAndTheWalkFitsItsSkeleton) {
  FrxTest::MessageBoxRecorder boxes(IDOK);
  VoMaster master;
  ASSERT_EQ(master.Initialize(nullptr), 1);
  ASSERT_EQ(master.LoadPlugin("plugins\\pelarn.dll"), 1);
  auto* c = master.NewItem<VoICharacter>(nullptr);
  c->SetName("demo");
  ASSERT_EQ(master.Import((kDemo + "demo.mqo").c_str(), c, 0), c);
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});

  int textured = 0, plain = 0, textures = 0;
  unsigned long faces = 0;
  std::map<std::string, VoIPolygon*> polygons;
  VoISkelton* skeleton = nullptr;
  for (VoIItem* item = c->GetFirstChild(); item; item = c->GetNextChild(item)) {
    if (VoIPolygon* p = item->IsPolygon()) {
      polygons[p->name] = p;
      faces += p->GetNumFace();
    }
    if (VoIMaterial* m = item->IsMaterial()) ++(m->texture.Get() ? textured : plain);
    if (VoITexture* t = item->IsTexture()) {
      ++textures;
      EXPECT_EQ(t->name, "demo.bmp");
      EXPECT_EQ(t->width, 128);
    }
    if (item->IsSkelton()) skeleton = item->IsSkelton();
  }
  // The body, the mouth and the sleeve's band; their targets and members
  // nest below them by name ("smile|face", "upper|sleeve-upperarm[L]").
  ASSERT_EQ(polygons.size(), 3u);
  EXPECT_EQ(faces, 20960u);
  EXPECT_EQ(textured, 1) << "the skin";
  EXPECT_EQ(plain, 12) << "the bones', the lips and the sleeve";
  EXPECT_EQ(textures, 1);
  ASSERT_EQ(polygons.count("bdef:body"), 1u);
  EXPECT_EQ(polygons["bdef:body"]->GetNumFace(), 20896u);
  VoIPolygon* mouth = polygons["morph:face"];
  ASSERT_NE(mouth, nullptr);
  EXPECT_EQ(mouth->GetCoordinate()->name, "head");
  for (const char* target : {"smile", "open"}) {
    auto* p = dynamic_cast<VoIPolygon*>(mouth->GetItem(target));
    ASSERT_NE(p, nullptr) << target;
    EXPECT_EQ(p->GetNumVertex(), mouth->GetNumVertex()) << target;
  }
  VoIPolygon* band = polygons["skin:sleeve"];
  ASSERT_NE(band, nullptr);
  const std::map<std::string, std::string> members{{"upper", "upperarm[L]"}, {"lower", "forearm[L]"}};
  std::vector<Frx::Pvector> shared;
  for (const auto& [name, bone] : members) {
    auto* p = dynamic_cast<VoIPolygon*>(band->GetItem(name.c_str()));
    ASSERT_NE(p, nullptr) << name;
    EXPECT_EQ(p->GetCoordinate()->name, bone);
    for (int i = 0; i < p->GetVertex()->GetNum(); ++i) shared.push_back(p->GetVertex()->Get(i));
  }
  // Every vertex of the band lies exactly on a vertex of a member.
  for (int i = 0; i < band->GetVertex()->GetNum(); ++i)
    EXPECT_NE(std::find(shared.begin(), shared.end(), band->GetVertex()->Get(i)), shared.end()) << i;
  ASSERT_NE(skeleton, nullptr);

  std::list<VoRefer<VoIItem>> items;
  skeleton->GetGroupList(items, 1);
  std::map<std::string, VoIBone*> bones;
  std::map<std::string, VoILocate*> locates;
  for (VoIItem* item : items) {
    if (VoIBone* b = item->IsBone())
      bones[b->name] = b;
    else if (VoILocate* l = item->IsLocate())
      locates[l->name] = l;
  }
  EXPECT_EQ(locates.size(), 21u);
  const std::map<std::string, std::string> parents{
      {"hips", ""}, {"spine", "hips"}, {"neck", "spine"}, {"head", "neck"},
      {"upperarm[L]", "spine"}, {"forearm[L]", "upperarm[L]"}, {"hand[L]", "forearm[L]"},
      {"upperarm[R]", "spine"}, {"forearm[R]", "upperarm[R]"}, {"hand[R]", "forearm[R]"},
      {"thigh[L]", "hips"}, {"shin[L]", "thigh[L]"}, {"foot[L]", "shin[L]"},
      {"thigh[R]", "hips"}, {"shin[R]", "thigh[R]"}, {"foot[R]", "shin[R]"}};
  ASSERT_EQ(bones.size(), parents.size());
  for (const auto& [name, parent] : parents) {
    ASSERT_EQ(bones.count(name), 1u) << name;
    VoIBone* above = bones[name]->GetParent() ? bones[name]->GetParent()->IsBone() : nullptr;
    EXPECT_EQ(above ? above->name : "", parent) << name;
  }

  // Frame 0 of the walk is the rest pose the importer made.
  const Keys walk = ReadWalk(FrxTest::ReadWhole(kDemo + "walk.kvm"));
  ASSERT_EQ(walk.size(), 17u);
  for (const auto& [name, keys] : walk) {
    ASSERT_EQ(keys.size(), 13u) << name;
    if (name == "j_hips") {
      const Frx::Pvector pos = locates.at(name)->GetPos();
      EXPECT_NEAR(keys.at(0)[1], pos.y, 1e-4f);
      continue;
    }
    ASSERT_EQ(bones.count(name), 1u) << name;
    const Frx::Pquaternion& rot = bones[name]->GetRotate();
    const std::vector<float>& q = keys.at(0);
    const float d = q[0] * rot.x + q[1] * rot.y + q[2] * rot.z + q[3] * rot.w;
    EXPECT_NEAR(std::fabs(d), 1.0f, 1e-5f) << name;
  }

  // A quarter stride on, the left leg is forward (-z) and the left arm back.
  for (const auto& [name, keys] : walk) {
    const std::vector<float>& k = keys.at(24);
    if (name == "j_hips")
      locates[name]->SetPos(Frx::Pvector(k[0], k[1], k[2]));
    else
      bones[name]->SetRotate(Frx::Pquaternion(k[0], k[1], k[2], k[3]));
  }
  c->ExecUpdate();
  EXPECT_LT(locates.at("j_foot[L]")->GetWPos().z, locates.at("j_foot[R]")->GetWPos().z - 20);
  EXPECT_GT(locates.at("j_hand[L]")->GetWPos().z, locates.at("j_hand[R]")->GetWPos().z + 10);
  EXPECT_NEAR(locates.at("j_foot[L]")->GetWPos().y, locates.at("j_foot[R]")->GetWPos().y, 15.0f);

  master.ReleaseItem(c);
  master.Uninitialize();
}

}  // namespace
