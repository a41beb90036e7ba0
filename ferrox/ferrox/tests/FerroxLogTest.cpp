#include <gtest/gtest.h>

#include <unistd.h>

#include <string>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/ferrox/tests/FerroxTestSupport.h"
#include "platform/module/Module.h"

namespace {

using namespace FerroxTest;

TEST(FerroxLog, DisabledUntilCreateLogAndAfterDeleteLog) {
  TempFile file;
  ViewFactoryScope views;
  Frx::Ferrox ferrox;
  ferrox.Initialize(nullptr, false, nullptr);
  ferrox.logPath = file.Path().c_str();
  ASSERT_TRUE(ferrox.ShowLogWindow());

  ferrox.Log("lost %d\n", 1);
  ferrox.LogOut("lost too\n");
  EXPECT_FALSE(file.Exists());
  EXPECT_EQ(views.texts, "");  // nor does the window see it

  ferrox.CreateLog();
  ferrox.Log("kept %d\n", 2);
  EXPECT_EQ(file.Text(), Banner() + "kept 2\r\n");
  EXPECT_EQ(views.texts, "━━━━━━━━━━━━━  Log ━━━━━━━━━━━━━\nkept 2\n");

  // CreateLog again appends; only DeleteLog starts afresh.
  ferrox.CreateLog();
  EXPECT_EQ(file.Text(), Banner() + "kept 2\r\n" + Banner());
  ferrox.DeleteLog();
  EXPECT_FALSE(file.Exists());
  ferrox.Log("after delete\n");
  EXPECT_FALSE(file.Exists());
}

TEST(FerroxLog, TextModeLineEndsAndUnchangedText) {
  TempFile file;
  ViewFactoryScope views;
  Frx::Ferrox ferrox;
  StartLog(ferrox, file);
  ferrox.ShowLogWindow();
  ferrox.Log("a\nb\n\nc");
  ferrox.Log("%s", "100% %d %s sure\n");
  ferrox.LogOut("%d as is\n");
  ferrox.Log("エラー %s\n", "表示");  // 0x5C trail byte in 表 stays
  EXPECT_EQ(file.Text(), Banner() + "a\r\nb\r\n\r\nc" + "100% %d %s sure\r\n" + "%d as is\r\n" +
                             "エラー 表示\r\n");
  // The window gets Log's text only, with plain line feeds.
  EXPECT_EQ(views.texts, "a\nb\n\nc100% %d %s sure\nエラー 表示\n");
}

TEST(FerroxLog, LongMessagesAreCutWithWarning) {
  const std::string warning = "\r\nWarrning:一度に出力可能な文字数を越えました\r\n";
  {
    TempFile file;
    ViewFactoryScope views;
    Frx::Ferrox ferrox;
    StartLog(ferrox, file);
    ferrox.ShowLogWindow();
    views.texts.clear();
    const std::string longText(Frx::Ferrox::MessageLimit + 60, 'x');
    ferrox.Log("%s", longText.c_str());
    const std::string cut(Frx::Ferrox::MessageLimit, 'x');
    EXPECT_EQ(file.Text(), Banner() + cut + warning);
    EXPECT_EQ(views.texts, cut);
  }
  {
    // Exactly at the limit: whole, no warning.
    TempFile file;
    Frx::Ferrox ferrox;
    StartLog(ferrox, file);
    const std::string full(Frx::Ferrox::MessageLimit, 'y');
    ferrox.Log("%s", full.c_str());
    EXPECT_EQ(file.Text(), Banner() + full);
  }
  {
    // A cut through a double-byte character drops its orphaned first byte.
    TempFile file;
    Frx::Ferrox ferrox;
    StartLog(ferrox, file);
    const std::string head(Frx::Ferrox::MessageLimit - 1, 'z');
    ferrox.Log("%sあいう", head.c_str());
    EXPECT_EQ(file.Text(), Banner() + head + warning);
  }
}

TEST(FerroxLog, DebugBannerAndUnwritableFile) {
  {
    TempFile file;
    Frx::Ferrox ferrox;
    StartLog(ferrox, file, true);
    const std::string expected = Banner() + "System Path " + ferrox.systemPath.Get() + "\r\n" +
                                 "Current Path " + ferrox.currentPath.Get() + "\r\n";
    EXPECT_EQ(file.Text(), expected);
  }
  {
    ViewFactoryScope views;
    Frx::Ferrox ferrox;
    ferrox.Initialize(nullptr, false, nullptr);
    ferrox.logPath = "/nonexistent-folder/for/log.txt";
    ferrox.CreateLog();
    ferrox.ShowLogWindow();
    ferrox.Log("still shown\n");  // the file is skipped silently
    EXPECT_EQ(views.texts, "still shown\n");
  }
}

TEST(FerroxLog, InitializePaths) {
  char cwd[4096];
  ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
  char exe[4096];
  ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
  ASSERT_GT(n, 0);
  const std::string exePath(exe, static_cast<size_t>(n));
  const std::string exeFolder = exePath.substr(0, exePath.rfind('/') + 1);
  {
    Frx::Ferrox ferrox;
    ferrox.Initialize(nullptr, false, nullptr);
    EXPECT_EQ(std::string(ferrox.systemPath.Get()), exeFolder);
    EXPECT_EQ(std::string(ferrox.logPath.Get()), exeFolder + "log.txt");
    EXPECT_EQ(std::string(ferrox.currentPath.Get()), std::string(cwd) + "/");
    EXPECT_EQ(std::string(ferrox.GetExeName().Get()), exePath);
    EXPECT_FALSE(ferrox.debug);
    EXPECT_EQ(ferrox.logEnabled, 0);  // opens and writes nothing
  }
  {
    // A module's instance: its own folder, the program folder.
    HMODULE module = LoadLibraryA("libferrox.so");
    ASSERT_NE(module, nullptr) << Platform::LastModuleError();
    Frx::Ferrox ferrox;
    ferrox.Initialize(module, true, "other.txt");
    EXPECT_EQ(std::string(ferrox.systemPath.Get()), Platform::ProgramFolder());
    EXPECT_EQ(std::string(ferrox.logPath.Get()), Platform::ProgramFolder() + "other.txt");
    EXPECT_EQ(std::string(ferrox.GetExeName().Get()), Platform::ProgramFolder() + "libferrox.so");
    EXPECT_TRUE(ferrox.debug);
    EXPECT_EQ(ferrox.instance, module);
    ferrox.debug = false;  // no unload lines from this object
    FreeLibrary(module);
  }
}

TEST(FerroxLog, UnloadMessagesInDebugMode) {
  {
    TempFile file;
    {
      Frx::Ferrox ferrox;
      StartLog(ferrox, file, true);
    }
    EXPECT_TRUE(EndsWith(file.Text(), "\r\nFerrox: 正常終了\r\n")) << file.Text();
  }
  {
    TempFile file;
    {
      Frx::Ferrox ferrox;
      StartLog(ferrox, file, false);
      ferrox.targetCount = 5;  // counted only in debug mode: nothing reported
    }
    EXPECT_EQ(file.Text(), Banner());
  }
}

}  // namespace
