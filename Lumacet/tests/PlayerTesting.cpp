#include "PlayerTesting.h"

#include <fstream>

#include "platform/com/ComString.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/testing/TextStreams.h"
#include "vocore/vocore/VoMaster.h"

namespace lumatest {

void RecordingSink::ClickIn(int32_t x, int32_t y) {
  log_->push_back(tag_ + "ClickIn " + std::to_string(x) + " " + std::to_string(y));
}

void RecordingSink::MotionPeriod(const std::u16string& motion, int32_t isend, int32_t loopcount) {
  log_->push_back(tag_ + "MotionPeriod " + Com::ToUtf8(motion) + " " + std::to_string(isend) + " " +
                  std::to_string(loopcount));
}

void LoopEvents::ClickIn(int x, int y) { log.push_back("ClickIn " + std::to_string(x) + " " + std::to_string(y)); }

void LoopEvents::MotionPeriod(const char* motion, int isend, int loopcount) {
  log.push_back(std::string("MotionPeriod ") + motion + " " + std::to_string(isend) + " " + std::to_string(loopcount));
}

Player::Player() {
  void* out = nullptr;
  EXPECT_EQ(CSavoraPlayer::Create(IID_ISavoraPlayer, &out), S_OK);
  player_ = static_cast<ISavoraPlayer*>(out);
}

Player::~Player() { Reset(); }

void Player::Reset() {
  if (player_) player_->Release();
  player_ = nullptr;
}

VoIMotion* MakeMotion(PlayerLoop& loop, const char* name, long endframe) {
  auto* motion = loop.Master().NewItem<VoIMotion>(loop.Character());
  motion->SetName(name);
  motion->SetEndFrame(endframe);
  motion->loop = 1;
  return motion;
}

std::string DemoFile(const char* name) { return std::string(SAVORA_TESTDATA_DIR) + "/demo/" + name; }

std::string WalkBlock() {
  std::ifstream in(DemoFile("walk.kvm"), std::ios::binary);
  std::string block, line;
  bool header = true;
  while (std::getline(in, line)) {
    // The block follows the file's header line; the curve lines are the
    // motion file's own (its plug-in reads them), the engine's reader stops at them.
    if (header || line.find("curve =") != std::string::npos) {
      header = false;
      continue;
    }
    block += line + "\n";
  }
  return block;
}

VoIMotion* LoadWalk(PlayerLoop& loop) {
  auto* motion = loop.Master().NewItem<VoIMotion>(loop.Character());
  votest::LoadBlock(motion, "Motion", WalkBlock());
  return motion;
}

void TickAfter(PlayerLoop& loop, TestClock& clock, uint32_t ms) {
  clock.now += ms;
  loop.Tick();
}

}  // namespace lumatest
