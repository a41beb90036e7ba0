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

#include <memory>

#include "editor/document/CTireloDoc.h"
#include "editor/document/VoMasterSavora.h"
#include "editor/host/SavoraHost.h"
#include "ferrox/testing/MessageBoxRecorder.h"

namespace edtest {

// Every box recorded and answered from the queue, then with its default button.
using MessageBoxRecorder = FrxTest::MessageBoxRecorder;

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
