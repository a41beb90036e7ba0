#include "vocore/motion/VoKeyText.h"

#include "vocore/persist/VoLoad.h"
#include "vocore/persist/VoSave.h"

namespace VoKeyText {

void Write(VoSave& save, long frame, const Frx::Pvector& v) {
  save.Write("%d (%f %f %f)\n", static_cast<int>(frame), v.x, v.y, v.z);
}

void Write(VoSave& save, long frame, const Frx::Pquaternion& q) {
  save.Write("%d (%f %f %f %f)\n", static_cast<int>(frame), q.x, q.y, q.z, q.w);
}

void Write(VoSave& save, long frame, const std::string& text) {
  save.Write("%d \"%s\"\n", static_cast<int>(frame), text.c_str());
}

void Write(VoSave& save, long frame, int value) {
  save.Write("%d %d\n", static_cast<int>(frame), value);
}

void Write(VoSave& save, long frame, float value) {
  save.Write("%d %f\n", static_cast<int>(frame), value);
}

int Read(VoLoad& load, long& frame, Frx::Pvector& v) {
  int f = 0;
  float x = 0, y = 0, z = 0;
  if (!load.Read(" %d ( %f %f %f )", &f, &x, &y, &z)) return 0;
  frame = f;
  v = Frx::Pvector(x, y, z);
  return 1;
}

int Read(VoLoad& load, long& frame, Frx::Pquaternion& q) {
  int f = 0;
  float x = 0, y = 0, z = 0, w = 0;
  if (!load.Read(" %d ( %f %f %f %f )", &f, &x, &y, &z, &w)) return 0;
  frame = f;
  q = Frx::Pquaternion(x, y, z, w);
  return 1;
}

int Read(VoLoad& load, long& frame, std::string& text) {
  int f = 0;
  char buffer[1024];
  buffer[0] = '\0';
  if (!load.Read(" %d \"%s\"", &f, buffer, static_cast<int>(sizeof buffer))) return 0;
  frame = f;
  text = buffer;
  return 1;
}

int Read(VoLoad& load, long& frame, int& value) {
  int f = 0, v = 0;
  if (!load.Read(" %d %d", &f, &v)) return 0;
  frame = f;
  value = v;
  return 1;
}

int Read(VoLoad& load, long& frame, float& value) {
  int f = 0;
  float v = 0;
  if (!load.Read(" %d %f", &f, &v)) return 0;
  frame = f;
  value = v;
  return 1;
}

}  // namespace VoKeyText
