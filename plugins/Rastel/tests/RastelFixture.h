// The headless master with message boxes recorded, a fake host whose
// RenderFrame clears a real device's back buffer to a colour naming the
// frame, a character with motions, and dialog answers given by the test.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ferrox/draw/PDraw.h"
#include "ferrox/draw/Window.h"
#include "ferrox/testing/MessageBoxRecorder.h"
#include "ferrox/testing/TempFolder.h"
#include "plugins/Rastel/SerialAsker.h"
#include "plugins/testing/FakeHost.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/testing/MasterFixture.h"

namespace rasteltest {

// Answers with the initial values changed by the test's edit, or Cancel.
class TestAsker : public SerialAsker {
 public:
  bool AskBmp(SerialBmpAnswers& answers) override;
  bool AskMqo(SerialMqoAnswers& answers) override;

  std::function<void(SerialBmpAnswers&)> editBmp;
  std::function<void(SerialMqoAnswers&)> editMqo;
  bool ok = true;
  int asked = 0;
  SerialBmpAnswers shownBmp;  // the initial values the command gave
  SerialMqoAnswers shownMqo;
};

// The colour the fake host clears to at a frame: red = frame (0 to 255).
uint32_t FrameColour(long frame);

class ShotHost : public FakeHost {
 public:
  Frx::Draw::PDraw* surface = nullptr;
};

class RastelFixture : public votest::MasterFixture {
 protected:
  static constexpr int Width = 96, Height = 64;

  void SetUp() override;
  void TearDown() override;
  // A motion under the character.
  VoIMotion* AddMotion(const char* name, long endframe, int loop);

  ShotHost host;
  Frx::Draw::HeadlessWindow window{Width, Height};
  Frx::Draw::PDraw draw;
  VoICharacter* character = nullptr;
  TestAsker asker;
  FrxTest::TempFolder folder;
  FrxTest::MessageBoxRecorder boxes{IDOK};
};

// Width, height and the colour of the first pixel of a 24-bit BMP file; 0s
// when it is none.
struct BmpFacts {
  int width = 0;
  int height = 0;
  uint32_t colour = 0;
};
BmpFacts ReadBmpFacts(const std::string& bytes);

// The 54 header bytes a 24-bit bottom-up BMP of that size must start with.
std::string BmpHeader(int width, int height);

}  // namespace rasteltest
