// Registry entries and typed member access.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vocore/scene/VoICharacter.h"
#include "vocore/scene/VoILight.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoISiblingBone.h"
#include "vocore/skeleton/VoIWLocate.h"

namespace {

std::vector<std::string> Members(VoItemClassDesc& desc) {
  std::vector<std::string> names;
  for (int i = 0;; ++i) {
    Parameter* p = desc.parameters.GetParameter(i);
    if (!p) break;
    names.push_back(p->name);
  }
  return names;
}

TEST(VoClassRegistry, MembersInRegistrationOrder) {
  EXPECT_EQ(Members(VoICharacter::classDesc),
            (std::vector<std::string>{"hide", "time", "motion", "fileName", "readOnly", "coordinate",
                                      "name", "disable"}));
  EXPECT_EQ(Members(VoIBone::classDesc),
            (std::vector<std::string>{"start", "end", "rot", "pos", "IKchain", "name", "disable"}));
  EXPECT_EQ(Members(VoIWLocate::classDesc),
            (std::vector<std::string>{"fix", "pos", "IKchain", "name", "disable"}));
  EXPECT_EQ(VoICharacter::classDesc.classId, 3u);
  EXPECT_EQ(VoICharacter::classDesc.className, "Character");
  EXPECT_EQ(VoILocate::classDesc.parameters.GetParameter("coordinate", Parameter::TYPE_REFER), nullptr);
  EXPECT_EQ(VoISiblingBone::classDesc.parameters.GetParameter("start", Parameter::TYPE_REFER), nullptr);
  EXPECT_EQ(VoILocate::classDesc.parameters.GetParameter("pos", Parameter::TYPE_QUATERNION), nullptr);
  Parameter* pos = VoILocate::classDesc.parameters.GetParameter("pos", Parameter::TYPE_VECTOR);
  ASSERT_NE(pos, nullptr);
  EXPECT_EQ(pos->IsDefault(), 4);
  EXPECT_EQ(pos->IsPrivate(), 0);
  Parameter* name = VoIItem::classDesc.parameters.GetParameter("name", Parameter::TYPE_STRING);
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->IsPrivate(), 1);
  Parameter* time = VoICharacter::classDesc.parameters.GetParameter("time", Parameter::TYPE_FLOAT);
  ASSERT_NE(time, nullptr);
  EXPECT_EQ(time->value, 112u);
  Parameter* type = VoILight::classDesc.parameters.GetParameter("type", Parameter::TYPE_ENUM);
  ASSERT_NE(type, nullptr);
  const char* const* table = reinterpret_cast<const char* const*>(type->value);
  EXPECT_STREQ(table[2], "Point");
  EXPECT_EQ(table[3], nullptr);
}

TEST(VoClassRegistry, DuplicateNamesKeepTheFirstEntry) {
  ParameterMap map;
  Parameter a(Parameter::TYPE_INT, 0, "x", 8, 0, "a");
  Parameter b(Parameter::TYPE_FLOAT, 0, "x", 16, 0, "b");
  map.AddParameter(a);
  map.AddParameter(b);
  EXPECT_EQ(map.Size(), 1);
  EXPECT_EQ(b.index, 1);  // numbered before it was refused
  ASSERT_NE(map.GetParameter("x", Parameter::TYPE_INT), nullptr);
  EXPECT_EQ(map.GetParameter("x", Parameter::TYPE_INT)->offset, 8u);
  EXPECT_EQ(map.GetParameter(1), nullptr);
}

TEST(VoClassRegistry, TypedMemberAccessGoesThroughTheOffsets) {
  VoIBone* bone = new VoIBone(nullptr);
  VoICharacter* character = new VoICharacter(nullptr);
  VoILight* light = new VoILight(nullptr);
  {
    EXPECT_EQ(bone->SetParam("pos", Frx::Pvector(1, 2, 3)), 1);
    EXPECT_FLOAT_EQ(bone->pos.y, 2.0f);
    Frx::Pvector v(0, 0, 0);
    EXPECT_EQ(bone->GetParam("pos", v), 1);
    EXPECT_FLOAT_EQ(v.z, 3.0f);
    EXPECT_EQ(bone->SetParam("rot", Frx::Pquaternion(0, 0, 1, 0)), 1);
    EXPECT_FLOAT_EQ(bone->rot.z, 1.0f);
    EXPECT_FLOAT_EQ(bone->rot.w, 0.0f);
  }
  {
    // Unknown members and wrong types write nothing.
    const float before = character->time;
    EXPECT_EQ(character->SetParam("pos", Frx::Pvector(9, 9, 9)), 0);
    Frx::Pquaternion q(5, 5, 5, 5);
    EXPECT_EQ(bone->GetParam("pos", q), 0);
    EXPECT_FLOAT_EQ(q.x, 5.0f);
    EXPECT_FLOAT_EQ(character->time, before);
    Frx::Pcvector c;
    EXPECT_EQ(bone->SetParam("pos", c), 0);
  }
  {
    EXPECT_EQ(character->SetParam("fileName", "a\\b.mqo"), 1);
    EXPECT_EQ(character->fileName.path, "a\\b.mqo");
    EXPECT_EQ(character->SetParam("name", "hero"), 1);
    EXPECT_STREQ(character->GetName(), "hero");
    Frx::Pstring text;
    EXPECT_EQ(character->GetParam("fileName", text), 1);
    EXPECT_STREQ(text.Get(), "a\\b.mqo");
    EXPECT_EQ(character->SetParam("fileName", nullptr), 1);
    EXPECT_TRUE(character->fileName.path.empty());
    EXPECT_EQ(light->SetParam("color", Frx::Pvector(0.1f, 0.2f, 0.3f)), 1);
    EXPECT_FLOAT_EQ(light->g, 0.2f);
    EXPECT_FLOAT_EQ(light->a, 1.0f);  // alpha lies outside the published vector
  }
  light->Release();
  character->Release();
  bone->Release();
}

}  // namespace
