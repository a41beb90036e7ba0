// The export's one question, the frame rate to sample a motion at, as an
// interface: the module installs its dialog, a test its own answer. With
// nothing installed the question takes the dialog's initial value, as a
// headless host needs.
#pragma once

namespace Bvh {

// What the dialog offers: frames a second from 0 to 60, 30 at first.
constexpr float kDefaultFrameRate = 30.0f;
constexpr float kMaxFrameRate = 60.0f;

class FrameRateQuestion {
 public:
  virtual ~FrameRateQuestion() = default;
  // fps holds the initial value on entry and the answer on return. false
  // when the user cancels.
  virtual bool Ask(float& fps) = 0;
};

// Installs the question the exporter asks (null: none); returns the one it
// replaces. The question must outlive its installation.
FrameRateQuestion* SetFrameRateQuestion(FrameRateQuestion* question);

// Asks the installed question; without one fps stays and the answer is OK.
bool AskFrameRate(float& fps);

}  // namespace Bvh
