#include "plugins/Quovin/KvmWriter.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/file/TextFile.h"
#include "plugins/frame/PluginFrame.h"
#include "vocore/motion/VoIControlQuaternion.h"
#include "vocore/motion/VoIControlRefer.h"
#include "vocore/motion/VoIControlString.h"
#include "vocore/motion/VoIControlTime.h"
#include "vocore/motion/VoIControlVector.h"
#include "vocore/motion/VoIMotion.h"

namespace Kvm {

namespace {

using ItemList = std::list<VoRefer<VoIItem>>;

void Indent(std::string& out, int depth) { out.append(static_cast<size_t>(depth), '\t'); }

void Append(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
void Append(std::string& out, const char* format, ...) {
  char buffer[128];
  va_list args;
  va_start(args, format);
  const int n = std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  if (n > 0) out.append(buffer, static_cast<size_t>(n) < sizeof buffer ? static_cast<size_t>(n) : sizeof buffer - 1);
}

// "%f", except where the reader would not read it back.
void AppendFloat(std::string& out, float value) {
  if (std::isnan(value)) value = 0.0f;
  if (std::isinf(value)) {
    out += value < 0 ? "-1000000000000000000000000000000000000000.000000"
                     : "1000000000000000000000000000000000000000.000000";
    return;
  }
  Append(out, "%f", static_cast<double>(value));
}

// A quoted value reads back up to a double quote, a TAB or a line feed.
void AppendText(std::string& out, const char* text) {
  out += '"';
  for (const char* c = text ? text : ""; *c; ++c) {
    if (*c == '"')
      out += '\'';
    else if (*c == '\t' || *c == '\n')
      out += ' ';
    else
      out += *c;
  }
  out += '"';
}

void AppendNamedLine(std::string& out, int depth, const char* key, const char* text) {
  Indent(out, depth);
  out += key;
  out += " = ";
  AppendText(out, text);
  out += '\n';
}

void AppendNumberKey(std::string& out, int depth, long frame, const float* v, int n) {
  Indent(out, depth);
  Append(out, "%d (", static_cast<int>(frame));
  for (int i = 0; i < n; ++i) {
    if (i) out += ' ';
    AppendFloat(out, v[i]);
  }
  out += ")\n";
}

void AppendControlHead(std::string& out, VoIControl* control, int depth, const char* block) {
  Indent(out, depth);
  out += block;
  out += " {\n";
  AppendNamedLine(out, depth + 1, "name", control->GetName());
  AppendNamedLine(out, depth + 1, "class", control->GetOutClassName());
  AppendNamedLine(out, depth + 1, "member", control->GetOutMemberName());
}

const char* CurveName(VoCurveType curve) {
  static const char* const names[] = {"linear", "spline", "spline2"};
  // A kind outside the table is read as linear, so it is written so.
  return curve >= 0 && curve <= 2 ? names[curve] : names[0];
}

template <class Control>
void AppendCurve(std::string& out, Control* control, int depth) {
  AppendNamedLine(out, depth + 1, "curve", CurveName(control->GetCurveType()));
}

void AppendTextKeys(std::string& out, VoIKeyControl<std::string>* control, int depth) {
  for (const auto& k : control->keys) {
    Indent(out, depth + 1);
    Append(out, "%d ", static_cast<int>(k.frame));
    AppendText(out, k.value.c_str());
    out += '\n';
  }
}

void AppendControl(std::string& out, VoIItem* item, int depth) {
  if (VoIControlVector* v = item->IsControlVector()) {
    AppendControlHead(out, v, depth, "Vector");
    AppendCurve(out, v, depth);
    for (const auto& k : v->keys) {
      const float f[3] = {k.value.x, k.value.y, k.value.z};
      AppendNumberKey(out, depth + 1, k.frame, f, 3);
    }
  } else if (VoIControlQuaternion* q = item->IsControlQuaternion()) {
    AppendControlHead(out, q, depth, "Quaternion");
    AppendCurve(out, q, depth);
    for (const auto& k : q->keys) {
      const float f[4] = {k.value.x, k.value.y, k.value.z, k.value.w};
      AppendNumberKey(out, depth + 1, k.frame, f, 4);
    }
  } else if (VoIControlString* s = item->IsControlString()) {
    AppendControlHead(out, s, depth, "String");
    AppendTextKeys(out, s, depth);
  } else if (VoIControlRefer* r = item->IsControlRefer()) {
    AppendControlHead(out, r, depth, "Refer");
    AppendTextKeys(out, r, depth);
  } else if (VoIControlTime* t = item->IsControlTime()) {
    AppendControlHead(out, t, depth, "Time");
    for (const auto& k : t->keys) AppendNumberKey(out, depth + 1, k.frame, &k.value, 1);
  } else {
    return;  // Int, Float and Bool have no block
  }
  Indent(out, depth);
  out += "}\n";
}

VoIMotion* LiveMotion(VoRefer<VoIItem>& ref) {
  VoIItem* item = ref;
  return item ? item->IsMotion() : nullptr;
}

}  // namespace

bool HasMotion(ItemList& items) {
  for (VoRefer<VoIItem>& ref : items)
    if (LiveMotion(ref)) return true;
  return false;
}

void AppendMotionBlock(std::string& out, VoIMotion* motion, int depth) {
  Indent(out, depth);
  out += "Motion {\n";
  AppendNamedLine(out, depth + 1, "name", motion->GetName());
  Indent(out, depth + 1);
  Append(out, "endframe = %d\n", static_cast<int>(motion->endframe));
  Indent(out, depth + 1);
  Append(out, "loop = %d\n", motion->loop);
  for (VoIItem* c = motion->GetFirstChild(); c; c = motion->GetNextChild(c)) {
    if (VoIMotion* nested = c->IsMotion())
      AppendMotionBlock(out, nested, depth + 1);
    else if (c->IsKeyControl())
      AppendControl(out, c, depth + 1);
  }
  Indent(out, depth);
  out += "}\n";
}

std::string ComposeKvmText(ItemList& items) {
  std::string out = "Savora Motion Ver 2\n";
  for (VoRefer<VoIItem>& ref : items)
    if (VoIMotion* motion = LiveMotion(ref)) AppendMotionBlock(out, motion, 0);
  out += "Eof\n";
  return out;
}

int WriteMotionFile(const char* path, ItemList& items) {
  if (Frx::theFerrox.debug) Frx::theFerrox.Log("KVM エクスポート : begin %s\n", path ? path : "");
  if (!HasMotion(items)) {
    ShowMessage(0, "エクスポートできるアイテムがありません。\n");
    return 0;
  }
  Frx::File::TextWriter file;
  if (!path || !file.Open(path)) return 0;
  for (VoRefer<VoIItem>& ref : items)
    if (VoIItem* item = ref) Frx::theFerrox.Log("name %s\n", item->GetName());
  const std::string text = ComposeKvmText(items);
  file.Write(text.data(), text.size());
  if (!file.Close()) return 0;
  if (Frx::theFerrox.debug) Frx::theFerrox.Log("KVM エクスポート : end\n");
  return 1;
}

}  // namespace Kvm
