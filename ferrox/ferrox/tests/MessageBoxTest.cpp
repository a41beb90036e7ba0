#include "ferrox/ferrox/MessageBox.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/testing/MessageBoxRecorder.h"
#include "ferrox/testing/Scopes.h"

namespace {

std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

TEST(MessageBox, DefaultAnswers) {
  EXPECT_EQ(Frx::DefaultMessageBoxAnswer(MB_OK), IDOK);
  EXPECT_EQ(Frx::DefaultMessageBoxAnswer(MB_OKCANCEL | MB_ICONINFORMATION), IDOK);
  EXPECT_EQ(Frx::DefaultMessageBoxAnswer(MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
  EXPECT_EQ(Frx::DefaultMessageBoxAnswer(MB_YESNO | MB_ICONQUESTION), IDYES);  // box type 36
  EXPECT_EQ(Frx::DefaultMessageBoxAnswer(MB_YESNO | MB_DEFBUTTON2), IDNO);
  EXPECT_EQ(Frx::DefaultMessageBoxAnswer(MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
  EXPECT_EQ(Frx::DefaultMessageBoxAnswer(MB_ABORTRETRYIGNORE | MB_DEFBUTTON2), IDRETRY);
  EXPECT_EQ(Frx::DefaultMessageBoxAnswer(MB_RETRYCANCEL), IDRETRY);
  // A default button the box does not have: the first button.
  EXPECT_EQ(Frx::DefaultMessageBoxAnswer(MB_OKCANCEL | MB_DEFBUTTON3), IDOK);
  EXPECT_EQ(Frx::DefaultMessageBoxAnswer(MB_YESNO | MB_DEFBUTTON3), IDYES);
  EXPECT_EQ(Frx::DefaultMessageBoxAnswer(MB_OK | MB_DEFBUTTON2), IDOK);
  EXPECT_EQ(Frx::DefaultMessageBoxAnswer(0x0F), IDOK);
}

TEST(MessageBox, EachTypeOffersItsOwnButtons) {
  const struct {
    unsigned style;
    std::vector<int> buttons;
  } types[] = {  // buttons in the order of their IDs
      {MB_OK, {IDOK}},
      {MB_OKCANCEL | MB_ICONINFORMATION, {IDOK, IDCANCEL}},
      {MB_ABORTRETRYIGNORE, {IDABORT, IDRETRY, IDIGNORE}},
      {MB_YESNOCANCEL | MB_DEFBUTTON3, {IDCANCEL, IDYES, IDNO}},
      {MB_YESNO | MB_ICONQUESTION, {IDYES, IDNO}},
      {MB_RETRYCANCEL, {IDCANCEL, IDRETRY}},
      {0x0F, {IDOK}},  // a type past the known ones shows OK
  };
  for (const auto& type : types) {
    std::vector<int> offered;
    for (int button = 0; button <= IDNO + 1; ++button)
      if (Frx::MessageBoxOffers(type.style, button)) offered.push_back(button);
    EXPECT_EQ(offered, type.buttons) << "style " << type.style;
  }
}

TEST(MessageBox, RecorderRefusesAButtonTheBoxDoesNotShow) {
  // A Yes/No question answered OK: the test fails, naming the box, and the
  // product gets the box's default button, never the foreign one.
  {
    FrxTest::MessageBoxRecorder boxes(IDOK);
    int answer = 0;
    EXPECT_NONFATAL_FAILURE(
        answer = Frx::ShowMessageBox(nullptr, "Replace?", "c", MB_YESNO | MB_DEFBUTTON2),
        "fixed answer IDOK (1) is not a button of the box \"Replace?\" (caption \"c\", style 0x104, MB_YESNO)");
    EXPECT_EQ(answer, IDNO);
    EXPECT_EQ(Frx::ShowMessageBox(nullptr, "Failed", "c", MB_OKCANCEL), IDOK);  // a box that has OK
  }
  {
    FrxTest::MessageBoxRecorder boxes;
    boxes.Answer(IDYES);
    boxes.Answer(IDCANCEL);
    int answer = 0;
    EXPECT_NONFATAL_FAILURE(answer = Frx::ShowMessageBox(nullptr, "Go on?", "c", MB_OKCANCEL),
                            "queued answer IDYES (6)");
    EXPECT_EQ(answer, IDOK);
    EXPECT_NONFATAL_FAILURE(answer = Frx::ShowMessageBox(nullptr, "Done", "c", MB_OK), "queued answer IDCANCEL");
    EXPECT_EQ(answer, IDOK);
    EXPECT_EQ(boxes.Count(), 2);
  }
  // An answer queued for a question that never came.
  EXPECT_NONFATAL_FAILURE(
      {
        FrxTest::MessageBoxRecorder boxes;
        boxes.Answer(IDNO);
      },
      "1 queued answer(s) left");
}

TEST(MessageBox, HeadlessDefaultWritesUtf8ToStderr) {
  const FrxTest::HandlerScope headless(Frx::SetMessageBoxHandler);
  testing::internal::CaptureStderr();
  int answer = Frx::ShowMessageBox(nullptr, "表示できません", "エラー", MB_YESNO | MB_DEFBUTTON2);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(answer, IDNO);
  EXPECT_NE(err.find(Utf8(u8"表示できません")), std::string::npos) << err;
  EXPECT_NE(err.find(Utf8(u8"エラー")), std::string::npos) << err;

  // Error headless: the default OK, so it returns to the caller.
  testing::internal::CaptureStderr();
  Frx::Ferrox ferrox;
  ferrox.Error("%s", "続行");
  err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find(Utf8(u8"続行")), std::string::npos) << err;
}

TEST(MessageBox, InstalledHandlerIsUsedAndReplaced) {
  int calls = 0;
  Frx::MessageBoxHandler previous =
      Frx::SetMessageBoxHandler([&calls](HWND, const char* text, const char* caption, unsigned style) {
        ++calls;
        EXPECT_STREQ(text, "t");
        EXPECT_STREQ(caption, "c");
        EXPECT_EQ(style, MB_YESNO);
        return IDNO;
      });
  EXPECT_EQ(Frx::ShowMessageBox(nullptr, "t", "c", MB_YESNO), IDNO);
  EXPECT_EQ(calls, 1);
  Frx::MessageBoxHandler mine = Frx::SetMessageBoxHandler(previous);
  EXPECT_TRUE(static_cast<bool>(mine));
}

TEST(MessageBox, RecorderAnswersKeepsAndPutsTheHandlerBack) {
  int outer = 0;
  const FrxTest::HandlerScope<Frx::MessageBoxHandler> counting(
      Frx::SetMessageBoxHandler, [&outer](HWND, const char*, const char*, unsigned) { return ++outer, IDABORT; });
  const HWND owner = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x1234));
  {
    FrxTest::MessageBoxRecorder boxes;
    boxes.Answer(IDNO);
    EXPECT_EQ(Frx::ShowMessageBox(owner, "queued", "c", MB_YESNO), IDNO);
    EXPECT_EQ(Frx::ShowMessageBox(nullptr, "second", "c", MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(Frx::ShowMessageBox(nullptr, "third", nullptr, MB_OKCANCEL), IDOK);
    {
      FrxTest::MessageBoxRecorder fixed(IDCANCEL);
      fixed.Answer(IDRETRY);
      EXPECT_EQ(Frx::ShowMessageBox(nullptr, "inner", "c", MB_RETRYCANCEL), IDRETRY);
      EXPECT_EQ(Frx::ShowMessageBox(nullptr, "inner", "c", MB_RETRYCANCEL), IDCANCEL);
      EXPECT_EQ(fixed.Count(), 2);
    }
    EXPECT_EQ(Frx::ShowMessageBox(nullptr, "last", "c", MB_OK), IDOK);
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"queued", "second", "third", "last"}));
    ASSERT_EQ(boxes.Count(), 4);
    EXPECT_EQ(boxes.Shown()[0].owner, owner);
    EXPECT_EQ(boxes.Shown()[1].style, static_cast<unsigned>(MB_YESNO | MB_DEFBUTTON2));
    EXPECT_EQ(boxes.Shown()[2].caption, "");
    EXPECT_TRUE(boxes.Saw("hir"));
    EXPECT_FALSE(boxes.Saw("inner"));
    boxes.Clear();
    EXPECT_EQ(boxes.Count(), 0);
  }
  EXPECT_EQ(Frx::ShowMessageBox(nullptr, "after", "c", MB_OK), IDABORT);
  EXPECT_EQ(outer, 1);
}

}  // namespace
