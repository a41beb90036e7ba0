// Typed access to the members a class publishes in its registry entry.
#include <string>

#include "vocore/item/VoIItem.h"

Parameter* VoIItem::GetParameter(const char* key, unsigned long type) {
  return GetClassDesc().parameters.GetParameter(key, static_cast<unsigned short>(type));
}

Parameter* VoIItem::GetParameter(unsigned long index) {
  return GetClassDesc().parameters.GetParameter(static_cast<int>(index));
}

void* VoIItem::MemberAt(const char* key, unsigned long type) {
  Parameter* p = GetParameter(key, type);
  // Offsets are taken from the most derived class; VoIItem sits at its start.
  return p ? reinterpret_cast<char*>(this) + p->offset : nullptr;
}

namespace {
template <class T>
int Store(void* member, const T& value) {
  if (!member) return 0;
  *static_cast<T*>(member) = value;
  return 1;
}
template <class T>
int Fetch(void* member, T& value) {
  if (!member) return 0;
  value = *static_cast<T*>(member);
  return 1;
}
}  // namespace

int VoIItem::SetParam(const char* key, const Frx::Pvector& v) {
  return Store(MemberAt(key, Parameter::TYPE_VECTOR), v);
}
int VoIItem::GetParam(const char* key, Frx::Pvector& v) {
  return Fetch(MemberAt(key, Parameter::TYPE_VECTOR), v);
}
int VoIItem::SetParam(const char* key, const Frx::Pcvector& v) {
  return Store(MemberAt(key, Parameter::TYPE_CVECTOR), v);
}
int VoIItem::GetParam(const char* key, Frx::Pcvector& v) {
  return Fetch(MemberAt(key, Parameter::TYPE_CVECTOR), v);
}
int VoIItem::SetParam(const char* key, const Frx::Pquaternion& q) {
  return Store(MemberAt(key, Parameter::TYPE_QUATERNION), q);
}
int VoIItem::GetParam(const char* key, Frx::Pquaternion& q) {
  return Fetch(MemberAt(key, Parameter::TYPE_QUATERNION), q);
}

int VoIItem::SetParam(const char* key, const char* text) {
  void* member = MemberAt(key, Parameter::TYPE_STRING);
  if (!member) return 0;
  *static_cast<std::string*>(member) = text ? text : "";
  return 1;
}

int VoIItem::GetParam(const char* key, Frx::Pstring& text) {
  void* member = MemberAt(key, Parameter::TYPE_STRING);
  if (!member) return 0;
  text = static_cast<std::string*>(member)->c_str();
  return 1;
}
