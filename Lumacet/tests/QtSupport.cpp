// The Qt side of the tests' support (compiled for UTF-8 text, as Qt needs),
// and the test program's main: the application object lives in main, so it
// goes before the exit handlers destroy Qt's global objects.
#include <QApplication>
#include <QWidget>

#include <stdlib.h>

#include <clocale>

#include "PlayerTesting.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Headless always, also when the test runner lists the tests.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  // Numbers are read and written in the C locale whatever Qt chose.
  std::setlocale(LC_NUMERIC, "C");
  return RUN_ALL_TESTS();
}

namespace lumatest {

void EnsureApplication() { ASSERT_NE(QCoreApplication::instance(), nullptr) << "made in main"; }

ContainerPage::ContainerPage(int width, int height) {
  EnsureApplication();
  auto* widget = new QWidget();
  widget->resize(width, height);
  widget_ = widget;
}

ContainerPage::~ContainerPage() { delete static_cast<QWidget*>(widget_); }

}  // namespace lumatest
