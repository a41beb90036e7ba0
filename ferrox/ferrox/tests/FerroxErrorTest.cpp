#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/ferrox/tests/FerroxTestSupport.h"
#include "ferrox/link/PrefTarget.h"
#include "ferrox/testing/MessageBoxRecorder.h"

namespace {

using namespace FerroxTest;

HWND FakeWindow(int n) { return reinterpret_cast<HWND>(static_cast<uintptr_t>(0x1000 + n)); }

TEST(FerroxError, AnsweredOkReturnsAfterLogging) {
  TempFile file;
  FrxTest::MessageBoxRecorder boxes(IDOK);
  Frx::Ferrox ferrox;
  StartLog(ferrox, file);
  ferrox.SetWindow(FakeWindow(1));

  ferrox.Error("読めません: %s (%d%%)", "a%sb.mqo", 50);
  ferrox.Error(FakeWindow(2), "%s", "owned");
  EXPECT_EQ(file.Text(), Banner() + "error:\r\n読めません: a%sb.mqo (50%)\r\n" + "error:\r\nowned\r\n");
  ASSERT_EQ(boxes.Shown().size(), 2u);
  EXPECT_EQ(boxes.Shown()[0].text, "読めません: a%sb.mqo (50%)");
  EXPECT_EQ(boxes.Shown()[0].caption, "エラー");
  EXPECT_EQ(boxes.Shown()[0].style, MB_OKCANCEL | MB_ICONINFORMATION);
  EXPECT_EQ(boxes.Shown()[0].owner, FakeWindow(1));  // the main window
  EXPECT_EQ(boxes.Shown()[1].owner, FakeWindow(2));
  EXPECT_EQ(ferrox.GetWindow(), FakeWindow(1));
}

TEST(FerroxError, BoxShownEvenWithLogDisabled) {
  FrxTest::MessageBoxRecorder boxes(IDOK);
  Frx::Ferrox ferrox;
  ferrox.Error("%s", "no log");
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].text, "no log");
  EXPECT_EQ(boxes.Shown()[0].owner, nullptr);
}

TEST(FerroxErrorDeathTest, CancelEndsProcessAfterStepLine) {
  TempFile file;
  Frx::Ferrox ferrox;
  StartLog(ferrox, file);
  EXPECT_EXIT(
      {
        FrxTest::MessageBoxRecorder boxes(IDCANCEL);
        ferrox.Error("%s", "100% broken");
        std::fprintf(stderr, "returned\n");
        std::exit(0);
      },
      testing::ExitedWithCode(255), "");
  const std::string text = file.Text();
  const std::string head = Banner() + "error:\r\n100% broken\r\n";
  ASSERT_EQ(text.compare(0, head.size(), head), 0) << text;
  // "Ferrox.cpp(<line>) :step" ends the log.
  const std::string step = text.substr(head.size());
  const std::string prefix = "Ferrox.cpp(";
  const std::string suffix = ") :step\r\n";
  ASSERT_GT(step.size(), prefix.size() + suffix.size()) << text;
  EXPECT_EQ(step.compare(0, prefix.size(), prefix), 0) << text;
  EXPECT_TRUE(EndsWith(step, suffix)) << text;
  const std::string line = step.substr(prefix.size(), step.size() - prefix.size() - suffix.size());
  EXPECT_EQ(line.find_first_not_of("0123456789"), std::string::npos) << text;
}

TEST(FerroxErrorDeathTest, ShutdownEndsProcess) {
  TempFile file;
  Frx::Ferrox ferrox;
  StartLog(ferrox, file);
  ferrox.SetWindow(FakeWindow(3));
  EXPECT_EXIT(
      {
        // The box must be shown before the end; OK is its only answer.
        Frx::SetMessageBoxHandler([](HWND owner, const char* text, const char*, unsigned style) {
          std::fprintf(stderr, "box %u owner %p text %s\n", style, static_cast<void*>(owner), text);
          return IDOK;
        });
        ferrox.Shutdown("fatal %d%%", 7);
      },
      testing::ExitedWithCode(255), "box 16 owner 0x1003 text fatal 7%");
  EXPECT_EQ(file.Text(), Banner() + "shutdown:\r\nfatal 7%\r\n");
}

// The one process object reports targets alive when the library unloads; the
// report is seen from a child process that ends normally. The survivors live in
// static storage that is never destroyed, so they are alive at unload.

class Survivor : public Frx::PrefTarget {
 public:
  void DeleteThis() override { delete this; }
};

TEST(FerroxErrorDeathTest, UnloadReportsLiveTargets) {
  TempFile file;
  EXPECT_EXIT(
      {
        Frx::theFerrox.Initialize(nullptr, true, nullptr);
        Frx::theFerrox.logPath = file.Path().c_str();
        Frx::theFerrox.CreateLog();
        alignas(Survivor) static unsigned char storage[2][sizeof(Survivor)];
        new (storage[0]) Survivor;
        new (storage[1]) Survivor;
        delete new Survivor;
        std::exit(0);
      },
      testing::ExitedWithCode(0), "");
  EXPECT_TRUE(EndsWith(file.Text(), "\r\nFerrox: リークした PrefTarget が存在します cnt = 2\r\n"))
      << file.Text();
}

}  // namespace
