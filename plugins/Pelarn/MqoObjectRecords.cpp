// Coordinates and nesting of the polygon objects of a document.
#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <unordered_map>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/string/Sjis.h"
#include "plugins/Pelarn/MqoForest.h"
#include "plugins/Pelarn/MqoRecordSteps.h"

namespace Mqo {

namespace Names {

size_t Find(const std::string& text, char c) {
  for (size_t i = 0; i < text.size(); i += size_t(Frx::Sjis::CharLength(text.c_str() + i)))
    if (text[i] == c) return i;
  return std::string::npos;
}

std::string Fold(const std::string& text) {
  std::string out = text;
  for (size_t i = 0; i < out.size();) {
    const int n = Frx::Sjis::CharLength(out.c_str() + i);
    if (n == 1 && out[i] >= 'A' && out[i] <= 'Z') out[i] = char(out[i] - 'A' + 'a');
    i += size_t(n);
  }
  return out;
}

}  // namespace Names

namespace {

constexpr float kDeleted = 3.4028235e38f;

// Bone midpoints sorted by x, so the nearest one is found by walking out
// from the centre's x until the gap in x alone exceeds the best distance.
class Midpoints {
 public:
  explicit Midpoints(const Document& doc) {
    for (int i = 0; i < int(doc.bones.size()); ++i) {
      const Frx::Pvector& s = doc.locates[doc.bones[i].start].position;
      const Frx::Pvector& e = doc.locates[doc.bones[i].end].position;
      const Mid m{(s.x + e.x) * 0.5f, (s.y + e.y) * 0.5f, (s.z + e.z) * 0.5f, i};
      if (!std::isnan(m.x) && !std::isnan(m.y) && !std::isnan(m.z)) mids_.push_back(m);
    }
    std::sort(mids_.begin(), mids_.end(), [](const Mid& a, const Mid& b) { return a.x < b.x; });
  }

  // The bone nearest c, the first of equals; -1 when there is none.
  int Nearest(const Frx::Pvector& c) const {
    int best = -1;
    float bestDistance = std::numeric_limits<float>::infinity();
    auto consider = [&](const Mid& m) {
      const float dx = m.x - c.x, dy = m.y - c.y, dz = m.z - c.z;
      const float d = std::sqrt(dx * dx + dy * dy + dz * dz);
      if (d < bestDistance || (d == bestDistance && m.index < best)) best = m.index, bestDistance = d;
    };
    const auto from = std::lower_bound(mids_.begin(), mids_.end(), c.x, [](const Mid& m, float x) { return m.x < x; });
    for (auto it = from; it != mids_.end() && !(it->x - c.x > bestDistance); ++it) consider(*it);
    for (auto it = from; it != mids_.begin() && !(c.x - (it - 1)->x > bestDistance); --it) consider(*(it - 1));
    return best;
  }

 private:
  struct Mid {
    float x, y, z;
    int index;
  };
  std::vector<Mid> mids_;
};

// The centre of the object's live vertices; false without any.
bool CentreOf(const Object& object, Frx::Pvector& centre) {
  double sum[3] = {0, 0, 0};
  size_t live = 0;
  for (const Frx::Pvector& v : object.vertices) {
    if (v.x == kDeleted) continue;
    sum[0] += v.x, sum[1] += v.y, sum[2] += v.z;
    ++live;
  }
  if (live == 0) return false;
  centre = Frx::Pvector(float(sum[0] / double(live)), float(sum[1] / double(live)), float(sum[2] / double(live)));
  return true;
}

// At most 128 bytes, cut between characters.
std::string Cut(const std::string& text) {
  size_t n = 0;
  while (n < text.size()) {
    const size_t step = size_t(Frx::Sjis::CharLength(text.c_str() + n));
    if (n + step > 128) break;
    n += step;
  }
  return text.substr(0, n);
}

}  // namespace

int AssignCoordinates(Document& doc, std::string& /*error*/) {
  const bool debug = Frx::theFerrox.debug;
  if (debug) Frx::theFerrox.LogOut("座標系の割当て\n  指定割当て\n");
  std::unordered_map<std::string, int> boneByName;
  for (int i = 0; i < int(doc.bones.size()); ++i) boneByName.emplace(Names::Fold(doc.bones[i].name), i);

  std::string missing;
  for (Object& object : doc.objects) {
    if (object.kind != Object::POLYGON) continue;
    const size_t dash = Names::Find(object.name, '-');
    if (dash == std::string::npos) continue;
    const std::string bone = object.name.substr(dash + 1);
    object.name.resize(dash);
    auto found = boneByName.find(Names::Fold(bone));
    if (found == boneByName.end()) {
      missing += Cut("　　　" + bone + "\n");
      continue;
    }
    object.coordinate = found->second;
    if (debug) Frx::theFerrox.Log("    Bone:%s\n", bone.c_str());
  }
  if (!missing.empty())
    Frx::theFerrox.Log("%s%s", Cut("適用指示されたボーンがいくつか見つかりませんでした。\n").c_str(), missing.c_str());

  if (debug) Frx::theFerrox.LogOut("  自動割当て\n");
  const Midpoints midpoints(doc);
  for (Object& object : doc.objects) {
    Frx::Pvector centre;
    if (object.kind != Object::POLYGON || object.coordinate >= 0 || !CentreOf(object, centre)) continue;
    object.coordinate = midpoints.Nearest(centre);
    if (debug && object.coordinate >= 0)
      Frx::theFerrox.Log("    Geometry:%s <- Coordinate:%s\n", object.name.c_str(),
                         doc.bones[object.coordinate].name.c_str());
  }
  return 1;
}

int NestObjects(Document& doc, std::string& /*error*/) {
  if (Frx::theFerrox.debug) Frx::theFerrox.LogOut("ジオメトリの階層化\n");
  std::vector<Object>& objects = doc.objects;
  // Objects that may become children, by the folded text after their "|";
  // each leaves the map once it has its parent.
  std::multimap<std::string, int> waiting;
  for (int j = 0; j < int(objects.size()); ++j) {
    if (objects[j].kind != Object::POLYGON) continue;
    const size_t bar = Names::Find(objects[j].name, '|');
    if (bar != std::string::npos) waiting.emplace(Names::Fold(objects[j].name.substr(bar + 1)), j);
  }
  // Each waiting object is still a root: taking i as its parent would close
  // a loop when i lies in its tree.
  Forest forest(objects.size());
  for (int i = 0; i < int(objects.size()) && !waiting.empty(); ++i) {
    if (objects[i].kind != Object::POLYGON) continue;
    std::string own = objects[i].name;
    if (size_t bar = Names::Find(own, '|'); bar != std::string::npos) own.resize(bar);
    const size_t colon = Names::Find(own, ':');
    const std::string key = Names::Fold(colon == std::string::npos ? own : own.substr(colon + 1));
    if (key.empty()) continue;
    for (auto it = waiting.lower_bound(key); it != waiting.end() && it->first.compare(0, key.size(), key) == 0;) {
      const int j = it->second;
      if (forest.WouldLoop(j, i)) {
        ++it;
        continue;
      }
      objects[j].name.resize(Names::Find(objects[j].name, '|'));
      objects[j].parent = i;
      forest.Hang(j, i);
      it = waiting.erase(it);
    }
  }
  return 1;
}

}  // namespace Mqo
