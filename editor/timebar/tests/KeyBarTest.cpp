// Key bars and rows: key drags (move, Shift copy, delete above the bar, the
// overwrite question, cancel), the end mark, and the motion's companion.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "editor/extend/GuiItemExtend.h"
#include "editor/manip/draw/Colours.h"
#include "editor/manip/testing/ViewFixture.h"
#include "editor/timebar/KeyBar.h"
#include "editor/timebar/KeyRow.h"
#include "editor/timebar/PuiMotion.h"
#include "vocore/motion/VoIControlVector.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/skeleton/VoILocate.h"
#include "vocore/skeleton/VoISkelton.h"

namespace {

constexpr int kYes = 6, kNo = 7;

class KeyBarTest : public mtest::ViewFixture {
 protected:
  void SetUp() override {
    ViewFixture::SetUp();
    character = NewCharacter("c");
    VoISkelton* skelton = SkeletonOf(character);
    a = Make<VoILocate>(skelton, "a");
    b = Make<VoILocate>(skelton, "b");
    motion = Make<VoIMotion>(character, "walk");
    motion->SetEndFrame(60);
    ca = dynamic_cast<VoIControlVector*>(master.CreateControl(a, "pos", motion));
    cb = dynamic_cast<VoIControlVector*>(master.CreateControl(b, "pos", motion));
    ASSERT_TRUE(ca && cb);
    for (long f : {0L, 10L, 20L}) ca->SetKey(f, Frx::Pvector(static_cast<float>(f), 0.0f, 0.0f));
    for (long f : {0L, 20L}) cb->SetKey(f, Frx::Pvector(0.0f, static_cast<float>(f), 0.0f));
    character->SetMotion(motion);
    character->RegistAllControl(motion);
  }
  // The motion's bar where PuiMotion puts it: 48 pixels above the bottom.
  VoRefer<KeyBar> NewBar() {
    VoRefer<KeyBar> bar = new KeyBar(motion);
    bar->top = Height - 48.0f;
    bar->width = Width;
    return bar;
  }
  static std::vector<long> Frames(VoIControlVector* c) {
    std::vector<long> out;
    for (const auto& k : c->keys) out.push_back(k.frame);
    return out;
  }
  // x of a frame on a bar: frame × 8 + 10.
  static float X(long frame) { return frame * 8.0f + 10.0f; }

  VoICharacter* character = nullptr;
  VoILocate *a = nullptr, *b = nullptr;
  VoIMotion* motion = nullptr;
  VoIControlVector *ca = nullptr, *cb = nullptr;
};

TEST_F(KeyBarTest, KeyMarksStandAtTheirFrames) {
  VoRefer<KeyBar> bar = NewBar();
  bar->Drag(Move(0.0f, 0.0f, 0.0f, 0.0f, 0));
  // Frames 0 (every control), 10 (some), 20 (every): marks at their frames' x.
  ASSERT_EQ(bar->KeyCount(), 3);
  const float xs[] = {X(0), X(10), X(20)};
  for (int i = 0; i < 3; ++i) {
    EXPECT_FLOAT_EQ(bar->marks[static_cast<size_t>(i)].x, xs[i]);
    EXPECT_FLOAT_EQ(bar->marks[static_cast<size_t>(i)].y, Height - 32.0f);
  }
  Clear();
  Canvas canvas = MakeCanvas();
  bar->Draw(canvas);
  const uint32_t key = ColourFromFractions(0.9f, 0.5f, 0.4f) & 0xFFFFFFu;
  EXPECT_EQ(Pixel(static_cast<int>(X(10)), Height - 32), key);
  EXPECT_NE(Pixel(static_cast<int>(21 * 8 + 10), Height - 32), key);  // not at the table's raw entry
  {
    // Many keyed controls: the bar still notices a new key (and its check of
    // the keys wraps rather than overflows).
    for (int i = 0; i < 40; ++i) {
      const std::string name = "m" + std::to_string(i);
      VoILocate* l = Make<VoILocate>(SkeletonOf(character), name.c_str());
      auto* c = dynamic_cast<VoIControlVector*>(master.CreateControl(l, "pos", motion));
      ASSERT_NE(c, nullptr);
      for (long f : {0L, 20L, 4000L + i}) c->SetKey(f, Frx::Pvector(0.0f, 0.0f, 0.0f));
    }
    bar->Drag(Move(0.0f, 0.0f, 0.0f, 0.0f, 0));
    const int before = bar->KeyCount();
    ca->SetKey(30, Frx::Pvector(0.0f, 0.0f, 0.0f));
    bar->Drag(Move(0.0f, 0.0f, 0.0f, 0.0f, 0));
    EXPECT_EQ(bar->KeyCount(), before + 1);
  }
}

TEST_F(KeyBarTest, DraggedKeysMoveCopyOrGo) {
  const float y = Height - 32.0f, above = Height - 48.0f - 9.0f;
  struct Case {
    const char* what;
    float releaseX, releaseY;
    bool shift;
    std::vector<int> answers;
    std::vector<long> a, b;  // keys after
    float frame;             // current frame after
  } cases[] = {
      {"move", X(15), y, false, {}, {0, 15, 20}, {0, 20}, 15.0f},
      {"copy", X(15), y, true, {}, {0, 10, 15, 20}, {0, 20}, 15.0f},
      {"delete", X(15), above, false, {}, {0, 20}, {0, 20}, 15.0f},
      {"own frame", X(10) + 2.0f, y, false, {}, {0, 10, 20}, {0, 20}, 10.0f},
      {"refused", X(20), y, false, {kNo}, {0, 10, 20}, {0, 20}, 20.0f},
      {"overwrite", X(20), y, false, {kYes}, {0, 20}, {0}, 20.0f},
      {"left of 0", X(-5), y, false, {}, {0, 10, 20}, {0, 20}, 0.0f},
  };
  for (const Case& k : cases) {
    ca->ClearKey(), cb->ClearKey();
    for (long f : {0L, 10L, 20L}) ca->SetKey(f, Frx::Pvector(0.0f, 0.0f, 0.0f));
    for (long f : {0L, 20L}) cb->SetKey(f, Frx::Pvector(0.0f, 0.0f, 0.0f));
    boxes.Clear();
    for (int answer : k.answers) boxes.Answer(answer);
    VoRefer<KeyBar> bar = NewBar();
    bar->Drag(Press(X(10), y));
    EXPECT_EQ(bar->pressedKey, 1) << k.what;
    MouseRecord move = Move(k.releaseX, k.releaseY, k.releaseX - X(10), k.releaseY - y);
    MouseRecord release = Release(k.releaseX, k.releaseY);
    if (k.shift) move = Holding(move, MouseRecord::KeyShift), release = Holding(release, MouseRecord::KeyShift);
    bar->Drag(move);
    bar->Drag(release);
    EXPECT_EQ(Frames(ca), k.a) << k.what;
    EXPECT_EQ(Frames(cb), k.b) << k.what;
    EXPECT_FLOAT_EQ(doc->currentFrame, k.frame) << k.what;
    EXPECT_EQ(bar->pressedKey, -1) << k.what;
    EXPECT_EQ(boxes.Count(), static_cast<int>(k.answers.size())) << k.what;
    if (!k.answers.empty()) {
      EXPECT_TRUE(boxes.Saw("上書きしますか")) << k.what;
    }
  }
  {
    // A right press lets go of the key: its release changes nothing.
    VoRefer<KeyBar> bar = NewBar();
    bar->Drag(Press(X(10), y));
    MouseRecord right = Move(X(15), y, 0.0f, 0.0f, MouseRecord::LeftDown | MouseRecord::RightDown | MouseRecord::RightChanged);
    bar->Drag(right);
    bar->Drag(Release(X(15), y));
    EXPECT_EQ(Frames(ca), (std::vector<long>{0, 10, 20}));
  }
}

TEST_F(KeyBarTest, TheEndMarkSetsTheMotionsLength) {
  VoRefer<KeyBar> bar = NewBar();
  const float y = Height - 48.0f + 7.0f;
  bar->Drag(Move(0.0f, 0.0f, 0.0f, 0.0f, 0));
  EXPECT_FLOAT_EQ(bar->endMark.x, X(60));
  bar->Drag(Press(X(60) + 3.0f, y));
  bar->Drag(Move(X(30), y, X(30) - X(60), 0.0f));
  EXPECT_EQ(motion->endframe, 30);
  EXPECT_FLOAT_EQ(bar->endMark.x, X(30));
  bar->Drag(Move(-300.0f, y, -300.0f - X(30), 0.0f));
  EXPECT_EQ(motion->endframe, 0);  // never below 0
  EXPECT_TRUE(Frames(ca).size() == 3u);
}

// A long row scrolled into its middle draws every key whose mark reaches
// into the window, the half-visible ones at both edges too.
TEST_F(KeyBarTest, AScrolledRowDrawsTheKeysInTheWindow) {
  for (long f = 0; f < 900; f += 3) cb->SetKey(f, Frx::Pvector(0.0f, 0.0f, 0.0f));
  VoRefer<KeyRow> row = new KeyRow(cb);
  row->top = Height - 64.0f;
  row->width = Width;
  row->endFrame = 900;
  row->scroll = 2407;  // the key at frame 300 lies 7 pixels left of the window, its mark just in
  Clear();
  Canvas canvas = MakeCanvas();
  row->Draw(canvas);
  const uint32_t key = ColourFromFractions(0.9f, 0.5f, 0.4f) & 0xFFFFFFu;
  const int y = Height - 56;
  int seen = 0;
  for (long f = 0; f < 900; f += 3) {
    const int x = static_cast<int>(f * 8 - row->scroll);
    if (x < -7 || x > static_cast<int>(Width) + 6) continue;
    EXPECT_EQ(Pixel(std::clamp(x, 0, static_cast<int>(Width) - 1), y), key) << f;
    ++seen;
  }
  EXPECT_GT(seen, static_cast<int>(Width) / 24);
}

// The keys a strip visits for a window span: one run of the frame table in
// frame order, the whole table otherwise (a table out of order, frames
// running backwards).
TEST(KeyStripRange, KeysBetweenTakesTheRunInTheWindow) {
  struct Strip : KeyStrip {
    long KeyFrame(int i) const override { return frames[i]; }
    void Rebuild() override { PlaceMarks(); }
    float MarkOffset() const override { return 0.0f; }
    bool ScrollHit(float, float) const override { return false; }
    bool KeyExists(long) override { return false; }
    void CopyKeys(long, long) override {}
    void MoveKeys(long, long) override {}
    void DeleteKeys(long) override {}
    using KeyStrip::KeysBetween;
  };
  const struct {
    std::vector<long> frames;
    int pixelsPerFrame, scroll;
    float lo, hi;
    std::pair<int, int> run;
  } rows[] = {
      {{0, 2, 4, 6, 8, 10}, 10, 0, 15.0f, 60.0f, {1, 4}},      // x 0..100: 20, 40, 60
      {{0, 2, 4, 6, 8, 10}, 10, 0, -16.0f, 1000.0f, {0, 6}},   // everything
      {{0, 2, 4, 6, 8, 10}, 10, 500, -16.0f, 100.0f, {6, 6}},  // all left of the window
      {{0, 2, 4, 4, 4, 10}, 10, 0, 40.0f, 40.0f, {2, 5}},      // a frame keyed thrice
      {{0, 6, 4, 8}, 10, 0, 50.0f, 70.0f, {0, 4}},             // out of order
      {{0, 2, 4}, 0, 0, -16.0f, 16.0f, {0, 3}},                // no width per frame
      {{0, 2, 4}, -10, 0, -30.0f, 0.0f, {0, 3}},               // frames run backwards
      {{}, 10, 0, 0.0f, 100.0f, {0, 0}},
  };
  for (const auto& r : rows) {
    VoRefer<Strip> strip = new Strip;
    strip->frames.resize(static_cast<int>(r.frames.size()));
    for (size_t i = 0; i < r.frames.size(); ++i) strip->frames[static_cast<int>(i)] = r.frames[i];
    strip->pixelsPerFrame = r.pixelsPerFrame, strip->scroll = r.scroll;
    strip->Drag(MouseRecord{});
    EXPECT_EQ(strip->KeysBetween(r.lo, r.hi), r.run) << r.frames.size() << " " << r.scroll;
  }
}

TEST_F(KeyBarTest, ARowEditsOneControl) {
  VoRefer<KeyRow> row = new KeyRow(cb);
  row->top = Height - 64.0f;
  row->width = Width;
  row->endFrame = 60;
  const float y = Height - 56.0f;
  row->Drag(Press(X(20), y));
  EXPECT_EQ(row->pressedKey, 1);
  row->Drag(Move(X(40), y, X(40) - X(20), 0.0f));
  row->Drag(Release(X(40), y));
  EXPECT_EQ(Frames(cb), (std::vector<long>{0, 40}));
  EXPECT_EQ(Frames(ca), (std::vector<long>{0, 10, 20}));
  {
    // Scrubbing on the row sets the current frame.
    row->Drag(Press(X(33), y));
    EXPECT_FLOAT_EQ(doc->currentFrame, 33.0f);
  }
}

TEST_F(KeyBarTest, TheMotionsCompanionStacksRowsOfTheSelectedItem) {
  auto* pui = dynamic_cast<PuiMotion*>(GetItemGui(motion));
  ASSERT_NE(pui, nullptr);
  host().ClickSelect(a, 0);
  Dispatch(Move(5.0f, 5.0f, 1.0f, 0.0f, 0));
  ASSERT_EQ(pui->rows.size(), 1u);
  EXPECT_EQ(pui->rows.front()->control.Get(), ca);
  EXPECT_FLOAT_EQ(pui->rowsHeight, 16.0f);
  // Its key bar and rows take the pointer; the view above them does not.
  EXPECT_EQ(pui->HitTest(100.0f, Height - 60.0f, 0), 0.0f);
  EXPECT_EQ(pui->HitTest(100.0f, Height - 70.0f, 0), ItemGui::NoHit);
  // A key dragged on the row through the view's dispatch.
  const float y = Height - 56.0f;
  Dispatch(Press(X(10), y));
  Dispatch(Move(X(12), y, 16.0f, 0.0f));
  Dispatch(Release(X(12), y));
  EXPECT_EQ(Frames(ca), (std::vector<long>{0, 12, 20}));
  // Selecting the motion keeps it the character's motion and drops its bar on deselection.
  host().ClickSelect(motion, 0);
  EXPECT_EQ(character->GetMotion(), motion);
  host().ClearSelection();
  EXPECT_EQ(pui->bar.Get(), nullptr);
}

TEST_F(KeyBarTest, TheBarShowsTheKeysAsTheyAreAfterEveryEdit) {
  // A middle key only `a` holds, moved on `a`'s row, then on the bar: no
  // count, first or last frame changes, and no record comes before the draw.
  auto* pui = dynamic_cast<PuiMotion*>(GetItemGui(motion));
  host().ClickSelect(a, 0);
  Dispatch(Move(5.0f, 5.0f, 1.0f, 0.0f, 0));
  DrawSelected();
  const uint32_t key = ColourFromFractions(0.9f, 0.5f, 0.4f) & 0xFFFFFFu;
  const struct {
    float y;
    long from, to;
  } moves[] = {{Height - 56.0f, 10, 12}, {Height - 32.0f, 12, 15}};
  for (const auto& m : moves) {
    for (const MouseRecord& r : {Press(X(m.from), m.y), Move(X(m.to), m.y, X(m.to) - X(m.from), 0.0f),
                                 Release(X(m.to), m.y)})
      Dispatch(r);
    ASSERT_EQ(Frames(ca), (std::vector<long>{0, m.to, 20}));
    Clear();
    DrawSelected();
    EXPECT_EQ(pui->bar->KeyFrame(1), m.to);
    EXPECT_EQ(Pixel(static_cast<int>(X(m.to)), Height - 32), key) << m.to;
    EXPECT_NE(Pixel(static_cast<int>(X(m.from)), Height - 32), key) << m.from;
  }
}

}  // namespace
