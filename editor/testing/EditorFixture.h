// Test support of the editor: a headless master, the program's document on
// it and the host wired to both, with every message box recorded and
// answered from a script. Nothing here needs Qt or a device.
//
//   class MyTest : public edtest::EditorFixture {};
//   TEST_F(MyTest, Deletes) {
//     boxes.Answer(IDYES);
//     host().ClickSelect(item, 0);
//     doc->OnDelete();
//     EXPECT_TRUE(boxes.Saw("削除しますか"));
//   }
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "editor/document/CTireloDoc.h"
#include "editor/document/VoMasterSavora.h"
#include "editor/host/SavoraHost.h"

namespace edtest {

// Installs a message-box handler for its lifetime: every box's text (as the
// system's Shift-JIS) is kept; answers come from the queue, then the box's
// default button.
class MessageBoxRecorder {
 public:
  MessageBoxRecorder();
  ~MessageBoxRecorder();
  MessageBoxRecorder(const MessageBoxRecorder&) = delete;
  MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

  void Answer(int button) { answers.push_back(button); }
  // Whether a box's text held `part`.
  bool Saw(const std::string& part) const;
  int Count() const { return static_cast<int>(texts.size()); }

  std::vector<std::string> texts;
  std::vector<unsigned> styles;
  std::deque<int> answers;
};

class EditorFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The renderer the master starts with; none by default (headless items).
  virtual VoRenderer* Renderer() { return nullptr; }
  SavoraHost& host() { return TheHost(); }
  // The start-up scene without the program folder's "general.mqo".
  void BuildScene();
  // A named item made through the master under `parent`.
  template <class T>
  T* Make(VoIBranch* parent, const char* name) {
    T* item = master.NewItem<T>(parent);
    item->SetName(name);
    return item;
  }

  MessageBoxRecorder boxes;
  VoMasterSavora master;
  std::unique_ptr<CTireloDoc> doc;
};

}  // namespace edtest
