// The jobs behind the bone deformer: distances, weights and the deform pass,
// without items.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "ferrox/math/Pquaternion.h"
#include "ferrox/testing/Near.h"
#include "plugins/Osmira/BlendMath.h"
#include "plugins/Osmira/BoneDeformJob.h"
#include "plugins/Osmira/DistanceWeightJob.h"
#include "plugins/Osmira/SphereDeformJob.h"
#include "vocore/geometry/VoVertex.h"

namespace {

using Frx::Pvector;
using FrxTest::Near;
using Osmira::kFar;

TEST(DistanceWeights, PointSegmentDistance) {
  const Pvector a(0, 0, 0), b(0, 10, 0);
  const struct {
    const char* what;
    Pvector p, s, e;
    float expected;
  } cases[] = {
      {"beside the middle", {3, 5, 0}, a, b, 3.0f},
      {"before the start: to the start, not the line", {0, -4, 3}, a, b, 5.0f},
      {"past the end: to the end", {0, 14, 3}, a, b, 5.0f},
      {"on the segment", {0, 5, 0}, a, b, 0.0f},
      {"a bone of length 0 reaches nothing", {0, 0, 0}, a, a, kFar},
      {"a missing end reaches nothing", {0, 0, 0}, a, Pvector(kFar, kFar, kFar), kFar},
  };
  for (const auto& c : cases) EXPECT_FLOAT_EQ(Osmira::PointSegmentDistance(c.p, c.s, c.e), c.expected) << c.what;
}

TEST(DistanceWeights, WeightsPerVertex) {
  // Bone 0 up the y axis (reach 4), bone 1 parallel at x = 4 (reach 5),
  // bone 2 continuing bone 0 (reach 4), bone 3 of length 0.
  const std::vector<Osmira::Segment> bones = {
      {{0, 0, 0}, {0, 10, 0}}, {{4, 0, 0}, {4, 10, 0}}, {{0, 10, 0}, {0, 20, 0}}, {{3, 3, 3}, {3, 3, 3}}};
  const std::vector<float> reaches = {4, 5, 4, 100};
  const struct {
    const char* what;
    Pvector p;
    std::vector<float> weights;  // per bone; empty: unbound
  } cases[] = {
      {"one bone in reach takes it all", {-2, 5, 0}, {1, 0, 0, 0}},
      // (1/4 - 1/16) and (1/4 - 1/25) over their sum 0.3975.
      {"two bones in reach share it", {2, 3, 0}, {0.1875f / 0.3975f, 0.21f / 0.3975f, 0, 0}},
      {"exactly on bone 0 while bone 1 reaches: weight 1", {0, 5, 0}, {1, 0, 0, 0}},
      {"on the joint of bones 0 and 2: halves", {0, 10, 0}, {0.5f, 0, 0.5f, 0}},
      {"beyond every reach: unbound", {-20, 5, 0}, {}},
  };
  for (const auto& c : cases) {
    std::vector<std::vector<Osmira::WeightPair>> perBone;
    std::vector<int> unbound;
    const std::vector<Pvector> positions{c.p};
    Osmira::DistanceWeightJob job;
    job.positions = positions;
    job.bones = bones;
    job.reaches = reaches;
    job.weights = &perBone;
    job.unbound = &unbound;
    ASSERT_TRUE(job.Run()) << c.what;
    ASSERT_EQ(perBone.size(), bones.size());
    if (c.weights.empty()) {
      EXPECT_EQ(unbound, std::vector<int>{0}) << c.what;
      continue;
    }
    EXPECT_TRUE(unbound.empty()) << c.what;
    for (size_t b = 0; b < bones.size(); ++b) {
      const float w = perBone[b].empty() ? 0.0f : perBone[b][0].weight;
      EXPECT_NEAR(w, c.weights[b], 1e-6f) << c.what << ", bone " << b;
      if (c.weights[b] == 0.0f) {
        EXPECT_TRUE(perBone[b].empty()) << c.what << ": no pair for weight 0";
      }
    }
  }
}

TEST(DistanceWeights, EveryBoundVertexSumsToOneAndNothingIsNaN) {
  const std::vector<Osmira::Segment> bones = {{{0, 0, 0}, {0, 10, 0}}, {{0, 10, 0}, {6, 16, 0}}, {{0, 10, 0}, {-6, 16, 0}}};
  const std::vector<float> reaches = {5, 4, 4};
  std::vector<Pvector> positions;
  for (int x = -8; x <= 8; ++x)
    for (int y = -2; y <= 20; ++y) positions.emplace_back(float(x), float(y), 0.5f * float(x % 3));
  // Distances so small that 1/d² leaves the float range.
  positions.emplace_back(1e-30f, 5.0f, 0.0f);
  positions.push_back(VoVertex::Deleted());
  std::vector<std::vector<Osmira::WeightPair>> perBone;
  std::vector<int> unbound;
  Osmira::DistanceWeightJob job{positions, bones, reaches, &perBone, &unbound};
  ASSERT_TRUE(job.Run());
  std::vector<double> sum(positions.size(), 0.0);
  for (const auto& pairs : perBone)
    for (const Osmira::WeightPair& p : pairs) {
      ASSERT_TRUE(std::isfinite(p.weight));
      ASSERT_GT(p.weight, 0.0f);
      sum[size_t(p.vertex)] += p.weight;
    }
  for (int v : unbound) sum[size_t(v)] += 1.0;
  for (size_t i = 0; i + 1 < positions.size(); ++i) EXPECT_NEAR(sum[i], 1.0, 1e-5) << i;
  EXPECT_EQ(sum.back(), 0.0) << "a deleted vertex is bound to nothing";
  const int tiny = int(positions.size()) - 2;
  const auto found = std::find_if(perBone[0].begin(), perBone[0].end(),
                                  [tiny](const Osmira::WeightPair& p) { return p.vertex == tiny; });
  ASSERT_NE(found, perBone[0].end());
  EXPECT_FLOAT_EQ(found->weight, 1.0f) << "a distance of 1e-30 gives its bone everything";
}

TEST(DistanceWeights, JobsRefuseWhatTheyCannotRun) {
  std::vector<std::vector<Osmira::WeightPair>> perBone;
  std::vector<int> unbound;
  const std::vector<Osmira::Segment> bones(2);
  const std::vector<float> oneReach{1.0f};
  EXPECT_FALSE((Osmira::DistanceWeightJob{{}, bones, oneReach, &perBone, &unbound}.Run())) << "reaches != bones";
  EXPECT_FALSE((Osmira::DistanceWeightJob{{}, {}, {}, nullptr, &unbound}.Run())) << "no output";

  const std::vector<Pvector> rest{{1, 0, 0}};
  std::vector<Pvector> out(1);
  std::vector<Osmira::WeightRecord> records(1);
  records[0].pairs = {{1, 1.0f}};
  const std::vector<Frx::Pmatrix> matrices{Frx::Pmatrix::id};
  EXPECT_FALSE((Osmira::BoneDeformJob{rest, records, matrices, out}.Run())) << "vertex out of range";
  records[0].pairs = {{0, NAN}};
  EXPECT_FALSE((Osmira::BoneDeformJob{rest, records, matrices, out}.Run())) << "weight not finite";
  records[0].pairs = {{0, 1.0f}};
  EXPECT_FALSE((Osmira::BoneDeformJob{rest, records, {}, out}.Run())) << "a record without matrix";
  EXPECT_TRUE((Osmira::BoneDeformJob{rest, records, matrices, out}.Run()));
}

TEST(BoneDeform, WeightedSumOfCarriedRestPositions) {
  // Record 0 turns 90° about z; record 1 moves by (0, 0, 10); record 2 is
  // the identity (vertices following nothing).
  Frx::Pmatrix turn, move = Frx::Pmatrix::id;
  Frx::Pquaternion q;
  turn.SetRotate(q.SetVector(Pvector(0, 0, 1), 3.14159265f / 2));
  move.SetTranslate(Pvector(0, 0, 10));
  const std::vector<Frx::Pmatrix> matrices{turn, move, Frx::Pmatrix::id};
  std::vector<Osmira::WeightRecord> records(3);
  records[0].pairs = {{0, 1.0f}, {1, 0.25f}};
  records[1].pairs = {{1, 0.75f}};
  records[2].pairs = {{2, 1.0f}};
  const std::vector<Pvector> rest{{1, 5, 0}, {2, 0, 0}, {30, 0, 0}, VoVertex::Deleted(), {7, 7, 7}};
  std::vector<Pvector> out(rest.size(), Pvector(9, 9, 9));
  ASSERT_TRUE((Osmira::BoneDeformJob{rest, records, matrices, out}.Run()));
  EXPECT_TRUE(Near(out[0], Pvector(-5, 1, 0)));
  EXPECT_TRUE(Near(out[1], Pvector(0.25f * 0 + 0.75f * 2, 0.25f * 2, 7.5f)));
  EXPECT_TRUE(Near(out[2], Pvector(30, 0, 0)));
  EXPECT_TRUE(VoVertex::IsDeleted(out[3])) << "a deleted vertex stays deleted";
  EXPECT_TRUE(Near(out[4], Pvector(0, 0, 0))) << "no record: the cleared position";
}

TEST(BlendMath, QuotientsThatWouldBeZeroOverZero) {
  const struct {
    double a, b, share;
  } shares[] = {{3, 2, 0.6}, {0, 0, 0.5}, {kFar, kFar, 0.5}, {kFar, 2, 1.0}, {0, 4, 0.0}};
  for (const auto& s : shares) EXPECT_DOUBLE_EQ(Osmira::Share(s.a, s.b), s.share) << s.a << " " << s.b;
  const struct {
    double b, j, remapped;
  } remaps[] = {{0.6, 0.6, 0.5}, {0.5, 0.5, 0.5}, {0.25, 0.5, 0.25}, {1.0, 1.0, 1.0}, {0.0, 0.0, 0.0}, {0.8, 0.0, 1.0}};
  for (const auto& r : remaps) EXPECT_NEAR(Osmira::Remap(r.b, r.j), r.remapped, 1e-12) << r.b << " " << r.j;
}

}  // namespace

namespace {

TEST(SphereDeform, TheThreeKindsOfRecord) {
  // Bone 0 stays, bone 1 turns 90° about z, bone 2 moves by (0, 0, 10);
  // bone 3 is released.
  Frx::Pmatrix turn, move;
  Frx::Pquaternion q;
  turn.SetRotate(q.SetVector(Pvector(0, 0, 1), 3.14159265f / 2));
  move.SetTranslate(Pvector(0, 0, 10));
  const std::vector<Frx::Pmatrix> matrices{Frx::Pmatrix::id, turn, move, move};
  const std::vector<unsigned char> live{1, 1, 1, 0};
  const Pvector o(0, 0, 0);
  const float c = std::sqrt(0.5f);
  const struct {
    const char* what;
    Osmira::SphereRecord record;
    Pvector expected;
  } cases[] = {
      {"one bone: carried rigidly", {{}, 1, 0, 0}, {-5, 1, 0}},
      {"one released bone: at rest", {{}, 3, 0, 0}, {1, 5, 0}},
      {"linear (mode 0)", {{{0, 0.25f, o}, {2, 0.75f, o}}, -1, 0, 0}, {1, 5, 7.5f}},
      {"two overlaps: scaled by 2 / 4", {{{0, 0.5f, o}, {2, 0.5f, o}, {0, 0.5f, o}, {2, 0.5f, o}}, -1, 0, 1}, {1, 5, 5}},
      {"about the joint (mode 1): half the turn", {{{0, 0.5f, o}, {1, 0.5f, o}}, -1, 0, 1}, {c - 5 * c, c + 5 * c, 0}},
      {"mode 1 with a released bone: linear, the released share at rest",
       {{{0, 0.5f, o}, {3, 0.5f, o}}, -1, 0, 1}, {1, 5, 0}},
  };
  for (const auto& k : cases) {
    const std::vector<Pvector> rest{{1, 5, 0}, {7, 7, 7}};
    std::vector<Pvector> out{{9, 9, 9}, {8, 8, 8}};
    const std::vector<Osmira::SphereRecord> records{k.record};
    Osmira::SphereDeformJob job{rest, records, matrices, live, Frx::Pmatrix::id, out};
    ASSERT_TRUE(job.Run()) << k.what;
    EXPECT_TRUE(Near(out[0], k.expected, 1e-5f)) << k.what;
    EXPECT_EQ(out[1], Pvector(8, 8, 8)) << k.what << ": a vertex without a record is left alone";
  }
  // Records naming a bone or vertex that is not there are refused.
  const std::vector<Pvector> rest{{1, 5, 0}};
  std::vector<Pvector> out(1);
  for (const Osmira::SphereRecord& bad : {Osmira::SphereRecord{{}, 4, 0, 0}, Osmira::SphereRecord{{}, 0, 1, 0},
                                          Osmira::SphereRecord{{{5, 1.0f, o}}, -1, 0, 0}}) {
    const std::vector<Osmira::SphereRecord> records{bad};
    EXPECT_FALSE((Osmira::SphereDeformJob{rest, records, matrices, live, Frx::Pmatrix::id, out}.Run()));
  }
}

}  // namespace
