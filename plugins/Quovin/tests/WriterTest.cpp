// The motion file writer: the exact bytes, write -> read -> write giving the
// same bytes and the same values to the bit, and exports that write nothing.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>

#include "QuovinFixture.h"
#include "ferrox/testing/ReadWhole.h"
#include "vocore/motion/VoIControlFloat.h"
#include "vocore/motion/VoIControlInt.h"
#include "vocore/motion/VoIControlQuaternion.h"
#include "vocore/motion/VoIControlRefer.h"
#include "vocore/motion/VoIControlString.h"
#include "vocore/motion/VoIControlTime.h"
#include "vocore/motion/VoIControlVector.h"
#include "vocore/scene/VoINote.h"

namespace quovintest {
namespace {

using KvmWriter = QuovinFixture;

// Every key of every keyed control under the motion, as raw bytes, in order.
std::string KeyBytes(VoIMotion* motion) {
  std::string bytes;
  auto add = [&bytes](const void* p, size_t n) { bytes.append(static_cast<const char*>(p), n); };
  for (VoIItem* c = motion->GetFirstChild(); c; c = motion->GetNextChild(c)) {
    bytes += c->name + ";";
    if (VoIMotion* nested = c->IsMotion()) bytes += KeyBytes(nested);
    if (VoIControlVector* v = c->IsControlVector())
      for (auto& k : v->keys) add(&k.frame, sizeof k.frame), add(&k.value, sizeof k.value);
    if (VoIControlQuaternion* q = c->IsControlQuaternion())
      for (auto& k : q->keys) add(&k.frame, sizeof k.frame), add(&k.value, sizeof k.value);
    if (VoIControlTime* t = c->IsControlTime())
      for (auto& k : t->keys) add(&k.frame, sizeof k.frame), add(&k.value, sizeof k.value);
    if (VoIControlString* s = c->IsControlString())
      for (auto& k : s->keys) add(&k.frame, sizeof k.frame), bytes += k.value;
  }
  return bytes;
}

TEST_F(KvmWriter, WritesWhatItReadsBackToTheBit) {
  {
    SCOPED_TRACE("the writer's own file comes back byte for byte, CR LF and all");
    const std::string path = std::string(SAVORA_TESTDATA_DIR) + "/kvm/every-block/every-block.kvm";
    VoICharacter* c = Make<VoICharacter>(nullptr, "c");
    ASSERT_EQ(master.Import(path.c_str(), c, 0), c);
    EXPECT_EQ(ExportBranch(c), FrxTest::ReadWhole(path));
  }

  const float inf = std::numeric_limits<float>::infinity();
  const float values[] = {0.0f,     -0.0f,   1e-7f,          -4.9999e-7f, 0.1f,    1.0f / 3,
                          12.345678f, 16777217.0f, 123456.789f, FLT_MAX,     -FLT_MAX, FLT_MIN,
                          3.0e38f,  inf,     -inf,           std::nanf("")};
  VoICharacter* c = Make<VoICharacter>(nullptr, "c");
  VoIMotion* m = Make<VoIMotion>(c, "say \"hi\"\tnow");
  m->endframe = -5, m->loop = 7;
  auto* v = Make<VoIControlVector>(m, "v");
  auto* q = Make<VoIControlQuaternion>(m, "q");
  auto* t = Make<VoIControlTime>(m, "t");
  auto* s = Make<VoIControlString>(m, "s");
  v->SetCurveType(static_cast<VoCurveType>(7));
  q->SetCurveType(VO_CURVE_BLEND);
  int frame = -3;
  for (float a : values)
    for (float b : {values[3], values[9], values[13]}) {
      v->SetKey(frame, Frx::Pvector(a, b, -a));
      q->SetKey(frame, Frx::Pquaternion(b, a, a, b));
      t->SetKey(frame, a);
      ++frame;
    }
  s->SetKey(0, "line\none\ttab \"quoted\" 日本");
  Make<VoIControlInt>(m, "int")->SetKey(0, 5);
  Make<VoIControlFloat>(m, "float")->SetKey(0, 5.0f);
  Make<VoINote>(m, "note");
  Make<VoIMotion>(m, "nested")->endframe = 12;

  const std::string first = ExportBranch(c);
  ASSERT_FALSE(first.empty());
  for (size_t at = first.find('\n'); at != std::string::npos; at = first.find('\n', at + 1))
    ASSERT_EQ(first[at - 1], '\r') << "every line ends with CR LF";
  EXPECT_NE(first.find("\tname = \"say 'hi' now\"\r\n"), std::string::npos);
  EXPECT_NE(first.find("\t\t0 \"line one tab 'quoted' 日本\"\r\n"), std::string::npos);
  EXPECT_NE(first.find("\t\tcurve = \"linear\"\r\n"), std::string::npos) << "a kind out of the table reads as linear";
  EXPECT_EQ(first.find("int"), std::string::npos) << "Int, Float and other children are not written";
  EXPECT_EQ(first.find("note"), std::string::npos);

  VoICharacter* second = Make<VoICharacter>(nullptr, "second");
  ASSERT_EQ(ImportText(first, second), second);
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});
  ASSERT_EQ(Motions(second).size(), 1u);
  const std::string again = ExportBranch(second);
  EXPECT_EQ(again, first);
  VoICharacter* third = Make<VoICharacter>(nullptr, "third");
  ASSERT_EQ(ImportText(again, third), third);
  EXPECT_EQ(KeyBytes(Motions(third)[0]), KeyBytes(Motions(second)[0]));

  // Infinities come back as themselves, NaN as 0; finite values within
  // what six decimals hold.
  VoIMotion* read = Motions(second)[0];
  VoIControlTime* times = nullptr;
  for (VoIItem* child = read->GetFirstChild(); child && !times; child = read->GetNextChild(child))
    times = child->IsControlTime();
  ASSERT_NE(times, nullptr);
  ASSERT_EQ(times->keys.size(), t->keys.size());
  for (size_t i = 0; i < t->keys.size(); ++i) {
    const float want = t->keys[i].value, got = times->keys[i].value;
    if (std::isnan(want))
      EXPECT_EQ(got, 0.0f);
    else if (std::isinf(want))
      EXPECT_EQ(got, want);
    else
      EXPECT_NEAR(got, want, std::max(5e-7f, std::fabs(want) * 1e-7f)) << i;
  }
}

TEST_F(KvmWriter, WritesNothingWithoutAMotion) {
  const std::string none = "エクスポートできるアイテムがありません。\n";
  VoICharacter* empty = Make<VoICharacter>(nullptr, "empty");
  VoICharacter* props = Make<VoICharacter>(nullptr, "props");
  Make<VoINote>(props, "note");
  Make<VoIMotion>(Make<VoICharacter>(props, "inner"), "deep");
  VoIMotion* gone = Make<VoIMotion>(props, "gone");
  std::list<VoRefer<VoIItem>> released{gone, props};
  master.ReleaseItem(gone);
  struct Case {
    const char* name;
    VoIBranch* branch;  // else the list
  };
  const Case cases[] = {{"no children", empty}, {"motions only below the children", props}, {"a released motion", nullptr}};
  const std::string path = scratch.Put("keep.kvm", "keep me");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    boxes.Clear();
    const int result = c.branch ? master.Export(path.c_str(), c.branch, 0) : master.Export(path.c_str(), released, 0);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{none});
    EXPECT_EQ(FrxTest::ReadWhole(path), "keep me");
  }

  // A list is written in its own order; a file that cannot be opened fails
  // without a message.
  VoIMotion* a = Make<VoIMotion>(empty, "a");
  VoIMotion* b = Make<VoIMotion>(empty, "b");
  std::list<VoRefer<VoIItem>> list{b, empty, a};
  boxes.Clear();
  ASSERT_EQ(master.Export(path.c_str(), list, 0), 1);
  EXPECT_EQ(FrxTest::ReadWhole(path),
            "Savora Motion Ver 2\r\nMotion {\r\n\tname = \"b\"\r\n\tendframe = 0\r\n\tloop = 0\r\n}\r\n"
            "Motion {\r\n\tname = \"a\"\r\n\tendframe = 0\r\n\tloop = 0\r\n}\r\nEof\r\n");
  EXPECT_EQ(master.Export(Scratch("no/such/folder.kvm").c_str(), list, 0), 0);
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});
}

}  // namespace
}  // namespace quovintest
