// The registry entries of the engine's item classes and their published
// members. Every entry lives in this one file, in chain order, and is filled
// right after it is constructed, so no other file's static initialisation can
// see an entry half made. It sits beside the master, the one folder that
// knows every item class.
#include <cstddef>

#include "vocore/motion/VoIMotionSet.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/scene/VoIFile.h"
#include "vocore/scene/VoILight.h"
#include "vocore/scene/VoINote.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoISiblingBone.h"
#include "vocore/skeleton/VoIWLocate.h"

// Item classes are not standard-layout, but they use single, non-virtual
// inheritance, for which GCC's offsetof is exact.
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
#define VO_OFFSET(Class, member) static_cast<uint32_t>(offsetof(Class, member))

namespace {
using P = Parameter;

void Add(VoItemClassDesc& desc, unsigned short type, uintptr_t value, const char* name,
         uint32_t offset, unsigned short flags, const char* label) {
  Parameter p(type, value, name, offset, flags, label);
  desc.AddParameter(p);
}

// Builds an entry and runs its class's registration on it.
struct Entry : VoItemClassDesc {
  Entry(const char* name, unsigned long id, void (*regist)(VoItemClassDesc&))
      : VoItemClassDesc(name, id) {
    regist(*this);
  }
};
}  // namespace

const char* VoILight::TypeName[6] = {"Ambient", "Directional", "Point", nullptr, "Spot", ""};

void VoIItem::RegistClassDesc(VoItemClassDesc& d) {
  Add(d, P::TYPE_STRING, 0, "name", VO_OFFSET(VoIItem, name), P::FLAG_PRIVATE, "アイテム名");
  Add(d, P::TYPE_INT, 0, "disable", VO_OFFSET(VoIItem, hide), P::FLAG_PRIVATE, "無効化");
}

void VoIObject::RegistClassDesc(VoItemClassDesc& d) {
  Add(d, P::TYPE_REFER, 17, "coordinate", VO_OFFSET(VoIObject, coordinate), 0, "所属している座標系");
  VoIItem::RegistClassDesc(d);
}

void VoICharacter::RegistClassDesc(VoItemClassDesc& d) {
  Add(d, P::TYPE_INT, 0, "hide", VO_OFFSET(VoICharacter, hide), 0, "非表示");
  Add(d, P::TYPE_FLOAT, 112, "time", VO_OFFSET(VoICharacter, time), P::FLAG_DEFAULT, "ローカルタイム");
  Add(d, P::TYPE_REFER, 97, "motion", VO_OFFSET(VoICharacter, motion), 0, "適用中のモーション");
  Add(d, P::TYPE_STRING, 0, "fileName", VO_OFFSET(VoICharacter, fileName), 0, "ファイル名");
  Add(d, P::TYPE_INT, 0, "readOnly", VO_OFFSET(VoICharacter, readOnly), 0, "読み込み専用");
  VoIObject::RegistClassDesc(d);
}

void VoILight::RegistClassDesc(VoItemClassDesc& d) {
  Add(d, P::TYPE_INT, 0, "hide", VO_OFFSET(VoILight, hide), 0, "無効化");
  Add(d, P::TYPE_ENUM, reinterpret_cast<uintptr_t>(&VoILight::TypeName[0]), "type",
      VO_OFFSET(VoILight, type), 0, "種類");
  Add(d, P::TYPE_VECTOR, 0, "color", VO_OFFSET(VoILight, r), 0, "発光色");
  Add(d, P::TYPE_FLOAT, 0, "range", VO_OFFSET(VoILight, range), 0, "有効距離");
  VoIObject::RegistClassDesc(d);
}

void VoILocate::RegistClassDesc(VoItemClassDesc& d) {
  Add(d, P::TYPE_VECTOR, 0, "pos", VO_OFFSET(VoILocate, pos), P::FLAG_DEFAULT, "位置");
  Add(d, P::TYPE_INT, 0, "IKchain", VO_OFFSET(VoILocate, IKchain), 0, "IK チェイン");
  VoIItem::RegistClassDesc(d);
}

void VoICoordinate::RegistClassDesc(VoItemClassDesc& d) {
  Add(d, P::TYPE_QUATERNION, 0, "rot", VO_OFFSET(VoICoordinate, rot), P::FLAG_DEFAULT, "回転");
  VoILocate::RegistClassDesc(d);
}

void VoIBone::RegistClassDesc(VoItemClassDesc& d) {
  Add(d, P::TYPE_REFER, 17, "start", VO_OFFSET(VoIBone, start), 0, "始点ロケート");
  Add(d, P::TYPE_REFER, 17, "end", VO_OFFSET(VoIBone, end), 0, "終点ロケート");
  VoICoordinate::RegistClassDesc(d);
}

// A world locate is a plain locate with a fix flag: it has no rotation, so it
// chains to Locate, never publishing a "rot" it does not hold.
void VoIWLocate::RegistClassDesc(VoItemClassDesc& d) {
  Add(d, P::TYPE_INT, 0, "fix", VO_OFFSET(VoIWLocate, fix), 0, "固定");
  VoILocate::RegistClassDesc(d);
}

void VoISiblingBone::RegistClassDesc(VoItemClassDesc& d) { VoICoordinate::RegistClassDesc(d); }

void VoIFile::RegistClassDesc(VoItemClassDesc& d) {
  Add(d, P::TYPE_STRING, 0, "fileName", VO_OFFSET(VoIFile, path), 0, "ファイル名");
  Add(d, P::TYPE_INT, 0, "readOnly", VO_OFFSET(VoIFile, readOnly), 0, "読み込み専用");
  VoIItem::RegistClassDesc(d);
}

void VoIMotionSet::RegistClassDesc(VoItemClassDesc& d) {
  Add(d, P::TYPE_STRING, 0, "fileName", VO_OFFSET(VoIMotionSet, fileName), 0, "ファイル名");
  Add(d, P::TYPE_INT, 0, "readOnly", VO_OFFSET(VoIMotionSet, readOnly), 0, "読み込み専用");
  VoIItem::RegistClassDesc(d);
}

void VoINote::RegistClassDesc(VoItemClassDesc& d) { VoIItem::RegistClassDesc(d); }

VoItemClassDesc VoIItem::classDesc = Entry("Item", 1, &VoIItem::RegistClassDesc);
VoItemClassDesc VoIObject::classDesc = Entry("Object", 33, &VoIObject::RegistClassDesc);
VoItemClassDesc VoICharacter::classDesc = Entry("Character", 3, &VoICharacter::RegistClassDesc);
VoItemClassDesc VoILight::classDesc = Entry("Light", 38, &VoILight::RegistClassDesc);
VoItemClassDesc VoILocate::classDesc = Entry("Locate", 17, &VoILocate::RegistClassDesc);
VoItemClassDesc VoICoordinate::classDesc = Entry("Coordinate", 18, &VoICoordinate::RegistClassDesc);
VoItemClassDesc VoIBone::classDesc = Entry("Bone", 19, &VoIBone::RegistClassDesc);
VoItemClassDesc VoIWLocate::classDesc = Entry("WLocate", 20, &VoIWLocate::RegistClassDesc);
VoItemClassDesc VoISiblingBone::classDesc = Entry("SiblingBone", 21, &VoISiblingBone::RegistClassDesc);
VoItemClassDesc VoIFile::classDesc = Entry("File", 4, &VoIFile::RegistClassDesc);
VoItemClassDesc VoIMotionSet::classDesc = Entry("MotionSet", 8, &VoIMotionSet::RegistClassDesc);
VoItemClassDesc VoINote::classDesc = Entry("Note", 68, &VoINote::RegistClassDesc);
