// Qt takes the process locale from the environment; files must still be
// written with "." decimals. A German locale is compiled into a scratch
// folder (localedef) so the test does not depend on installed locales.
#include <gtest/gtest.h>

#include <QApplication>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "ferrox/file/File.h"
#include "ferrox/file/TextFile.h"
#include "ferrox/text/Pscanf.h"
#include "ferrox/testing/TempFolder.h"
#include "hostqt/LocaleGuard.h"

namespace {

std::string* localeFolder = nullptr;

TEST(LocaleGuard, FilesKeepPointDecimalsUnderAGermanLocale) {
  if (!localeFolder) GTEST_SKIP() << "localedef could not build de_DE.UTF-8";
  // Qt has set the German numeric locale; the guard put "C" back.
  char printed[32];
  std::snprintf(printed, sizeof printed, "%f", 0.5);
  EXPECT_STREQ(printed, "0.500000");
  FrxTest::TempFolder folder;
  const std::string path = folder.System("savora.ini");
  Frx::File::TextWriter out;
  ASSERT_EQ(out.Open(path.c_str()), 1);
  out.Printf("\tCelledgeSize = %f\n", 0.25);
  ASSERT_EQ(out.Close(), 1);
  EXPECT_EQ(folder.Get("savora.ini"), "\tCelledgeSize = 0.250000\r\n");
  unsigned long size = 0;
  char* text = Frx::File::ReadText(path.c_str(), &size);
  ASSERT_NE(text, nullptr);
  float value = 0.0f;
  const char* p = text;
  EXPECT_NE(Frx::Pscanf(p, " CelledgeSize = %f ", &value), nullptr);
  EXPECT_FLOAT_EQ(value, 0.25f);
  Frx::File::Free(text);
}

}  // namespace

int main(int argc, char** argv) {
  FrxTest::TempFolder folder;
  const std::string command =
      "localedef -i de_DE -f UTF-8 " + folder.Native("de_DE.UTF-8") + " >/dev/null 2>&1";
  if (std::system(command.c_str()) == 0) {
    setenv("LOCPATH", folder.Native().c_str(), 1);
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    localeFolder = new std::string(folder.Native());
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // Without the guard, Qt's locale would write "0,500000".
  if (localeFolder && std::string(std::setlocale(LC_NUMERIC, nullptr)).find("de_DE") == std::string::npos) {
    delete localeFolder;
    localeFolder = nullptr;
  }
  HostQt::RestoreNumericLocale();
  ::testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  delete localeFolder;
  return result;
}
