// Scene items: text blocks of cameras and lights, light placement, file groups.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "vocore/scene/VoICamera.h"
#include "vocore/scene/VoIFile.h"
#include "vocore/scene/VoILight.h"
#include "vocore/scene/VoIModifier.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/testing/MasterFixture.h"
#include "vocore/testing/TextStreams.h"
#include "vocore/vocore/VoMaster.h"

namespace {

using votest::SaveText;

class SceneItemTest : public votest::MasterFixture {
 protected:
  void TearDown() override {
    if (root) master.ReleaseItem(root);
    MasterFixture::TearDown();
  }
  VoIBranch* root = nullptr;
};

TEST_F(SceneItemTest, LightAndCameraText) {
  root = master.NewItem<VoIBranch>(nullptr);
  VoILight* light = master.NewItem<VoILight>(root);
  light->SetName("sun");
  light->type = 1;
  light->r = 0.5f;
  light->range = 250.0f;
  EXPECT_EQ(SaveText(light),
            "Light {\n"
            "\tname = \"sun\"\n"
            "\ttype = 1\n"
            "\tcolor = ( 0.500000, 1.000000, 1.000000, 1.000000)\n"
            "\trange = 250.000000\n"
            "}\n");
  VoICamera* camera = master.NewItem<VoICamera>(root);
  camera->SetName("eye");
  EXPECT_NE(SaveText(camera).find("\tfov = 20.000000\n"), std::string::npos);
  EXPECT_EQ(light->GetNumIcon(), 20u);
}

TEST_F(SceneItemTest, LightPlacementAndDeviceKinds) {
  root = master.NewItem<VoIBranch>(nullptr);
  VoICoordinate* c = master.NewItem<VoICoordinate>(root);
  Frx::Pquaternion q;
  q.SetEulerXYZ(Frx::Pvector(90, 0, 0));
  c->SetRotate(q);
  c->SetPos(Frx::Pvector(1, 2, 3));
  c->ConvL2W(Frx::Pmatrix::id, 1);
  VoILight* light = master.NewItem<VoILight>(root);
  light->SetCoordinate(c);
  const Frx::Pvector p = light->GetPosition(), d = light->GetDirection();
  EXPECT_NEAR(p.x, 1, 1e-5);
  EXPECT_NEAR(p.z, 3, 1e-5);
  // z turned 90 degrees about x points down y.
  EXPECT_NEAR(d.y, -1, 1e-4);
  EXPECT_NEAR(d.z, 0, 1e-4);
  const VoILight::DeviceKind kinds[] = {VoILight::DEVICE_NONE, VoILight::DEVICE_DIRECTIONAL,
                                        VoILight::DEVICE_POINT, VoILight::DEVICE_SPOT,
                                        VoILight::DEVICE_SPOT, VoILight::DEVICE_NONE};
  for (int t = 0; t < 6; ++t) {
    light->type = t;
    EXPECT_EQ(light->GetDeviceKind(), kinds[t]) << t;
  }
  light->type = -3;
  EXPECT_EQ(light->GetDeviceKind(), VoILight::DEVICE_NONE);
}

TEST_F(SceneItemTest, FileGroupsAndNames) {
  root = master.NewItem<VoIBranch>(nullptr);
  VoIFile* first = master.NewItem<VoIFile>(root);
  VoICamera* cam = master.NewItem<VoICamera>(root);
  VoIFile* second = master.NewItem<VoIFile>(root);
  VoIFile* third = master.NewItem<VoIFile>(root);
  VoILight* light = master.NewItem<VoILight>(root);
  (void)cam;
  VoIBranch::ItemList list;
  first->GetFileGroupList(list, VoICamera::CLASS_ID);
  ASSERT_EQ(list.size(), 1u);
  list.clear();
  second->GetFileGroupList(list, 1);
  EXPECT_TRUE(list.empty());  // the next item is a file
  third->GetFileGroupList(list, VoIObject::CLASS_ID);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list.front().Get(), light);
  first->SetFileName("models/hero.mqo");
  EXPECT_STREQ(first->GetName(), "hero.mqo");
  EXPECT_STREQ(first->GetPathName().Get(), "models/hero.mqo");
  VoIModifier* mod = master.NewItem<VoIModifier>(root);
  EXPECT_STREQ(mod->GetNameEx().Get(), "Modifier");
}

}  // namespace
