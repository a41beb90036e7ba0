#include "plugins/testing/FakeHost.h"

#include <gtest/gtest.h>

#include <cstdarg>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/ferrox/MessageBox.h"
#include "ferrox/ferrox/ShowMessage.h"
#include "ferrox/string/FormatText.h"
#include "vocore/item/VoIBranch.h"
#include "vocore/scene/VoICharacter.h"

Frx::Ferrox* FakeHost::GetFerrox() { return &Frx::theFerrox; }

int FakeHost::ShowMessage(int type, const char* format, ...) {
  char text[Frx::ShowMessageLimit];
  va_list args;
  va_start(args, format);
  Frx::FormatTextV(text, sizeof text, format, args);
  va_end(args);
  messages.emplace_back(text);
  messageTypes.push_back(type);
  if (answers.empty()) return Frx::DefaultMessageBoxAnswer(unsigned(type));
  const int answer = answers.front();
  answers.pop_front();
  if (Frx::MessageBoxOffers(unsigned(type), answer)) return answer;
  ADD_FAILURE() << "the answer " << answer << " is not a button of the host's box of type " << type;
  return Frx::DefaultMessageBoxAnswer(unsigned(type));
}

int FakeHost::Play() {
  ++plays;
  return playResult;
}

int FakeHost::Pause() {
  ++pauses;
  return 1;
}

void FakeHost::RenderFrame(float frame) {
  renderedFrames.push_back(frame);
  if (onRender) onRender(*this, frame);
}

void FakeHost::CreateBranchControls(VoIBranch* branch, VoIMotion* motion) {
  controlCalls.push_back({32, branch, motion});
}

void FakeHost::CreateItemControls(VoICharacter* character, VoIMotion* motion) {
  controlCalls.push_back({33, character, motion});
}
