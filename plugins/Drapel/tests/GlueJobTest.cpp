// The glue job: anchor vertices placed by their member's matrix, and put back
// at rest whenever a position cannot be had.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ferrox/testing/Near.h"
#include "plugins/Drapel/GlueJob.h"
#include "vocore/geometry/VoVertex.h"

namespace {

using V = Frx::Pvector;

Frx::Pmatrix Matrix(float m11, float m12, float m21, float m22, float tx) {
  Frx::Pmatrix m = Frx::Pmatrix::id;
  m._11 = m11, m._12 = m12, m._21 = m21, m._22 = m22, m._41 = tx;
  return m;
}

TEST(GlueJob, PlacesGluedVerticesAndRestsTheOnesItCannot) {
  const float nan = std::nanf("");
  const Frx::Pmatrix id = Frx::Pmatrix::id, quarterTurn = Matrix(0, 1, -1, 0, 0);
  const std::vector<V> rest = {{1, 0, 0}, {2, 0, 0}, {5, 5, 5}};
  const V x = {9, 9, 9};  // not written
  const struct {
    const char* name;
    Frx::Pmatrix matrix;
    std::vector<V> source;
    std::vector<GluePair> pairs;
    std::vector<V> expected;
    int rested, skipped;
  } cases[] = {
      {"moved by (10, 0, 0)", Matrix(1, 0, 0, 1, 10), {{1, 0, 0}, {2, 0, 0}}, {{0, 0, 1}, {1, 1, 1}},
       {{11, 0, 0}, {12, 0, 0}, x}, 0, 0},
      {"a quarter turn about z", quarterTurn, {{1, 0, 0}, {2, 0, 0}}, {{0, 0, 1}, {1, 1, 1}}, {{0, 1, 0}, {0, 2, 0}, x}, 0, 0},
      {"later pairs win; weights scale", id, {{1, 0, 0}, {3, 0, 0}}, {{0, 0, 1}, {1, 0, 1}, {1, 2, 0.5f}},
       {{3, 0, 0}, x, {1.5f, 0, 0}}, 0, 0},
      {"a source past the member rests", id, {{1, 0, 0}}, {{4, 1, 1}}, {x, {2, 0, 0}, x}, 1, 0},
      {"deleted or NaN sources rest", id, {VoVertex::Deleted(), {nan, 0, 0}}, {{0, 0, 1}, {1, 2, 1}},
       {{1, 0, 0}, x, {5, 5, 5}}, 2, 0},
      {"a matrix that is not finite rests", Matrix(1, 0, 0, 1, nan), {{1, 0, 0}}, {{0, 1, 1}}, {x, {2, 0, 0}, x}, 1, 0},
      {"an anchor vertex past the output is left alone", id, {{1, 0, 0}}, {{0, 3, 1}}, {x, x, x}, 0, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<V> out(3, x);
    GlueJob job;
    job.matrix = c.matrix;
    job.source = c.source.data();
    job.sourceCount = int(c.source.size());
    job.pairs = c.pairs.data();
    job.pairCount = int(c.pairs.size());
    job.rest = rest.data();
    job.restCount = 3;
    job.out = out.data();
    job.outCount = 3;
    ASSERT_TRUE(job.Run());
    EXPECT_EQ(job.rested, c.rested);
    EXPECT_EQ(job.skipped, c.skipped);
    for (size_t i = 0; i < 3; ++i) EXPECT_TRUE(FrxTest::Near(out[i], c.expected[i])) << i;
  }
  // Refused inputs leave the output alone.
  V out[1] = {x};
  GlueJob job;
  job.out = out;
  job.outCount = 1;
  job.pairCount = 1;
  EXPECT_EQ(job.Validate(), GlueJob::FAULT_NO_PAIRS);
  const GluePair pair{0, 0, 1};
  job.pairs = &pair;
  job.sourceCount = 1;
  EXPECT_EQ(job.Validate(), GlueJob::FAULT_NO_SOURCE);
  job.source = rest.data();
  EXPECT_EQ(job.Validate(), GlueJob::FAULT_SHORT_REST);
  EXPECT_FALSE(job.Run());
  EXPECT_TRUE(FrxTest::Near(out[0], x));
}

}  // namespace
