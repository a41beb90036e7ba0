// How deep the items of a document would nest below the branch imported
// into, found from its records in one pass, and the order that builds its
// polygons parents first.
#include <string>
#include <vector>

#include "ferrox/ferrox/Ferrox.h"
#include "plugins/Pelarn/MqoParser.h"
#include "plugins/Pelarn/MqoRecordSteps.h"

namespace Mqo {

namespace {

// Levels of the nodes of a forest given by parent links; a root (-1) sits
// at level `top`. A link that would close a loop counts as a root, as the
// item tree refuses it. Each node is walked once.
std::vector<int> Levels(const std::vector<int>& parent, int top) {
  std::vector<int> level(parent.size(), 0);  // 0: not reached yet, -1: on the walk
  std::vector<int> walk;
  for (size_t i = 0; i < parent.size(); ++i) {
    int at = int(i);
    while (at >= 0 && level[size_t(at)] == 0) {
      level[size_t(at)] = -1;
      walk.push_back(at);
      at = parent[size_t(at)];
    }
    int above = at >= 0 && level[size_t(at)] > 0 ? level[size_t(at)] : top - 1;
    for (; !walk.empty(); walk.pop_back()) level[size_t(walk.back())] = ++above;
  }
  return level;
}

bool MakesLocate(const Locate& l) { return (l.flags & (Locate::START | Locate::END)) != 0; }

struct Deepest {
  int level = 0;
  int node = -1;
};

Deepest DeepestOf(const std::vector<int>& level, const std::vector<bool>& counts) {
  Deepest d;
  for (size_t i = 0; i < level.size(); ++i)
    if (counts[i] && level[i] > d.level) d.level = level[i], d.node = int(i);
  return d;
}

// The polygon each polygon object nests in, -1 for the branch and for
// objects that make no polygon.
std::vector<int> PolygonParents(const Document& doc, std::vector<bool>& counts) {
  const size_t n = doc.objects.size();
  std::vector<int> parent(n, -1);
  counts.assign(n, false);
  for (size_t i = 0; i < n; ++i) {
    if (doc.objects[i].kind != Object::POLYGON) continue;
    counts[i] = true;
    const int p = doc.objects[i].parent;
    if (p >= 0 && size_t(p) < n && doc.objects[size_t(p)].kind == Object::POLYGON) parent[i] = p;
  }
  return parent;
}

// Polygons hang from the branch (level 1) and from the objects they nest in.
bool CheckObjects(const Document& doc, int limit) {
  std::vector<bool> counts;
  const Deepest d = DeepestOf(Levels(PolygonParents(doc, counts), 1), counts);
  if (d.level <= limit) return true;
  Frx::theFerrox.Log("　　オブジェクト \"%s\" の階層が深すぎます (%d 段、上限 %d 段)。\n",
                     doc.objects[size_t(d.node)].name.c_str(), d.level, limit);
  return false;
}

// The skeleton is level 1; bones and locates without a parent hang from it,
// a bone from its parent bone, a locate from its bone or locate, as the
// skeleton builder links them. Nodes: the bones, then the locates.
bool CheckSkeleton(const Document& doc, int limit) {
  if (doc.locates.empty() && doc.bones.empty()) return true;
  const size_t bones = doc.bones.size(), n = bones + doc.locates.size();
  std::vector<int> parent(n, -1);
  std::vector<bool> counts(n, false);
  std::vector<int> objectOf(n, -1);
  for (size_t i = 0; i < bones; ++i) {
    const Bone& b = doc.bones[i];
    counts[i] = true;
    objectOf[i] = b.object;
    if (b.parent >= 0 && size_t(b.parent) < bones) parent[i] = b.parent;
    for (int l : {b.start, b.end, b.head})
      if (l >= 0 && size_t(l) < doc.locates.size()) objectOf[bones + size_t(l)] = b.object;
  }
  for (size_t l = 0; l < doc.locates.size(); ++l) {
    const Locate& record = doc.locates[l];
    if (!MakesLocate(record)) continue;
    counts[bones + l] = true;
    const int p = record.parent;
    if (p < 0) continue;
    if (!record.parentIsLocate && size_t(p) < bones)
      parent[bones + l] = p;
    else if (record.parentIsLocate && size_t(p) < doc.locates.size() && MakesLocate(doc.locates[size_t(p)]))
      parent[bones + l] = int(bones) + p;
  }
  const Deepest d = DeepestOf(Levels(parent, 2), counts);
  if (d.level <= limit) return true;
  const size_t at = size_t(d.node);
  const int object = objectOf[at];
  const char* objectName = object >= 0 ? doc.objects[size_t(object)].name.c_str() : "";
  if (at < bones)
    Frx::theFerrox.Log("　　ボーン \"%s\" (オブジェクト \"%s\") の階層が深すぎます (%d 段、上限 %d 段)。\n",
                       doc.bones[at].name.c_str(), objectName, d.level, limit);
  else
    Frx::theFerrox.Log("　　ロケート \"%s\" (オブジェクト \"%s\") の階層が深すぎます (%d 段、上限 %d 段)。\n",
                       doc.locates[at - bones].name.c_str(), objectName, d.level, limit);
  return false;
}

}  // namespace

std::vector<size_t> PolygonsParentsFirst(const Document& doc) {
  std::vector<bool> counts;
  const std::vector<int> level = Levels(PolygonParents(doc, counts), 1);
  // Counted by level, so each level keeps the document's order.
  std::vector<size_t> start;
  for (size_t i = 0; i < level.size(); ++i)
    if (counts[i]) {
      if (start.size() <= size_t(level[i]) + 1) start.resize(size_t(level[i]) + 2, 0);
      ++start[size_t(level[i]) + 1];
    }
  for (size_t l = 1; l < start.size(); ++l) start[l] += start[l - 1];
  std::vector<size_t> order(start.empty() ? 0 : start.back());
  for (size_t i = 0; i < level.size(); ++i)
    if (counts[i]) order[start[size_t(level[i])]++] = i;
  return order;
}

int CheckNestingDepth(const Document& doc, int limit, std::string& error) {
  // Even the branch's own children would lie too deep.
  if (limit < 1) Frx::theFerrox.Log("　　インポート先の階層が深すぎます (上限 %d 段)。\n", limit);
  if (limit >= 1 && CheckObjects(doc, limit) && CheckSkeleton(doc, limit)) return 1;
  error = StructureError(__FILE_NAME__, __LINE__);
  return 0;
}

int RunRecordSteps(Document& doc, int depthLimit, std::string& error) {
  return BuildSkeletonFromObjects(doc, error) && AssignCoordinates(doc, error) && NestObjects(doc, error) &&
         CheckNestingDepth(doc, depthLimit, error);
}

}  // namespace Mqo
