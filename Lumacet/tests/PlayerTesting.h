// Support of the player's tests: the Qt application (offscreen), a clock the
// test turns, sinks and loop events recorded, motions made in the test, and
// the demonstration character.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Lumacet/CSavoraPlayer.h"
#include "Lumacet/PlayerLoop.h"
#include "Lumacet/SavoraPlayerEvents.h"
#include "ferrox/testing/MessageBoxRecorder.h"

class VoICharacter;
class VoIMotion;

namespace lumatest {

// Checks that the process's QApplication exists (main makes it, QtSupport.cpp).
void EnsureApplication();

// A container's widget (a QWidget*), for controls that need a window.
class ContainerPage {
 public:
  ContainerPage(int width, int height);
  ~ContainerPage();
  ContainerPage(const ContainerPage&) = delete;
  ContainerPage& operator=(const ContainerPage&) = delete;
  void* Widget() const { return widget_; }

 private:
  void* widget_;
};

// Milliseconds that move only when the test says.
struct TestClock {
  uint32_t now = 1000;
  PlayerLoop::Clock Function() {
    return [this] { return now; };
  }
};

// Events as text: "ClickIn x y", "MotionPeriod name isend loopcount" (UTF-8 name).
class RecordingSink final : public SavoraPlayerEventSink {
 public:
  explicit RecordingSink(std::string tag = "", std::vector<std::string>* log = nullptr)
      : tag_(std::move(tag)), log_(log ? log : &own) {}
  void ClickIn(int32_t x, int32_t y) override;
  void MotionPeriod(const std::u16string& motion, int32_t isend, int32_t loopcount) override;
  std::vector<std::string> own;

 private:
  std::string tag_;
  std::vector<std::string>* log_;
};

class LoopEvents final : public PlayerLoop::Events {
 public:
  void ClickIn(int x, int y) override;
  void MotionPeriod(const char* motion, int isend, int loopcount) override;
  std::vector<std::string> log;
};

// A control made through its class's creation function, held by the test.
class Player {
 public:
  Player();
  ~Player();
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;
  ISavoraPlayer* operator->() const { return player_; }
  ISavoraPlayer* get() const { return player_; }
  CSavoraPlayer& Control() const { return *static_cast<CSavoraPlayer*>(player_); }
  PlayerLoop& Loop() const { return Control().Loop(); }
  template <class T>
  T* Query(REFIID iid) const {
    void* out = nullptr;
    return SUCCEEDED(player_->QueryInterface(iid, &out)) ? static_cast<T*>(out) : nullptr;
  }
  // Releases the test's reference now (the control goes when it was the last).
  void Reset();

 private:
  ISavoraPlayer* player_ = nullptr;
};

// A motion named `name` of end frame `endframe` under the character.
VoIMotion* MakeMotion(PlayerLoop& loop, const char* name, long endframe);
// The demonstration walk read straight from walk.kvm into a motion under the
// character with the engine's block reader (no motion plug-in needed; its
// curves stay the engine's default).
std::string WalkBlock();
VoIMotion* LoadWalk(PlayerLoop& loop);
std::string DemoFile(const char* name);

// Advances the clock by `ms` and runs one tick.
void TickAfter(PlayerLoop& loop, TestClock& clock, uint32_t ms);

}  // namespace lumatest
