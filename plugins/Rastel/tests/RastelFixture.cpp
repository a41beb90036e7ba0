#include "RastelFixture.h"

#include <cstring>

namespace rasteltest {

bool TestAsker::AskBmp(SerialBmpAnswers& answers) {
  ++asked;
  shownBmp = answers;
  if (editBmp) editBmp(answers);
  return ok;
}

bool TestAsker::AskMqo(SerialMqoAnswers& answers) {
  ++asked;
  shownMqo = answers;
  if (editMqo) editMqo(answers);
  return ok;
}

uint32_t FrameColour(long frame) { return (uint32_t(frame) & 255u) << 16 | 0x4080u; }

void RastelFixture::SetUp() {
  MasterFixture::SetUp();
  ASSERT_EQ(draw.Initialize(&window, 0), 1);
  ASSERT_EQ(draw.CreateScreen(0), 1) << "no headless device";
  host.master = &master;
  host.draw = &draw;
  host.surface = &draw;
  host.onRender = [](FakeHost& fake, float frame) {
    Frx::Draw::PDraw* surface = static_cast<ShotHost&>(fake).surface;
    surface->SetClearColor(FrameColour(long(frame)));
    surface->FlushScreen();
  };
  character = Make<VoICharacter>(nullptr, "hero");
  host.current = character;
}

void RastelFixture::TearDown() {
  draw.Uninitialize();
  MasterFixture::TearDown();
}

VoIMotion* RastelFixture::AddMotion(const char* name, long endframe, int loop) {
  VoIMotion* motion = Make<VoIMotion>(character, name);
  motion->SetEndFrame(endframe);
  motion->loop = loop;
  return motion;
}

namespace {

uint32_t GetLe(const std::string& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | uint8_t(b[at + size_t(i)]);
  return v;
}

}  // namespace

BmpFacts ReadBmpFacts(const std::string& bytes) {
  BmpFacts facts;
  if (bytes.size() < 57 || bytes.compare(0, 2, "BM") != 0) return facts;
  if (GetLe(bytes, 28, 2) != 24 || GetLe(bytes, 30, 4) != 0) return facts;
  facts.width = int(GetLe(bytes, 18, 4));
  facts.height = int(GetLe(bytes, 22, 4));
  const size_t at = GetLe(bytes, 10, 4);
  if (at + 3 > bytes.size()) return facts;
  facts.colour = uint32_t(uint8_t(bytes[at + 2])) << 16 | uint32_t(uint8_t(bytes[at + 1])) << 8 | uint8_t(bytes[at]);
  return facts;
}

std::string BmpHeader(int width, int height) {
  const uint32_t stride = uint32_t((24 * width + 31) / 32 * 4), image = stride * uint32_t(height);
  std::string h(54, '\0');
  auto put = [&h](size_t at, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) h[at + size_t(i)] = char(v >> (8 * i) & 255);
  };
  h[0] = 'B', h[1] = 'M';
  put(2, 54 + image, 4);  // file size
  put(10, 54, 4);         // pixel offset
  put(14, 40, 4);         // info header size
  put(18, uint32_t(width), 4);
  put(22, uint32_t(height), 4);
  put(26, 1, 2);   // planes
  put(28, 24, 2);  // bits
  put(34, image, 4);
  return h;
}

}  // namespace rasteltest
