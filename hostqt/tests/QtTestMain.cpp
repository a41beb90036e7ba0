// main of the Qt test programs: one offscreen application for the process.
#include <gtest/gtest.h>

#include <QApplication>

#include "hostqt/LocaleGuard.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  HostQt::RestoreNumericLocale();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
