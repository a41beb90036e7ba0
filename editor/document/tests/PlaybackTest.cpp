#include <gtest/gtest.h>

#include "editor/document/CommandIds.h"
#include "editor/document/Playback.h"
#include "editor/document/SettingCommands.h"
#include "editor/testing/EditorFixture.h"
#include "vocore/motion/VoIControlVector.h"

namespace {

class PlaybackTest : public edtest::EditorFixture {};

TEST_F(PlaybackTest, PlayPauseStopAndSteps) {
  doc->currentFrame = 12.75f;
  Playback::Stop(*doc);  // before any play: back to frame 0
  EXPECT_EQ(doc->currentFrame, 0.0f);
  doc->currentFrame = 12.75f;
  Playback::Play(*doc);
  EXPECT_EQ(doc->paused, 0);
  doc->currentFrame = 40.5f;
  Playback::Pause(*doc);
  EXPECT_EQ(doc->currentFrame, 40.0f);
  doc->currentFrame = -3.5f;
  Playback::Pause(*doc);
  EXPECT_EQ(doc->currentFrame, -3.0f);  // towards zero
  Playback::Stop(*doc);
  EXPECT_EQ(doc->currentFrame, 12.75f);
  EXPECT_EQ(doc->paused, 1);
  Playback::Step(*doc, 1);
  Playback::Step(*doc, -2);
  EXPECT_EQ(doc->currentFrame, 11.75f);
}

TEST_F(PlaybackTest, KeysWrapAroundTheMotion) {
  VoIMotion* m = master.NewItem<VoIMotion>(nullptr);
  auto* v = master.NewItem<VoIControlVector>(m);
  for (long f : {10L, 20L, 30L}) v->SetKey(f, Frx::Pvector(0.0f, 0.0f, 0.0f));
  struct Case {
    long at, next, previous;
  } cases[] = {{0, 10, 30}, {10, 20, 30}, {15, 20, 10}, {30, 10, 20}, {35, 10, 30}};
  for (const Case& k : cases) {
    EXPECT_EQ(Playback::NextKeyFrame(*m, k.at), k.next) << k.at;
    EXPECT_EQ(Playback::PreviousKeyFrame(*m, k.at), k.previous) << k.at;
  }
  VoIMotion* empty = master.NewItem<VoIMotion>(nullptr);
  EXPECT_EQ(Playback::NextKeyFrame(*empty, 7), 7);
  EXPECT_EQ(Playback::PreviousKeyFrame(*empty, 7), 7);
  master.ReleaseItem(m);
  master.ReleaseItem(empty);
}

TEST_F(PlaybackTest, SettingCommandsSetTheirGroups) {
  struct Case {
    int id;
    uint8_t CTireloDoc::*field;
    uint8_t value;
  } cases[] = {{Cmd::DisplayEmphasis, &CTireloDoc::displayMode, 1}, {Cmd::DisplayHidden, &CTireloDoc::displayMode, 2},
               {Cmd::Parallel, &CTireloDoc::projection, 1},        {Cmd::SpaceWorld, &CTireloDoc::editSpace, 2},
               {Cmd::CelShading, &CTireloDoc::celShading, 1},      {Cmd::RealTime, &CTireloDoc::realTime, 0},
               {Cmd::TreeNone, &CTireloDoc::treeRootMode, 3}};
  for (const Case& k : cases) {
    EXPECT_TRUE(RunSettingCommand(*doc, k.id));
    EXPECT_EQ((*doc).*k.field, k.value) << k.id;
  }
  doc->paused = 0;
  RunSettingCommand(*doc, Cmd::DisplayStandard);
  EXPECT_EQ(doc->paused, 1);  // the display modes pause
  EXPECT_FALSE(RunSettingCommand(*doc, 12345));
}

}  // namespace
