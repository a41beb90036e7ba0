// Helpers of the process object's tests: a temporary log file and a recording
// log view.
#pragma once

#include <string>
#include <vector>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/ferrox/LogWindow.h"
#include "ferrox/testing/TempFolder.h"

namespace FerroxTest {

// A log file name in a scratch folder of its own; nothing creates the file
// before the code under test does, and it goes with the folder.
class TempFile {
 public:
  const std::string& Path() const { return path_; }
  bool Exists() const { return folder_.Exists("log.txt"); }
  std::string Text() const { return folder_.Get("log.txt"); }

 private:
  FrxTest::TempFolder folder_;
  std::string path_ = folder_.Native("log.txt");
};

// A log view that keeps what it was given; `texts` outlives the view.
class RecordingView : public Frx::LogView {
 public:
  RecordingView(std::string* texts, int* deleted) : texts_(texts), deleted_(deleted) {}
  ~RecordingView() override {
    if (deleted_) ++*deleted_;
  }
  void AppendText(const char* text) override { *texts_ += text; }

 private:
  std::string* texts_;
  int* deleted_;
};

// Installs a factory of recording views for the life of the object.
class ViewFactoryScope {
 public:
  ViewFactoryScope() {
    previous_ = Frx::SetLogViewFactory([this](const char* title) -> Frx::LogView* {
      titles.push_back(title ? title : "");
      return new RecordingView(&texts, &deleted);
    });
  }
  ~ViewFactoryScope() { Frx::SetLogViewFactory(previous_); }
  ViewFactoryScope(const ViewFactoryScope&) = delete;
  ViewFactoryScope& operator=(const ViewFactoryScope&) = delete;

  std::string texts;
  std::vector<std::string> titles;
  int deleted = 0;

 private:
  Frx::LogViewFactory previous_;
};

// A process object logging to `file`, log enabled.
inline void StartLog(Frx::Ferrox& ferrox, const TempFile& file, bool debug = false) {
  ferrox.Initialize(nullptr, debug, nullptr);
  ferrox.logPath = file.Path().c_str();
  ferrox.CreateLog();
}

inline bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// What CreateLog writes first, as it lands in the file.
inline std::string Banner() { return "━━━━━━━━━━━━━  Log ━━━━━━━━━━━━━\r\n"; }

}  // namespace FerroxTest
