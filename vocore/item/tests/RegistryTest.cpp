// Registry entries and typed member access.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vocore/motion/VoIMotionSet.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/scene/VoIFile.h"
#include "vocore/scene/VoILight.h"
#include "vocore/scene/VoINote.h"
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

// One published member as the registry must hold it.
struct Expected {
  const char* name;
  unsigned short type;
  uintptr_t value;
  unsigned short flags;
  const char* label;
};

size_t SizeOfType(unsigned short type) {
  switch (type) {
    case Parameter::TYPE_ENUM:
    case Parameter::TYPE_INT: return sizeof(int);
    case Parameter::TYPE_FLOAT: return sizeof(float);
    case Parameter::TYPE_VECTOR: return sizeof(Frx::Pvector);
    case Parameter::TYPE_QUATERNION: return sizeof(Frx::Pquaternion);
    case Parameter::TYPE_STRING: return sizeof(std::string);
    case Parameter::TYPE_REFER: return sizeof(VoRefer<VoIItem>);
    default: return 0;
  }
}

// Compares the whole map, in registration order, and keeps every member
// inside an object of the class.
void CheckEntry(VoItemClassDesc& desc, const char* className, unsigned long id, size_t objectSize,
                const std::vector<Expected>& members) {
  SCOPED_TRACE(className);
  EXPECT_EQ(desc.className, className);
  EXPECT_EQ(desc.classId, id);
  EXPECT_EQ(desc.parameters.Size(), static_cast<int>(members.size()));
  for (size_t i = 0; i < members.size(); ++i) {
    Parameter* p = desc.parameters.GetParameter(static_cast<int>(i));
    ASSERT_NE(p, nullptr) << i;
    const Expected& e = members[i];
    EXPECT_STREQ(p->name, e.name) << i;
    EXPECT_EQ(p->index, i);
    EXPECT_EQ(p->type, e.type) << e.name;
    EXPECT_EQ(p->value, e.value) << e.name;
    EXPECT_EQ(p->flags, e.flags) << e.name;
    EXPECT_STREQ(p->label, e.label) << e.name;
    EXPECT_LE(p->offset + SizeOfType(p->type), objectSize) << e.name;
    EXPECT_GE(p->offset, sizeof(Frx::Plink)) << e.name;
  }
  EXPECT_EQ(desc.parameters.GetParameter(static_cast<int>(members.size())), nullptr);
}

TEST(VoClassRegistry, EveryEntryMemberByMember) {
  using P = Parameter;
  const Expected name{"name", P::TYPE_STRING, 0, P::FLAG_PRIVATE, "アイテム名"};
  const Expected disable{"disable", P::TYPE_INT, 0, P::FLAG_PRIVATE, "無効化"};
  const Expected coordinate{"coordinate", P::TYPE_REFER, 17, 0, "所属している座標系"};
  const Expected pos{"pos", P::TYPE_VECTOR, 0, P::FLAG_DEFAULT, "位置"};
  const Expected ikchain{"IKchain", P::TYPE_INT, 0, 0, "IK チェイン"};
  const Expected rot{"rot", P::TYPE_QUATERNION, 0, P::FLAG_DEFAULT, "回転"};
  const Expected fileName{"fileName", P::TYPE_STRING, 0, 0, "ファイル名"};
  const Expected readOnly{"readOnly", P::TYPE_INT, 0, 0, "読み込み専用"};

  CheckEntry(VoIItem::classDesc, "Item", 1, sizeof(VoIItem), {name, disable});
  CheckEntry(VoIObject::classDesc, "Object", 33, sizeof(VoIObject), {coordinate, name, disable});
  CheckEntry(VoICharacter::classDesc, "Character", 3, sizeof(VoICharacter),
             {{"hide", P::TYPE_INT, 0, 0, "非表示"},
              {"time", P::TYPE_FLOAT, 112, P::FLAG_DEFAULT, "ローカルタイム"},
              {"motion", P::TYPE_REFER, 97, 0, "適用中のモーション"},
              fileName, readOnly, coordinate, name, disable});
  CheckEntry(VoILight::classDesc, "Light", 38, sizeof(VoILight),
             {{"hide", P::TYPE_INT, 0, 0, "無効化"},
              {"type", P::TYPE_ENUM, reinterpret_cast<uintptr_t>(&VoILight::TypeName[0]), 0, "種類"},
              {"color", P::TYPE_VECTOR, 0, 0, "発光色"},
              {"range", P::TYPE_FLOAT, 0, 0, "有効距離"},
              coordinate, name, disable});
  CheckEntry(VoILocate::classDesc, "Locate", 17, sizeof(VoILocate), {pos, ikchain, name, disable});
  CheckEntry(VoICoordinate::classDesc, "Coordinate", 18, sizeof(VoICoordinate),
             {rot, pos, ikchain, name, disable});
  CheckEntry(VoIBone::classDesc, "Bone", 19, sizeof(VoIBone),
             {{"start", P::TYPE_REFER, 17, 0, "始点ロケート"},
              {"end", P::TYPE_REFER, 17, 0, "終点ロケート"},
              rot, pos, ikchain, name, disable});
  // A world locate holds no rotation, so it publishes none.
  CheckEntry(VoIWLocate::classDesc, "WLocate", 20, sizeof(VoIWLocate),
             {{"fix", P::TYPE_INT, 0, 0, "固定"}, pos, ikchain, name, disable});
  CheckEntry(VoISiblingBone::classDesc, "SiblingBone", 21, sizeof(VoISiblingBone),
             {rot, pos, ikchain, name, disable});
  CheckEntry(VoIFile::classDesc, "File", 4, sizeof(VoIFile), {fileName, readOnly, name, disable});
  CheckEntry(VoIMotionSet::classDesc, "MotionSet", 8, sizeof(VoIMotionSet),
             {fileName, readOnly, name, disable});
  CheckEntry(VoINote::classDesc, "Note", 68, sizeof(VoINote), {name, disable});
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
