#include "editor/panel/PropertyRows.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "ferrox/math/Pquaternion.h"
#include "vocore/item/Parameter.h"
#include "vocore/item/Pcvector.h"
#include "vocore/item/VoIItem.h"

namespace PropertyRows {

namespace {

constexpr float kLimit = 3.4028235e38f;

template <class T>
T* Member(VoIItem* item, const Parameter& p) {
  return reinterpret_cast<T*>(reinterpret_cast<char*>(item) + p.offset);
}

float Held(float v) { return std::isnan(v) ? 0.0f : std::clamp(v, -kLimit, kLimit); }

PropertyRow Row(Parameter* p, int id, int y) {
  PropertyRow r;
  r.parameter = p;
  r.firstId = id;
  switch (p->type) {
    case Parameter::TYPE_VECTOR:
    case Parameter::TYPE_QUATERNION:
    case Parameter::TYPE_CVECTOR:
      r.label = {205, y + 3, 245, y + 15};
      r.fields = {{5, y + 1, 63, y + 19}, {71, y + 1, 129, y + 19}, {137, y + 1, 195, y + 19}};
      break;
    case Parameter::TYPE_INT: r.fields = {{5, y + 1, 245, y + 19}}; break;
    case Parameter::TYPE_STRING:
      r.label = {5, y + 1, 245, y + 15};
      r.fields = {{5, y + 16, 245, y + 34}};
      break;
    case Parameter::TYPE_ENUM:
      r.label = {113, y + 3, 245, y + 15};
      r.fields = {{5, y + 1, 105, y + 79}};
      break;
    default:  // float, item reference
      r.label = {113, y + 3, 245, y + 15};
      r.fields = {{5, y + 1, 105, y + 19}};
      break;
  }
  return r;
}

int IdsUsed(unsigned short type) {
  switch (type) {
    case Parameter::TYPE_VECTOR:
    case Parameter::TYPE_QUATERNION:
    case Parameter::TYPE_CVECTOR: return 4;
    case Parameter::TYPE_INT: return 1;
    default: return 2;
  }
}

}  // namespace

std::vector<PropertyRow> Build(VoIItem* item) {
  std::vector<PropertyRow> rows;
  if (!item) return rows;
  int y = 5, id = 1000;
  for (unsigned long i = 0; i < 1024; ++i) {
    Parameter* p = item->GetParameter(i);
    if (!p) break;
    if (p->IsPrivate()) continue;
    switch (p->type) {
      case Parameter::TYPE_ENUM: case Parameter::TYPE_FLOAT: case Parameter::TYPE_VECTOR:
      case Parameter::TYPE_QUATERNION: case Parameter::TYPE_INT: case Parameter::TYPE_STRING:
      case Parameter::TYPE_REFER: case Parameter::TYPE_CVECTOR: break;
      default: continue;
    }
    rows.push_back(Row(p, id, y));
    id += IdsUsed(p->type);
    y += p->type == Parameter::TYPE_STRING ? 35 : 20;
  }
  return rows;
}

float ReadFloat(VoIItem* item, const Parameter& p) { return *Member<float>(item, p); }
void WriteFloat(VoIItem* item, const Parameter& p, float v) { *Member<float>(item, p) = Held(v); }
int ReadInt(VoIItem* item, const Parameter& p) { return *Member<int>(item, p); }
void WriteInt(VoIItem* item, const Parameter& p, int v) { *Member<int>(item, p) = v; }

Frx::Pvector ReadVector(VoIItem* item, const Parameter& p) {
  if (p.type == Parameter::TYPE_QUATERNION) {
    const Frx::Pvector e = Member<Frx::Pquaternion>(item, p)->GetEulerZYX();
    return Frx::Pvector(e.y, e.x, e.z);
  }
  const float* v = Member<float>(item, p);
  return Frx::Pvector(v[0], v[1], v[2]);
}

void WriteVector(VoIItem* item, const Parameter& p, Frx::Pvector v) {
  v = Frx::Pvector(Held(v.x), Held(v.y), Held(v.z));
  if (p.type == Parameter::TYPE_QUATERNION) {
    // Edits show (Y, X, Z); the rotation is rebuilt with the page's signs.
    Member<Frx::Pquaternion>(item, p)->SetEuler(Frx::Pvector(v.y, v.x, v.z),
                                                Frx::Pquaternion(-1.0f, 1.0f, -1.0f, 1.0f));
    return;
  }
  float* m = Member<float>(item, p);
  m[0] = v.x, m[1] = v.y, m[2] = v.z;
}

Frx::Pstring ReadString(VoIItem* item, const Parameter& p) { return Member<std::string>(item, p)->c_str(); }
void WriteString(VoIItem* item, const Parameter& p, const char* text) {
  *Member<std::string>(item, p) = text ? text : "";
}

// Reference members are VoRefer<X> for various X: a table pointer, then the
// target pointer (whose VoIItem part is at its start). The target is read
// through that layout, as the engine reads them, not through a VoRefer of
// the wrong type.
static_assert(sizeof(VoRefer<VoIItem>) == 2 * sizeof(void*));

Frx::Pstring ReadReferName(VoIItem* item, const Parameter& p) {
  VoIItem* target = nullptr;
  std::memcpy(&target, Member<char>(item, p) + sizeof(void*), sizeof target);
  return target && !target->IsRelease() ? Frx::Pstring(target->GetName()) : Frx::Pstring();
}

std::vector<Frx::Pstring> EnumNames(const Parameter& p) {
  std::vector<Frx::Pstring> names;
  const auto* table = reinterpret_cast<const char* const*>(p.value);
  for (int i = 0; table && table[i] && i < 256; ++i) names.emplace_back(table[i]);
  return names;
}

}  // namespace PropertyRows
