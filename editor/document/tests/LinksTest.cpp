#include <gtest/gtest.h>

#include "editor/document/CTireloDoc.h"
#include "editor/document/DocumentView.h"
#include "editor/document/VoMasterSavora.h"
#include "editor/view/CTireloView.h"
#include "ferrox/draw/Window.h"

namespace {

// The layers below the document read it, and the view, only while they live:
// a document or view that goes leaves the defaults, never a dangling one.
TEST(DocumentLinks, TheDocumentAndTheViewServeTheLayersBelowWhileTheyLive) {
  VoMasterSavora master;
  ASSERT_EQ(master.Initialize(nullptr), 1);
  {
    CTireloDoc doc(&master, nullptr);
    EXPECT_EQ(Companion::Context(), &doc);
    EXPECT_EQ(CurrentTimeLine(), &doc);
    doc.HandleRadius = 9.0f;
    doc.editSpace = 2;
    EXPECT_EQ(Companion::HandleRadius(), 9.0f);
    EXPECT_EQ(Companion::EditSpace(), 2);
    VoRefer<VoIBranch> item = new VoIBranch(nullptr);
    Companion::Keying().Queue(item);
    ASSERT_EQ(doc.deferred.size(), 1u);
    EXPECT_EQ(doc.deferred.front().Get(), item.Get());
    master.ReleaseItem(item);
    {
      Frx::Draw::HeadlessWindow window(64, 64);
      CTireloView view(&window);
      EXPECT_EQ(CurrentView(), &view);
      EXPECT_EQ(doc.GetDraw(), &view.draw);
    }
    EXPECT_EQ(CurrentView(), nullptr);
    EXPECT_EQ(doc.GetDraw(), nullptr);
  }
  EXPECT_EQ(Companion::Context(), nullptr);
  EXPECT_EQ(CurrentTimeLine(), nullptr);
  EXPECT_EQ(Companion::HandleRadius(), 6.0f);
  EXPECT_EQ(Companion::EditSpace(), 0);
}

}  // namespace
