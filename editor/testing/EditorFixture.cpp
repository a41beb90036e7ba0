#include "editor/testing/EditorFixture.h"

#include "editor/app/Shutdown.h"

namespace edtest {

void EditorFixture::SetUp() {
  ASSERT_EQ(master.Initialize(Renderer()), 1);
  host().SetMaster(&master);
  doc = std::make_unique<CTireloDoc>(&master, &host());
}

void EditorFixture::TearDown() {
  CloseEditor(*doc, master);
  doc.reset();
  host().SetMaster(nullptr);
}

void EditorFixture::BuildScene() {
  // general.mqo is not in the test's program folder: the scene's import of it
  // fails with one box, which is the fixture's and not the test's.
  ASSERT_EQ(boxes.Count(), 0) << "the scene is built before anything shows a box";
  doc->BuildStartupScene();
  ASSERT_EQ(boxes.Count(), 1);
  EXPECT_TRUE(boxes.Saw("general.mqo")) << boxes.Texts()[0];
  boxes.Clear();
}

}  // namespace edtest
