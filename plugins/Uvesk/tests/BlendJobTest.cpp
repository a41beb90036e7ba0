// The blend job: weighted sums with concrete numbers, every vertex finite,
// and the inputs it refuses.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ferrox/testing/Near.h"
#include "plugins/Uvesk/BlendJob.h"
#include "vocore/geometry/VoVertex.h"

namespace {

using V = Frx::Pvector;

TEST(BlendJob, BlendsByWeightAndKeepsEveryVertexFinite) {
  const V del = VoVertex::Deleted();
  const float nan = std::nanf("");
  const struct {
    const char* name;
    std::vector<V> rest;
    std::vector<std::vector<V>> targets;
    std::vector<float> weights;
    std::vector<V> expected;
    int repaired;
  } cases[] = {
      {"weights 0.5, 0.25, 0.25", {{0, 0, 0}, {2, 0, 0}},
       {{{0, 0, 0}, {2, 0, 0}}, {{4, 0, 0}, {2, 4, 0}}, {{0, 8, 0}, {2, 0, 8}}}, {0.5f, 0.25f, 0.25f},
       {{1, 2, 0}, {2, 1, 2}}, 0},
      {"a short target gives the rest shape where it has no vertex", {{0, 0, 0}, {2, 0, 0}, {0, 2, 0}},
       {{{0, 0, 0}, {2, 0, 0}, {0, 2, 0}}, {{4, 0, 0}}}, {0.5f, 0.5f}, {{2, 0, 0}, {2, 0, 0}, {0, 2, 0}}, 0},
      {"deleted and NaN target positions take the rest position", {{0, 0, 0}, {2, 0, 0}},
       {{{0, 0, 0}, {2, 0, 0}}, {del, {nan, 0, 0}}}, {0.5f, 0.5f}, {{0, 0, 0}, {2, 0, 0}}, 0},
      {"a vertex deleted in the rest shape stays deleted", {del, {2, 0, 0}}, {{del, {2, 0, 0}}, {{1, 1, 1}, {4, 0, 0}}},
       {0.5f, 0.5f}, {del, {3, 0, 0}}, 0},
      {"a sum that overflows falls back on the rest position", {{1, 0, 0}, {0, 1, 0}}, {{{3e38f, 0, 0}, {0, 1, 0}}},
       {2.0f}, {{1, 0, 0}, {0, 2, 0}}, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<BlendJob::Target> targets;
    for (size_t t = 0; t < c.targets.size(); ++t) targets.push_back({c.targets[t].data(), int(c.targets[t].size()), c.weights[t]});
    std::vector<V> out(c.rest.size(), V(9, 9, 9));
    BlendJob job;
    job.rest = c.rest.data();
    job.restCount = int(c.rest.size());
    job.targets = targets.data();
    job.targetCount = int(targets.size());
    job.out = out.data();
    job.outCount = int(out.size());
    ASSERT_TRUE(job.Run());
    EXPECT_EQ(job.repaired, c.repaired);
    for (size_t j = 0; j < out.size(); ++j) EXPECT_TRUE(FrxTest::Near(out[j], c.expected[j])) << j;
  }
  // Refused inputs leave the output alone.
  V rest[2] = {{0, 0, 0}, {1, 0, 0}}, out[2] = {{7, 7, 7}, {7, 7, 7}};
  BlendJob::Target target{nullptr, 2, 1.0f};
  BlendJob job;
  job.out = out;
  job.outCount = 2;
  EXPECT_EQ(job.Validate(), BlendJob::FAULT_SHORT_REST);
  job.rest = rest;
  job.restCount = 2;
  job.targets = &target;
  job.targetCount = 1;
  EXPECT_EQ(job.Validate(), BlendJob::FAULT_BAD_TARGET);
  target = {rest, 2, nan};
  EXPECT_EQ(job.Validate(), BlendJob::FAULT_BAD_WEIGHT);
  EXPECT_FALSE(job.Run());
  EXPECT_TRUE(FrxTest::Near(out[1], V(7, 7, 7)));
}

}  // namespace
