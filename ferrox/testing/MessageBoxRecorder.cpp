#include "ferrox/testing/MessageBoxRecorder.h"

#include <gtest/gtest.h>

#include <iterator>

#include "ferrox/string/NativeName.h"

namespace FrxTest {

namespace {

std::string ButtonName(int button) {
  static const char* const names[] = {"", "IDOK", "IDCANCEL", "IDABORT", "IDRETRY", "IDIGNORE", "IDYES", "IDNO"};
  const bool known = button > 0 && button < int(std::size(names));
  return (known ? names[button] : "button") + std::string(" (") + std::to_string(button) + ")";
}

const char* TypeName(unsigned style) {
  static const char* const types[] = {"MB_OK",          "MB_OKCANCEL", "MB_ABORTRETRYIGNORE",
                                      "MB_YESNOCANCEL", "MB_YESNO",    "MB_RETRYCANCEL"};
  const unsigned type = style & MB_TYPEMASK;
  return type < std::size(types) ? types[type] : "unknown type, shown as MB_OK";
}

}  // namespace

MessageBoxRecorder::MessageBoxRecorder()
    : previous_(Frx::SetMessageBoxHandler([this](HWND owner, const char* text, const char* caption,
                                                 unsigned style) { return Show(owner, text, caption, style); })) {}

MessageBoxRecorder::MessageBoxRecorder(int answer) : MessageBoxRecorder() { fixed_ = answer; }

MessageBoxRecorder::~MessageBoxRecorder() {
  Frx::SetMessageBoxHandler(std::move(previous_));
  // An answer left over stands for a question the test expected and never saw.
  if (!answers_.empty())
    ADD_FAILURE() << answers_.size() << " queued answer(s) left: the boxes they were for were not shown";
}

int MessageBoxRecorder::Show(HWND owner, const char* text, const char* caption, unsigned style) {
  const ShownBox& box = shown_.emplace_back(ShownBox{owner, text ? text : "", caption ? caption : "", style});
  std::optional<int> answer = fixed_;
  const char* source = "fixed";
  if (!answers_.empty()) {
    answer = answers_.front();
    answers_.pop_front();
    source = "queued";
  }
  if (!answer) return Frx::DefaultMessageBoxAnswer(style);
  if (Frx::MessageBoxOffers(style, *answer)) return *answer;
  ADD_FAILURE() << "the " << source << " answer " << ButtonName(*answer) << " is not a button of the box \""
                << Frx::NativeName::Cp932ToUtf8(box.text.c_str()) << "\" (caption \""
                << Frx::NativeName::Cp932ToUtf8(box.caption.c_str()) << "\", style 0x" << std::hex << style
                << std::dec << ", " << TypeName(style) << ")";
  return Frx::DefaultMessageBoxAnswer(style);
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
