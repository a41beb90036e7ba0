// The export dialog: its range check, and the question that shows it only
// where a QApplication runs (tests run Qt offscreen). This source is compiled
// for UTF-8: the system's Shift-JIS texts are converted to compare.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <string>
#include <vector>

#include "ferrox/testing/MessageBoxRecorder.h"
#include "ferrox/string/NativeName.h"
#include "plugins/Sorvel/ui/BvhExportDialog.h"
#include "plugins/Sorvel/ui/DialogQuestion.h"

namespace {

// Runs first: no QApplication exists yet.
TEST(BvhExportDialogQuestion, WithoutAnApplicationTakesTheInitialValue) {
  ASSERT_EQ(QCoreApplication::instance(), nullptr);
  float fps = 30.0f;
  EXPECT_TRUE(SorvelUi::DialogQuestion().Ask(fps));
  EXPECT_EQ(fps, 30.0f);
}

class BvhExportDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The minimal platform has no font database: fontconfig, which the
    // offscreen one loads, leaves allocations behind at exit.
    static int argc = 3;
    static char name[] = "sorvel_ui_tests", option[] = "-platform", platform[] = "minimal";
    static char* argv[] = {name, option, platform, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
  }

  FrxTest::MessageBoxRecorder boxes{IDOK};
};

TEST_F(BvhExportDialogTest, OkChecksTheRange) {
  BvhExportDialog dialog(30.0f);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("BVH エクスポート"));
  EXPECT_EQ(dialog.Field()->text(), QStringLiteral("30"));
  const struct {
    const char* text;
    bool accepted;
    float value;
  } rows[] = {{"75", false, 0}, {"-1", false, 0}, {"abc", false, 0}, {"", false, 0},
              {"60", true, 60}, {"0", true, 0},   {" 12.5 ", true, 12.5f}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    boxes.Clear();
    dialog.setResult(QDialog::Rejected);
    dialog.Field()->setText(QString::fromLatin1(row.text));
    dialog.OkButton()->click();
    EXPECT_EQ(dialog.result() == QDialog::Accepted, row.accepted);
    const std::string message = Frx::NativeName::Utf8ToCp932("0 から 60 までの数値を入力してください。").Std();
    EXPECT_EQ(boxes.Texts(), row.accepted ? std::vector<std::string>{} : std::vector<std::string>{message});
    float fps = -1.0f;
    EXPECT_EQ(dialog.Value(fps), row.accepted);
    EXPECT_EQ(fps, row.accepted ? row.value : -1.0f);
  }
}

// The question shows the dialog modally; the user's answer comes back.
TEST_F(BvhExportDialogTest, QuestionShowsTheDialog) {
  for (const bool ok : {true, false}) {
    SCOPED_TRACE(ok);
    QTimer::singleShot(0, [ok] {
      auto* dialog = dynamic_cast<BvhExportDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->Field()->text(), QStringLiteral("30"));
      dialog->Field()->setText(QStringLiteral("45"));
      (ok ? dialog->OkButton() : dialog->CancelButton())->click();
    });
    float fps = 30.0f;
    EXPECT_EQ(SorvelUi::DialogQuestion().Ask(fps), ok);
    EXPECT_EQ(fps, ok ? 45.0f : 30.0f);
  }
}

}  // namespace
