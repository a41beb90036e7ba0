// The anchor analysis, step by step. Steps that weigh one value against
// another (blend, joint ratio, remap) guard 0/0: a vertex never gets a
// weight that is not a number.
#include "plugins/Osmira/AnchorAnalysis.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>

#include "ferrox/string/Sjis.h"
#include "plugins/Osmira/AnchorShape.h"
#include "plugins/Osmira/BlendMath.h"
#include "vocore/geometry/VoFace.h"
#include "vocore/geometry/VoVertex.h"

namespace Osmira {

namespace {

using Frx::Pvector;

bool Usable(const Segment& s) {
  auto ok = [](const Pvector& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z) && v.x < kFar && v.y < kFar && v.z < kFar;
  };
  return ok(s.start) && ok(s.end);
}

float Nearest(const Pvector& p, const std::vector<Pvector>& points) {
  // The least square, then its root: the same as the least root.
  float best = -1.0f;
  for (const Pvector& b : points) {
    const Pvector d = p - b;
    const float square = d.x * d.x + d.y * d.y + d.z * d.z;
    if (best < 0.0f || square < best) best = square;
  }
  return best < 0.0f ? kFar : std::sqrt(best);
}

struct Steps {
  const AnchorAnalysisJob& job;
  AnchorAnalysis& out;
  std::string& message;
  const VoVertex& target;
  int count;
  std::vector<AnchorShape> shapes;

  bool Live(int i) const { return !VoVertex::IsDeleted(target.Get(i)); }
  const std::string& Name(size_t a) const { return job.anchors[a].name; }

  bool Holds();
  void GiveNearest();
  std::vector<std::pair<int, int>> CrossingEdges() const;
  void Boundaries(const std::vector<std::pair<int, int>>& edges);
  void Depths();
  void Overlaps();
  void Groups();
};

// 1. What each anchor holds; an anchor tied to no bone fails the analysis.
bool Steps::Holds() {
  for (size_t a = 0; a < job.anchors.size(); ++a) {
    if (job.anchors[a].bone < 0) {
      AppendPiece(message, "ボーンとの関連付けが不完全なアンカーがあります。");
      return false;
    }
    std::vector<unsigned char>& holds = out.anchors[a].holds;
    holds.assign(size_t(count), 0);
    int inside = 0, live = 0;
    for (int i = 0; i < count; ++i) {
      if (!Live(i)) continue;
      ++live;
      if (shapes[a].Inside(target.Get(i))) holds[size_t(i)] = 1, ++inside;
    }
    if (inside == 0)
      AppendPiece(message, "Warrning: アンカー " + Name(a) + " に内包されるターゲットの頂点がありません。\n");
    else if (inside == live)
      AppendPiece(message, "Warrning: アンカー " + Name(a) + " にターゲットの頂点がすべて内包されました。\n");
  }
  return true;
}

// 2. A vertex no anchor holds goes to the nearest anchors (within 0.1).
void Steps::GiveNearest() {
  const size_t anchors = shapes.size();
  if (anchors == 0) return;
  std::vector<float> distance(anchors), bound(anchors);
  std::vector<size_t> order(anchors);
  for (int i = 0; i < count; ++i) {
    if (!Live(i)) continue;
    bool held = false;
    for (size_t a = 0; a < anchors && !held; ++a) held = out.anchors[a].holds[size_t(i)] != 0;
    if (held) continue;
    const Pvector& p = target.Get(i);
    float best = kFar;
    if (job.accelerate) {
      // Nearest boxes first; an anchor whose box lies beyond the reach of
      // the choice cannot be chosen, so its faces need not be measured.
      for (size_t a = 0; a < anchors; ++a) bound[a] = shapes[a].LowerBound(p);
      std::iota(order.begin(), order.end(), size_t(0));
      std::sort(order.begin(), order.end(), [&bound](size_t x, size_t y) { return bound[x] < bound[y]; });
      std::fill(distance.begin(), distance.end(), kFar);
      for (size_t a : order) {
        if (best < kFar && bound[a] > best + 0.2f) break;
        distance[a] = shapes[a].Distance(p);
        best = std::min(best, distance[a]);
      }
    } else {
      for (size_t a = 0; a < anchors; ++a) best = std::min(best, distance[a] = shapes[a].Distance(p));
    }
    for (size_t a = 0; a < anchors; ++a)
      if (distance[a] <= best + 0.1f) out.anchors[a].holds[size_t(i)] = 1;
  }
}

// 3. The target's edges that leave some anchor (each as its faces list it).
std::vector<std::pair<int, int>> Steps::CrossingEdges() const {
  std::vector<std::pair<int, int>> edges;
  const VoFace* faces = job.targetFaces;
  if (!faces) return edges;
  for (int f = 0; f < faces->count; ++f) {
    const VoFaceElement& e = faces->array[f];
    const int n = e.GetValidCount(count);
    if (n < 2) continue;
    const int sides = n == 2 ? 1 : n;
    for (int k = 0; k < sides; ++k) {
      const int a = int(e.index[k]), b = int(e.index[(k + 1) % n]);
      if (!Live(a) || !Live(b)) continue;
      bool leaves = false;
      for (size_t x = 0; x < out.anchors.size() && !leaves; ++x)
        leaves = out.anchors[x].holds[size_t(a)] != out.anchors[x].holds[size_t(b)];
      if (leaves) edges.emplace_back(a, b);
    }
  }
  return edges;
}

// 4. Boundary points: where those edges and the bones cross each anchor.
void Steps::Boundaries(const std::vector<std::pair<int, int>>& edges) {
  for (size_t a = 0; a < shapes.size(); ++a) {
    const std::vector<unsigned char>& holds = out.anchors[a].holds;
    std::vector<Pvector>& boundary = out.anchors[a].boundary;
    Pvector hit;
    for (const auto& [from, to] : edges) {
      if (holds[size_t(from)] == holds[size_t(to)]) continue;
      if (shapes[a].FirstHit(target.Get(from), target.Get(to), hit))
        boundary.push_back(hit);
      else
        AppendPiece(message, "Warrning: アンカー " + Name(a) + "との交点が見つかりません。\n");
    }
    for (const Segment& bone : job.bones)
      if (Usable(bone) && shapes[a].FirstHit(bone.start, bone.end, hit)) boundary.push_back(hit);
    if (boundary.empty()) {
      AppendPiece(message, "Warrning: アンカー:" + Name(a));
      AppendPiece(message, "と交差するターゲットのポリゴンエッジ又はスケルトンボーンが存在しません。\n");
    }
  }
}

// 5. How deep each held vertex lies: its distance to the nearest boundary point.
void Steps::Depths() {
  for (AnchorAnalysis::Anchor& anchor : out.anchors) {
    anchor.distance.assign(size_t(count), kFar);
    for (int i = 0; i < count; ++i)
      if (anchor.holds[size_t(i)]) anchor.distance[size_t(i)] = Nearest(target.Get(i), anchor.boundary);
  }
}

// 6. Pairs of anchors that share vertices, and how they share them.
void Steps::Overlaps() {
  const size_t anchors = out.anchors.size();
  for (size_t p = 0; p < anchors; ++p) {
    for (size_t q = p + 1; q < anchors; ++q) {
      const AnchorAnalysis::Anchor& P = out.anchors[p];
      const AnchorAnalysis::Anchor& Q = out.anchors[q];
      AnchorAnalysis::Overlap o;
      for (int i = 0; i < count; ++i) {
        if (!P.holds[size_t(i)] || !Q.holds[size_t(i)]) continue;
        o.vertices.push_back(i);
        o.blend.push_back(float(Share(P.distance[size_t(i)], Q.distance[size_t(i)])));
      }
      if (o.vertices.empty()) continue;
      o.first = int(p), o.second = int(q);
      o.firstBone = job.anchors[p].bone, o.secondBone = job.anchors[q].bone;
      const Segment& bp = job.bones[size_t(o.firstBone)];
      const Segment& bq = job.bones[size_t(o.secondBone)];
      // The joint: the mean of the bone ends that lie inside both anchors.
      Pvector sum(0.0f, 0.0f, 0.0f);
      int inside = 0;
      for (const Pvector& end : {bp.start, bp.end, bq.start, bq.end})
        if (shapes[p].Inside(end) && shapes[q].Inside(end)) sum += end, ++inside;
      if (inside > 0) o.joint = sum / float(inside);
      const bool first = Usable(bq) && shapes[p].FirstHit(bq.start, bq.end, o.firstCrossing);
      const bool second = Usable(bp) && shapes[q].FirstHit(bp.start, bp.end, o.secondCrossing);
      if (first && second && inside > 0) {
        o.mode = 1;
        const double j = Share(Nearest(o.joint, P.boundary), Nearest(o.joint, Q.boundary));
        for (float& b : o.blend) b = float(Remap(b, j));
      }
      out.overlaps.push_back(std::move(o));
    }
  }
}

// 7. Vertices held by the same anchors form a group.
void Steps::Groups() {
  std::map<std::vector<int>, size_t> index;
  std::vector<int> key;
  for (int i = 0; i < count; ++i) {
    if (!Live(i)) continue;
    key.clear();
    for (size_t a = 0; a < out.anchors.size(); ++a)
      if (out.anchors[a].holds[size_t(i)]) key.push_back(int(a));
    auto [it, added] = index.try_emplace(key, out.groups.size());
    if (added) out.groups.push_back({{}, key, {}});
    out.groups[it->second].vertices.push_back(i);
  }
  for (AnchorAnalysis::Group& g : out.groups) {
    const int first = g.vertices.front();
    for (size_t o = 0; o < out.overlaps.size(); ++o) {
      const std::vector<int>& v = out.overlaps[o].vertices;
      if (std::binary_search(v.begin(), v.end(), first)) g.overlaps.push_back(int(o));
    }
  }
}

}  // namespace

void AppendPiece(std::string& message, const std::string& text) {
  size_t n = 0;
  while (n < text.size()) {
    const size_t step = size_t(Frx::Sjis::CharLength(text.c_str() + n));
    if (n + step > 128) break;
    n += step;
  }
  message.append(text, 0, n);
}

float AnchorAnalysis::Overlap::BlendOf(int v) const {
  const auto it = std::lower_bound(vertices.begin(), vertices.end(), v);
  if (it == vertices.end() || *it != v) return 0.5f;
  return blend[size_t(it - vertices.begin())];
}

bool AnchorAnalysisJob::Validate() const {
  if (!targetPositions || !result || !message) return false;
  for (const AnchorInput& a : anchors)
    if (a.bone >= int(bones.size())) return false;
  return true;
}

int AnchorAnalysisJob::Run() const {
  if (!Validate()) return 0;
  *result = AnchorAnalysis{};
  Steps run{*this, *result, *message, *targetPositions, targetPositions->GetNum(), {}};
  run.shapes.reserve(anchors.size());
  for (const AnchorInput& a : anchors) run.shapes.emplace_back(a.positions, a.faces, accelerate);
  result->anchors.resize(anchors.size());
  if (!run.Holds()) return 0;
  run.GiveNearest();
  run.Boundaries(run.CrossingEdges());
  run.Depths();
  run.Overlaps();
  run.Groups();
  return 1;
}

}  // namespace Osmira
