// Installs a message-box handler for its lifetime and puts the previous one
// back when it goes. Every box is recorded (owner, text, caption and style,
// text as the system's Shift-JIS) and answered from the queue, then with the
// box's default button, or with a fixed answer when one was given.
//
// An answer must be a button the box shows (its MB_* type): a queued or fixed
// answer a box does not offer fails the test and the box gets its default
// button instead, so no branch runs on an answer no user could give. An
// answer still queued when the recorder goes fails the test too.
//
//   FrxTest::MessageBoxRecorder boxes;
//   boxes.Answer(IDNO);
//   doc->OnDelete();
//   EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"..."});
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ferrox/ferrox/MessageBox.h"

namespace FrxTest {

struct ShownBox {
  HWND owner;
  std::string text;
  std::string caption;
  unsigned style;
};

class MessageBoxRecorder {
 public:
  MessageBoxRecorder();
  // Boxes the queue does not answer get `answer`; each must offer it.
  explicit MessageBoxRecorder(int answer);
  ~MessageBoxRecorder();
  MessageBoxRecorder(const MessageBoxRecorder&) = delete;
  MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

  // Queues the answer of a coming box.
  void Answer(int button) { answers_.push_back(button); }
  const std::vector<ShownBox>& Shown() const { return shown_; }
  std::vector<std::string> Texts() const;
  int Count() const { return static_cast<int>(shown_.size()); }
  // Whether a box's text held `part`.
  bool Saw(std::string_view part) const;
  // Forgets the boxes shown so far (not the queued answers).
  void Clear() { shown_.clear(); }

 private:
  int Show(HWND owner, const char* text, const char* caption, unsigned style);

  std::optional<int> fixed_;
  std::deque<int> answers_;
  std::vector<ShownBox> shown_;
  Frx::MessageBoxHandler previous_;
};

}  // namespace FrxTest
