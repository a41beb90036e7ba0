// Skeleton records from the bone objects of a document.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <unordered_map>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/file/Path.h"
#include "ferrox/string/Pstring.h"
#include "ferrox/text/Pscanf.h"
#include "plugins/Pelarn/MqoForest.h"
#include "plugins/Pelarn/MqoRecordSteps.h"

namespace Mqo {

namespace {

void DebugLog(const char* text) {
  if (Frx::theFerrox.debug) Frx::theFerrox.LogOut(text);
}

float Distance(const Frx::Pvector& a, const Frx::Pvector& b) {
  const float dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

// Positions compared exactly, as the bone ends are: -0 equals 0, NaN nothing.
struct PositionKey {
  uint32_t bits[3];
  bool operator==(const PositionKey& o) const { return std::memcmp(bits, o.bits, sizeof bits) == 0; }
};
struct PositionHash {
  size_t operator()(const PositionKey& k) const {
    return (size_t(k.bits[0]) * 0x9E3779B1u) ^ (size_t(k.bits[1]) * 0x85EBCA77u) ^ (size_t(k.bits[2]) * 0xC2B2AE3Du);
  }
};
bool KeyOf(const Frx::Pvector& v, PositionKey& key) {
  const float c[3] = {v.x, v.y, v.z};
  for (int i = 0; i < 3; ++i) {
    if (std::isnan(c[i])) return false;
    const float f = c[i] == 0.0f ? 0.0f : c[i];
    std::memcpy(&key.bits[i], &f, sizeof f);
  }
  return true;
}
using PositionIndex = std::unordered_map<PositionKey, std::vector<int>, PositionHash>;

void Add(PositionIndex& index, const Frx::Pvector& v, int value) {
  PositionKey key;
  if (KeyOf(v, key)) index[key].push_back(value);
}
const std::vector<int>* At(const PositionIndex& index, const Frx::Pvector& v) {
  PositionKey key;
  if (!KeyOf(v, key)) return nullptr;
  auto it = index.find(key);
  return it == index.end() ? nullptr : &it->second;
}

// The first bone among `candidates` that may become the parent of `child`
// without closing a loop.
int FirstParent(Forest& forest, const std::vector<int>* candidates, int child) {
  if (candidates)
    for (int c : *candidates)
      if (!forest.WouldLoop(child, c)) return c;
  return -1;
}

// Corners of a bone triangle: the start has the smallest sum of its two edge
// lengths, the end the largest, the head is the corner left over.
void OrderCorners(const Frx::Pvector* p, int& start, int& end, int& head) {
  float sum[3];
  for (int k = 0; k < 3; ++k) sum[k] = Distance(p[k], p[(k + 1) % 3]) + Distance(p[k], p[(k + 2) % 3]);
  int low = 0, high = 0;
  for (int k = 1; k < 3; ++k) {
    if (sum[k] < sum[low])
      low = k;
    else if (sum[k] > sum[high])
      high = k;
  }
  start = low, end = high, head = 1;
  for (int k = 0; k < 3; ++k)
    if (k != low && k != high) {
      head = k;
      break;
    }
}

void AddBoneObject(Document& doc, const Object& object, int objectIndex) {
  const bool sibling = Frx::Path::CmpClass(object.name.c_str(), "sbone") != 0;
  const int base = int(doc.locates.size());
  const int count = int(object.vertices.size());
  for (const Frx::Pvector& v : object.vertices) {
    Locate record;
    record.position = v;
    doc.locates.push_back(record);
  }
  std::unordered_map<int, int> usesOfMaterial;
  int made = 0;
  for (const Face& f : object.faces) {
    bool inside = true;
    for (int k = 0; k < f.n; ++k) inside = inside && f.v[k] >= 0 && f.v[k] < count;
    if (!inside) continue;
    if (f.n == 2) {
      Bone line;
      line.start = base + f.v[0];
      line.end = base + f.v[1];
      doc.lines.push_back(line);
      continue;
    }
    if (f.n != 3) continue;
    const Frx::Pvector corners[3] = {object.vertices[f.v[0]], object.vertices[f.v[1]], object.vertices[f.v[2]]};
    int s, e, h;
    OrderCorners(corners, s, e, h);
    Bone bone;
    bone.object = objectIndex;
    bone.start = base + f.v[s], bone.end = base + f.v[e], bone.head = base + f.v[h];
    doc.locates[bone.start].flags |= Locate::START;
    doc.locates[bone.end].flags |= Locate::END;
    doc.locates[bone.head].flags |= Locate::HEAD;
    bone.affect = {bone.start, bone.end, bone.head};
    if (sibling) {
      bone.flags |= Bone::SIBLING;
      for (int i : {bone.start, bone.end, bone.head}) doc.locates[i].flags |= Locate::SIBLING;
      if (bone.head != bone.start) {
        doc.locates[bone.head].parent = bone.start;
        doc.locates[bone.head].parentIsLocate = true;
      }
    }
    Frx::Pstring name;
    if (f.m >= 0 && f.m < int(doc.materials.size())) {
      const int uses = usesOfMaterial[f.m]++;
      name = doc.materials[f.m].name.c_str();
      if (uses > 0) name += Frx::Pstring().Format("%02d", uses);
    } else {
      name.Format("bone%02d", made);
    }
    bone.name = name.Std();
    ++made;
    doc.bones.push_back(std::move(bone));
  }
}

void LinkBones(Document& doc) {
  DebugLog("\tボーンの階層化\n");
  PositionIndex bonesByEnd, linesByEnd;
  for (int i = 0; i < int(doc.bones.size()); ++i) Add(bonesByEnd, doc.locates[doc.bones[i].end].position, i);
  for (int i = 0; i < int(doc.lines.size()); ++i) {
    const Frx::Pvector& a = doc.locates[doc.lines[i].start].position;
    const Frx::Pvector& b = doc.locates[doc.lines[i].end].position;
    Add(linesByEnd, a, i);
    PositionKey ka, kb;
    if (!KeyOf(a, ka) || !KeyOf(b, kb) || !(ka == kb)) Add(linesByEnd, b, i);
  }
  Forest forest(doc.bones.size());
  for (int i = 0; i < int(doc.bones.size()); ++i) {
    Bone& bone = doc.bones[i];
    const Frx::Pvector start = doc.locates[bone.start].position;
    int parent = FirstParent(forest, At(bonesByEnd, start), i);
    if (parent < 0) {
      bone.flags |= Bone::NO_BONE_AT_START;
      if (const std::vector<int>* lines = At(linesByEnd, start)) {
        const Bone& line = doc.lines[lines->front()];
        const Frx::Pvector& a = doc.locates[line.start].position;
        PositionKey ka, ks;
        const bool atStart = KeyOf(a, ka) && KeyOf(start, ks) && ka == ks;
        const Frx::Pvector other = doc.locates[atStart ? line.end : line.start].position;
        parent = FirstParent(forest, At(bonesByEnd, other), i);
        if (parent >= 0) doc.bones[parent].affect.push_back(bone.start);
      }
    }
    if (bone.flags & Bone::SIBLING) continue;
    if (parent >= 0) {
      forest.Hang(i, parent);
      bone.parent = parent;
      doc.locates[bone.start].parent = parent;
      doc.locates[bone.start].parentIsLocate = false;
    }
    doc.locates[bone.end].parent = i;
    doc.locates[bone.end].parentIsLocate = false;
  }
}

// "arm[]" becomes "arm[R]" or "arm[L]" by the side of the bone's mean x; a
// bone on the middle keeps its name.
void NameSides(Document& doc) {
  DebugLog("\tボーン名の自動変更\n");
  for (Bone& bone : doc.bones) {
    Frx::Pstring first, rest;
    const char* cursor = bone.name.c_str();
    if (!Frx::Pscanf(cursor, "%S[]%S", &first, &rest)) continue;
    const float x = (doc.locates[bone.start].position.x + doc.locates[bone.end].position.x) * 0.5f;
    if (x < 0.0f)
      bone.name = first.Std() + "[R]";
    else if (x > 0.0f)
      bone.name = first.Std() + "[L]";
  }
}

void NameLocates(Document& doc) {
  DebugLog("\tロケートの命名\n");
  // Of two names for one locate, the one that sorts first (byte-wise) stays.
  auto offer = [&doc](int index, const std::string& name) {
    std::string& current = doc.locates[index].name;
    if (current.empty() || name < current) current = name;
  };
  for (const Bone& bone : doc.bones) {
    offer(bone.start, "j_" + bone.name);
    offer(bone.head, "h_" + bone.name);
  }
  for (const Bone& bone : doc.bones) {
    Locate& end = doc.locates[bone.end];
    if (!end.name.empty()) continue;
    end.name = "site_" + bone.name;
    end.flags |= Locate::SITE;
  }
}

}  // namespace

int BuildSkeletonFromObjects(Document& doc, std::string& /*error*/) {
  DebugLog("オブジェクトからスケルトンを生成\n");
  for (size_t i = 0; i < doc.objects.size(); ++i) {
    Object& object = doc.objects[i];
    if (!Frx::Path::CmpClass(object.name.c_str(), "bone") && !Frx::Path::CmpClass(object.name.c_str(), "sbone"))
      continue;
    object.kind = Object::SKELETON_SOURCE;
    AddBoneObject(doc, object, int(i));
  }
  LinkBones(doc);
  NameSides(doc);
  NameLocates(doc);
  return 1;
}

}  // namespace Mqo
