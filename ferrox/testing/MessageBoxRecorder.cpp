#include "ferrox/testing/MessageBoxRecorder.h"

namespace FrxTest {

MessageBoxRecorder::MessageBoxRecorder()
    : previous_(Frx::SetMessageBoxHandler([this](HWND owner, const char* text, const char* caption,
                                                 unsigned style) { return Show(owner, text, caption, style); })) {}

MessageBoxRecorder::MessageBoxRecorder(int answer) : MessageBoxRecorder() { fixed_ = answer; }

MessageBoxRecorder::~MessageBoxRecorder() { Frx::SetMessageBoxHandler(std::move(previous_)); }

int MessageBoxRecorder::Show(HWND owner, const char* text, const char* caption, unsigned style) {
  shown_.push_back({owner, text ? text : "", caption ? caption : "", style});
  if (!answers_.empty()) {
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  return fixed_ ? *fixed_ : Frx::DefaultMessageBoxAnswer(style);
}

std::vector<std::string> MessageBoxRecorder::Texts() const {
  std::vector<std::string> texts;
  for (const ShownBox& box : shown_) texts.push_back(box.text);
  return texts;
}

bool MessageBoxRecorder::Saw(std::string_view part) const {
  for (const ShownBox& box : shown_)
    if (box.text.find(part) != std::string::npos) return true;
  return false;
}

}  // namespace FrxTest
