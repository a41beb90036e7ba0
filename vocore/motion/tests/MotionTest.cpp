// Frames from time, whole-motion key edits, frame tables, copies and the
// motion's text.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "ferrox/math/Pquaternion.h"
#include "ferrox/math/Pvector.h"
#include "ferrox/testing/LogCapture.h"
#include "vocore/item/VoDescent.h"
#include "vocore/motion/VoIControlBool.h"
#include "vocore/motion/VoIControlFloat.h"
#include "vocore/motion/VoIControlInt.h"
#include "vocore/motion/VoIControlQuaternion.h"
#include "vocore/motion/VoIControlRefer.h"
#include "vocore/motion/VoIControlString.h"
#include "vocore/motion/VoIControlTime.h"
#include "vocore/motion/VoIControlVector.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/persist/VoLoad.h"
#include "vocore/persist/VoSave.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/testing/MasterFixture.h"
#include "vocore/testing/TextStreams.h"

using Frx::Pquaternion;
using Frx::Pvector;

namespace {

using MotionTest = votest::MasterFixture;

TEST_F(MotionTest, FrameFromTime) {
  VoIMotion m;
  m.endframe = 60;
  {
    m.loop = 1;
    m.SetFrameFromTime(60.0f);
    EXPECT_FLOAT_EQ(m.GetFrame(), 0.0f);
    m.SetFrameFromTime(61.5f);
    EXPECT_FLOAT_EQ(m.GetFrame(), 1.5f);
    m.SetFrameFromTime(59.9f);
    EXPECT_FLOAT_EQ(m.GetFrame(), 59.9f);
  }
  {
    m.loop = 0;
    m.SetFrameFromTime(60.0f);
    EXPECT_FLOAT_EQ(m.GetFrame(), 60.0f);
    m.SetFrameFromTime(61.5f);
    EXPECT_FLOAT_EQ(m.GetFrame(), 1.5f);
    m.loop = 7;  // neither 0 nor 1: never wraps
    m.SetFrameFromTime(130.0f);
    EXPECT_FLOAT_EQ(m.GetFrame(), 130.0f);
  }
  {
    m.loop = 1;
    m.endframe = 30;
    m.SetFrameFromTime(-5.5f);
    EXPECT_FLOAT_EQ(m.GetFrame(), -5.5f);
    m.SetFrameFromTime(-35.5f);
    EXPECT_FLOAT_EQ(m.GetFrame(), -5.5f);
    m.rate = 2.0f;
    m.SetFrameFromTime(16.0f);
    EXPECT_FLOAT_EQ(m.GetFrame(), 2.0f);
    m.endframe = 0;
    m.SetFrameFromTime(16.0f);
    EXPECT_EQ(m.GetFrame(), 0.0f);
  }
  {
    // A clock gone wrong restarts the motion rather than carrying NaN on.
    m.endframe = 30;
    m.rate = 1.0f;
    for (int loop = 0; loop < 3; ++loop) {
      m.loop = loop;
      m.SetFrameFromTime(std::nanf(""));
      EXPECT_EQ(m.GetFrame(), 0.0f);
      m.SetFrameFromTime(std::numeric_limits<float>::infinity());
      EXPECT_EQ(m.GetFrame(), 0.0f);
    }
  }
}

TEST_F(MotionTest, KeyframesAcrossControls) {
  VoIMotion* m = master.NewItem<VoIMotion>(nullptr);
  EXPECT_EQ(m->ExistKeyframe(0), VoIMotion::KEY_NONE);
  VoIMotion* nested = master.NewItem<VoIMotion>(m);
  EXPECT_EQ(m->ExistKeyframe(0), VoIMotion::KEY_SOME);  // no keyed control at all
  VoIControlVector* a = master.NewItem<VoIControlVector>(m);
  VoIControlQuaternion* b = master.NewItem<VoIControlQuaternion>(m);
  a->SetKey(0, Pvector(0, 0, 0));
  a->SetKey(10, Pvector(1, 0, 0));
  b->SetKey(0, Pquaternion::id);
  b->SetKey(20, Pquaternion::id);
  {
    EXPECT_EQ(m->GetKeyframeSize(), 3);
    Ptable<long> table;
    ASSERT_EQ(m->MakeFrameTable(table), 3);
    EXPECT_EQ(table[0], 0);
    EXPECT_EQ(table[1], 21);
    EXPECT_EQ(table[2], 41);
    EXPECT_EQ(m->ExistKeyframe(0), VoIMotion::KEY_ALL);
    EXPECT_EQ(m->ExistKeyframe(10), VoIMotion::KEY_SOME);
    EXPECT_EQ(m->ExistKeyframe(5), VoIMotion::KEY_NONE);
    EXPECT_EQ(m->GetControlSize(), 3);
  }
  {
    EXPECT_EQ(m->TransKeyframe(30, 20), 1);  // only b had a key there
    EXPECT_EQ(b->GetKeyFrame(1), 30);
    m->CopyKeyframe(40, 0);
    EXPECT_EQ(m->ExistKeyframe(40), VoIMotion::KEY_ALL);
    EXPECT_EQ(m->DeleteKeyframe(40), 1);
    EXPECT_EQ(m->DeleteKeyframe(40), 0);
    Ptable<long> table;
    m->MakeFrameTable(table);
    EXPECT_EQ(table.size(), 3);
    m->DeleteKeyframe(10);
    m->DeleteKeyframe(30);
    EXPECT_EQ(m->MakeFrameTable(table), 1);
    EXPECT_EQ(table.size(), 1);  // the deleted frames are gone from the table
    m->DeleteKeyframe(0);
    EXPECT_EQ(m->MakeFrameTable(table), 0);
    EXPECT_EQ(table.size(), 0);
  }
  {
    m->ChangeCurveType(VO_CURVE_BLEND);
    EXPECT_EQ(a->GetCurveType(), VO_CURVE_SPLINE);
    EXPECT_EQ(b->GetCurveType(), VO_CURVE_BLEND);
    m->ChangeCurveType(VO_CURVE_LINEAR);
    EXPECT_EQ(a->GetCurveType(), VO_CURVE_LINEAR);
  }
  {
    EXPECT_EQ(m->IsTopLevel(), 0);
    VoICharacter* ch = master.NewItem<VoICharacter>(nullptr);
    m->Link(ch);
    EXPECT_EQ(m->IsTopLevel(), 1);
    EXPECT_EQ(nested->GetBelongMotion(), m);
    EXPECT_EQ(a->GetBelongMotion(), m);
    m->Page();
    master.ReleaseItem(ch);
  }
  master.ReleaseItem(m);
}

// A motion with one control of every kind.
VoIMotion* FullMotion(VoMaster& master) {
  VoIMotion* m = master.NewItem<VoIMotion>(nullptr);
  m->SetName("walk");
  m->endframe = 40;
  m->loop = 1;
  auto* v = master.NewItem<VoIControlVector>(m);
  v->SetName("hip");
  v->SetOutClassAndMember("Coordinate", "pos");
  v->SetCurveType(VO_CURVE_SPLINE);
  v->endframe = 25;
  v->SetKey(0, Pvector(1, 2, 3));
  v->SetKey(10, Pvector(-1, 0.5f, 0));
  auto* q = master.NewItem<VoIControlQuaternion>(m);
  q->SetName("hip");
  q->SetOutClassAndMember("Coordinate", "rot");
  q->SetCurveType(VO_CURVE_BLEND);
  q->SetKey(5, Pquaternion(0, 0, 0, 1));
  auto* s = master.NewItem<VoIControlString>(m);
  s->SetName("face");
  s->SetKey(3, "big smile");
  auto* r = master.NewItem<VoIControlRefer>(m);
  r->SetName("body");
  r->SetOutClassAndMember("Object", "coordinate");
  r->SetKey(0, "hip");
  auto* t = master.NewItem<VoIControlTime>(m);
  t->SetName("sub");
  t->SetOutClassAndMember("Character", "time");
  t->SetKey(0, 1.5f);
  master.NewItem<VoIControlInt>(m)->SetKey(2, 7);
  master.NewItem<VoIControlFloat>(m)->SetKey(4, 0.25f);
  master.NewItem<VoIControlBool>(m)->SetKey(6, 1);
  VoIMotion* nested = master.NewItem<VoIMotion>(m);
  nested->SetName("sub");
  return m;
}

std::string Saved(VoIItem* item) {
  votest::MemoryFile out;
  VoSave save(out.get());
  VoMaster::ExecSave(item, save);
  return out.Text();
}

TEST_F(MotionTest, TextRoundTripKeepsEveryControl) {
  VoIMotion* m = FullMotion(master);
  const std::string text = Saved(m);
  EXPECT_EQ(text,
            "Motion {\n"
            "\tname = \"walk\"\n\tendframe = 40\n\tloop = 1\n"
            "\tVector {\n\t\tname = \"hip\"\n\t\tclass = \"Coordinate\"\n\t\tmember = \"pos\"\n"
            "\t\tendframe = 25\n\t\tcurve = 1\n"
            "\t\t0 (1.000000 2.000000 3.000000)\n\t\t10 (-1.000000 0.500000 0.000000)\n\t}\n"
            "\tQuaternion {\n\t\tname = \"hip\"\n\t\tclass = \"Coordinate\"\n\t\tmember = \"rot\"\n"
            "\t\tendframe = 0\n\t\tcurve = 2\n\t\t5 (0.000000 0.000000 0.000000 1.000000)\n\t}\n"
            "\tString {\n\t\tname = \"face\"\n\t\tclass = \"\"\n\t\tmember = \"\"\n\t\tendframe = 0\n"
            "\t\t3 \"big smile\"\n\t}\n"
            "\tRefer {\n\t\tname = \"body\"\n\t\tclass = \"Object\"\n\t\tmember = \"coordinate\"\n"
            "\t\tendframe = 0\n\t\t0 \"hip\"\n\t}\n"
            "\tTime {\n\t\tname = \"sub\"\n\t\tclass = \"Character\"\n\t\tmember = \"time\"\n"
            "\t\tendframe = 0\n\t\t0 1.500000\n\t}\n"
            "\tInt {\n\t\tname = \"unknown\"\n\t\tclass = \"\"\n\t\tmember = \"\"\n\t\tendframe = 0\n"
            "\t\t2 7\n\t}\n"
            "\tFloat {\n\t\tname = \"unknown\"\n\t\tclass = \"\"\n\t\tmember = \"\"\n\t\tendframe = 0\n"
            "\t\t4 0.250000\n\t}\n"
            "\tBool {\n\t\tname = \"unknown\"\n\t\tclass = \"\"\n\t\tmember = \"\"\n\t\tendframe = 0\n"
            "\t\t6 1\n\t}\n"
            "\tMotion {\n\t\tname = \"sub\"\n\t\tendframe = 0\n\t\tloop = 0\n\t}\n"
            "}\n");
  {
    std::unique_ptr<VoLoad> load(votest::NewReader(text));
    ASSERT_EQ(load->OpenChunk("Motion"), 1);
    VoIMotion* back = master.NewItem<VoIMotion>(nullptr);
    back->Load(*load);
    EXPECT_EQ(Saved(back), text);
    auto* q = back->GetFirstChild()->IsControl();
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(q->GetOutClassID(), VoICoordinate::CLASS_ID);
    EXPECT_NE(q->GetOutOffset(), 0u);
    master.ReleaseItem(back);
  }
  {
    VoIMotion* copy = master.NewItem<VoIMotion>(nullptr, m);
    EXPECT_EQ(copy->GetChildCount(), 9);
    EXPECT_EQ(Saved(copy), text);
    master.ReleaseItem(copy);
  }
  master.ReleaseItem(m);
}

TEST_F(MotionTest, ReaderStopsAtUnknownLinesAndBoundsNesting) {
  {
    std::unique_ptr<VoLoad> load(votest::NewReader(
        "name = \"m\"\nVector {\nname = \"a\"\n0 (1 2 3)\n0 (4 5 6)\nbogus\n}\nendframe = 9\nwhat = 1\n"));
    VoIMotion m;
    EXPECT_EQ(m.Load(*load), 0);
    EXPECT_EQ(m.endframe, 9);
    VoIControlVector* v = m.GetFirstChild()->IsControlVector();
    ASSERT_NE(v, nullptr);
    ASSERT_EQ(v->GetKeySize(), 1);  // a repeated frame replaces the key
    EXPECT_EQ(v->keys[0].value, Pvector(4, 5, 6));
  }
  // Blocks whose items would lie past the limit fail the whole read with a
  // log line, also below a motion nested `above` levels deep.
  const int rows[][2] = {{200, 0}, {VoLoad::MaxDepth, 0}, {VoLoad::MaxDepth + 1, 0}, {300, 0}, {56, 200}, {57, 200}};
  for (auto [nested, above] : rows) {
    SCOPED_TRACE(std::to_string(nested) + " below " + std::to_string(above));
    std::string deep;
    for (int i = 0; i < nested; ++i) deep += "Motion {\n";
    FrxTest::LogCapture log;
    std::unique_ptr<VoLoad> load(votest::NewReader(deep + std::string(nested, '}') + "endframe = 5\n"));
    VoIBranch* top = master.NewItem<VoIBranch>(nullptr);
    VoIBranch* at = top;
    for (int i = 0; i < above; ++i) at = master.NewItem<VoIBranch>(at);
    VoIMotion* m = master.NewItem<VoIMotion>(above ? at : nullptr);
    load->topDepth = Vo::Depth(m) + 1;
    EXPECT_EQ(m->Load(*load), 0);
    int depth = 0;
    for (VoIItem* c = m->GetFirstChild(); c; c = c->IsBranch()->GetFirstChild()) ++depth;
    const int room = VoLoad::MaxDepth - Vo::Depth(m);
    const bool refused = nested > room;
    EXPECT_EQ(depth, refused ? room : nested);
    EXPECT_EQ(log.Contains("階層が深すぎます"), refused);
    EXPECT_EQ(m->endframe, refused ? 0 : 5);
    master.ReleaseItem(above ? static_cast<VoIItem*>(top) : m);
    if (!above) master.ReleaseItem(top);
  }
}

}  // namespace
