#include "ferrox/ferrox/LogWindow.h"

#include <gtest/gtest.h>

#include <string>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/ferrox/tests/FerroxTestSupport.h"
#include "ferrox/testing/MessageBoxRecorder.h"
#include "ferrox/testing/Scopes.h"

namespace {

using namespace FerroxTest;

TEST(LogWindow, ShowAppendHide) {
  ViewFactoryScope views;
  Frx::LogWindow window;
  EXPECT_FALSE(window.IsExist());
  // Hide with no window changes nothing.
  EXPECT_TRUE(window.Hide());
  EXPECT_FALSE(window.IsExist());
  EXPECT_EQ(window.control, nullptr);
  EXPECT_EQ(views.deleted, 0);

  ASSERT_TRUE(window.Show());
  EXPECT_TRUE(window.IsExist());
  EXPECT_NE(window.library, nullptr);
  ASSERT_EQ(views.titles.size(), 1u);
  EXPECT_EQ(views.titles[0], "Log Window");
  EXPECT_TRUE(window.Show());  // one window at a time
  EXPECT_EQ(views.titles.size(), 1u);

  window.AppendText("line\n");
  EXPECT_EQ(views.texts, "line\n");
  EXPECT_TRUE(window.Release());
  EXPECT_FALSE(window.IsExist());
  EXPECT_EQ(window.library, nullptr);
  EXPECT_EQ(views.deleted, 1);
  window.AppendText("nowhere\n");
  EXPECT_EQ(views.texts, "line\n");
}

TEST(LogWindow, CreateShowsOnlyWithInstance) {
  ViewFactoryScope views;
  {
    Frx::LogWindow window;
    EXPECT_TRUE(window.Create(nullptr));
    EXPECT_FALSE(window.IsExist());
  }
  {
    int dummy = 0;
    Frx::LogWindow window;
    EXPECT_TRUE(window.Create(&dummy));
    EXPECT_EQ(window.instance, &dummy);
    EXPECT_TRUE(window.IsExist());
  }
  EXPECT_EQ(views.deleted, 1);  // the destructor released it
}

TEST(LogWindow, ClosedAndSharedViewsAreNotTouchedAgain) {
  ViewFactoryScope views;
  {
    // The user closed the view: the host deletes it and tells the window.
    Frx::LogWindow window;
    ASSERT_TRUE(window.Show());
    delete window.control;
    window.OnViewClosed();
    EXPECT_FALSE(window.IsExist());
    EXPECT_TRUE(window.Show());  // a new one
    EXPECT_EQ(views.titles.size(), 2u);
  }
  EXPECT_EQ(views.deleted, 2);
  {
    // A host that deleted the view without a word: writes and Hide skip it.
    Frx::LogWindow window;
    ASSERT_TRUE(window.Show());
    delete window.control;
    window.AppendText("to a dead view\n");
    EXPECT_TRUE(window.Show());  // replaces the stale one
    EXPECT_EQ(views.titles.size(), 4u);
  }
  EXPECT_EQ(views.deleted, 4);
  {
    // Assignment copies the handles; the view is still deleted once.
    Frx::LogWindow first;
    ASSERT_TRUE(first.Show());
    Frx::LogWindow second;
    second = first;
    EXPECT_EQ(second.control, first.control);
    EXPECT_TRUE(first.Hide());
    EXPECT_TRUE(second.Hide());
  }
  EXPECT_EQ(views.deleted, 5);
}

TEST(LogWindow, ShowWithoutViewReportsError) {
  const FrxTest::HandlerScope noViews(Frx::SetLogViewFactory);
  FrxTest::MessageBoxRecorder boxes(IDOK);
  Frx::LogWindow window;
  EXPECT_FALSE(window.Show());
  EXPECT_FALSE(window.IsExist());
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].text, "ログウインドゥを生成できません。");
  EXPECT_EQ(boxes.Shown()[0].caption, "エラー");
}

TEST(LogWindow, FerroxForwardsWindowOperations) {
  ViewFactoryScope views;
  Frx::Ferrox ferrox;
  EXPECT_FALSE(ferrox.IsExistLogWindow());
  EXPECT_TRUE(ferrox.HideLogWindow());
  EXPECT_TRUE(ferrox.CreateLogWindow(nullptr, 0));
  EXPECT_FALSE(ferrox.IsExistLogWindow());
  EXPECT_TRUE(ferrox.ShowLogWindow());
  EXPECT_TRUE(ferrox.IsExistLogWindow());
  ferrox.Uninitialize();
  EXPECT_FALSE(ferrox.IsExistLogWindow());
  EXPECT_EQ(views.deleted, 1);
}

}  // namespace
