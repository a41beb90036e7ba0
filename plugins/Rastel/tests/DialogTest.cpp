// The Qt dialogs of SerialBMP and SerialMQO (offscreen): their fields carry
// the answers within the commands' ranges and Shift-JIS text through Qt, and
// the module's asker shows them only when an application runs. Compiled
// with UTF-8 literals, as the dialogs are.
#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTimer>

#include "ferrox/string/NativeName.h"
#include "plugins/Rastel/ui/QtSerialAsker.h"
#include "plugins/Rastel/ui/SerialBmpDialog.h"
#include "plugins/Rastel/ui/SerialMqoDialog.h"

namespace {

// Shift-JIS bytes of UTF-8 text, as the system holds it.
std::string Sjis(const char* utf8) { return Frx::NativeName::Utf8ToCp932(utf8).Get(); }

struct App {
  int argc = 1;
  char name[8] = "dialogs";
  char* argv[2] = {name, nullptr};
  QApplication app{argc, argv};
};

TEST(SerialDialogs, FieldsCarryTheAnswersWithinTheCommandsRanges) {
  App app;
  const struct {
    const char* what;
    SerialBmpAnswers in, out;
  } cases[] = {
      {"within range", {Sjis("/tmp/連番/%m/%f"), 3, 90, 7, 1, 480, 640, true},
       {Sjis("/tmp/連番/%m/%f"), 3, 90, 7, 1, 480, 640, true}},
      {"below", {"a", -5, 0, 0, 2, 1, 2, false}, {"a", -5, 0, 1, 2, 16, 16, false}},
      {"above", {"b", 0, 655536, 99, 7, 5000, 9000, false}, {"b", 0, 655536, 60, 0, 2048, 2048, false}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RastelUi::SerialBmpDialog dialog(c.in);
    const SerialBmpAnswers a = dialog.Answers();
    EXPECT_EQ(a.pattern, c.out.pattern);
    EXPECT_EQ(a.first, c.out.first);
    EXPECT_EQ(a.last, c.out.last);
    EXPECT_EQ(a.step, c.out.step);
    EXPECT_EQ(a.sizeMode, c.out.sizeMode);
    EXPECT_EQ(a.height, c.out.height);
    EXPECT_EQ(a.width, c.out.width);
    EXPECT_EQ(a.allMotions, c.out.allMotions);
  }
  RastelUi::SerialBmpDialog bmp(SerialBmpAnswers{});
  EXPECT_EQ(bmp.windowTitle(), QString::fromUtf8("連番 BMP 出力"));
  bmp.pattern->setText(QString::fromUtf8("出力/%c_%f"));
  bmp.sizeMode->button(2)->setChecked(true);
  EXPECT_EQ(bmp.Answers().pattern, Sjis("出力/%c_%f"));
  EXPECT_EQ(bmp.Answers().sizeMode, 2);

  RastelUi::SerialMqoDialog mqo(SerialMqoAnswers{Sjis("/tmp/形/sshot"), 2, 96, 0});
  EXPECT_EQ(mqo.windowTitle(), QString::fromUtf8("連番 MQO 出力"));
  const SerialMqoAnswers m = mqo.Answers();
  EXPECT_EQ(m.prefix, Sjis("/tmp/形/sshot"));
  EXPECT_EQ(m.first, 2);
  EXPECT_EQ(m.last, 96);
  EXPECT_EQ(m.step, 1u);
}

TEST(SerialDialogs, TheModuleAskerKeepsTheInitialValuesWithoutAnApplication) {
  ASSERT_EQ(QCoreApplication::instance(), nullptr);
  SerialBmpAnswers bmp;
  bmp.pattern = "keep";
  bmp.step = 9;
  EXPECT_TRUE(RastelUi::ModuleAsker().AskBmp(bmp));
  EXPECT_EQ(bmp.pattern, "keep");
  EXPECT_EQ(bmp.step, 9u);
  SerialMqoAnswers mqo;
  mqo.last = 12;
  EXPECT_TRUE(RastelUi::ModuleAsker().AskMqo(mqo));
  EXPECT_EQ(mqo.last, 12);
}

TEST(SerialDialogs, TheModuleAskerShowsTheDialogAndAnswersAsTheUserLeftIt) {
  App app;
  for (bool accept : {true, false}) {
    SCOPED_TRACE(accept ? "OK" : "Cancel");
    QTimer::singleShot(0, [accept] {
      auto* dialog = dynamic_cast<RastelUi::SerialBmpDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      dialog->step->setValue(12);
      dialog->allMotions->setChecked(true);
      accept ? dialog->accept() : dialog->reject();
    });
    SerialBmpAnswers answers;
    EXPECT_EQ(RastelUi::ModuleAsker().AskBmp(answers), accept);
    EXPECT_EQ(answers.step, accept ? 12u : 5u);
    EXPECT_EQ(answers.allMotions, accept);
  }
  QTimer::singleShot(0, [] {
    auto* dialog = dynamic_cast<RastelUi::SerialMqoDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->last->setValue(30);
    dialog->accept();
  });
  SerialMqoAnswers mqo;
  EXPECT_TRUE(RastelUi::ModuleAsker().AskMqo(mqo));
  EXPECT_EQ(mqo.last, 30);
}

}  // namespace
