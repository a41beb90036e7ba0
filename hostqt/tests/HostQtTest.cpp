#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTimer>

#include "ferrox/draw/PDraw.h"
#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/ferrox/LogWindow.h"
#include "ferrox/ferrox/MessageBox.h"
#include "ferrox/testing/LogCapture.h"
#include "ferrox/testing/Scopes.h"
#include "hostqt/FrameWidget.h"
#include "hostqt/LogViewQt.h"
#include "hostqt/MessageBoxQt.h"
#include "hostqt/Sjis.h"

namespace {

TEST(HostQt, ShiftJisRoundTrips) {
  // "インポート: %s" in Shift-JIS (this file's literals are UTF-8).
  const char* sjis = "\x83\x43\x83\x93\x83\x7c\x81\x5b\x83\x67: %s";
  const QString text = HostQt::FromSjis(sjis);
  EXPECT_EQ(text, QStringLiteral(u"インポート: %s"));
  EXPECT_EQ(HostQt::ToSjis(text), QByteArray(sjis));
  EXPECT_EQ(HostQt::ToSjis(QStringLiteral(u"\u00e9")), QByteArray("?"));
  EXPECT_TRUE(HostQt::FromSjis(static_cast<const char*>(nullptr)).isEmpty());
}

TEST(HostQt, BoxStylesMapToButtonsAndAnswers) {
  struct Case {
    unsigned style;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton;
    QMessageBox::Icon icon;
  } cases[] = {
      {MB_OK, QMessageBox::Ok, QMessageBox::Ok, QMessageBox::NoIcon},
      {MB_OKCANCEL | MB_ICONINFORMATION, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok,
       QMessageBox::Information},
      {MB_YESNO | MB_ICONQUESTION, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, QMessageBox::Question},
      {MB_YESNO | MB_DEFBUTTON2, QMessageBox::Yes | QMessageBox::No, QMessageBox::No, QMessageBox::NoIcon},
      {MB_OK | MB_ICONSTOP, QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Critical},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HostQt::ButtonsOf(c.style), c.buttons) << c.style;
    EXPECT_EQ(HostQt::DefaultButtonOf(c.style), c.defaultButton) << c.style;
    EXPECT_EQ(HostQt::IconOf(c.style), c.icon) << c.style;
  }
  EXPECT_EQ(HostQt::AnswerOf(QMessageBox::Yes), IDYES);
  EXPECT_EQ(HostQt::AnswerOf(QMessageBox::No), IDNO);
  EXPECT_EQ(HostQt::AnswerOf(QMessageBox::Cancel), IDCANCEL);
}

TEST(HostQt, QtBoxAnswersWithThePressedButton) {
  // Escape and the frame's close button never answer Cancel to an OK/Cancel
  // box (theFerrox.Error ends the program on Cancel), nor Yes to a question.
  enum Action { Escape, Close, ClickNo, ClickCancel };
  const struct {
    unsigned style;
    Action action;
    int answer;
  } cases[] = {{MB_YESNO, ClickNo, IDNO},      {MB_YESNO, Escape, IDNO},        {MB_OKCANCEL, Escape, IDOK},
               {MB_OKCANCEL, Close, IDOK},     {MB_OKCANCEL, ClickCancel, IDCANCEL}};
  const FrxTest::HandlerScope keep(Frx::SetMessageBoxHandler);
  HostQt::InstallMessageBox();
  for (const auto& c : cases) {
    // Once the box is up: the action; a box still up long after is noted and
    // closed, so a regression fails instead of hanging.
    int polls = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      if (++polls > 2000) return box->done(-1);
      if (polls > 1) return;
      QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
      if (c.action == Escape) QApplication::sendEvent(box, &escape);
      if (c.action == Close) box->close();
      if (c.action == ClickNo || c.action == ClickCancel)
        box->button(c.action == ClickNo ? QMessageBox::No : QMessageBox::Cancel)->click();
    });
    poll.start(1);
    EXPECT_EQ(Frx::ShowMessageBox(nullptr, "text", "Savora", c.style), c.answer) << c.style << " " << c.action;
    EXPECT_LE(polls, 2000) << c.style << " " << c.action;
  }
}

TEST(HostQt, FrameWidgetShowsPresentedFrames) {
  HostQt::FrameWidget widget;
  widget.resize(64, 48);
  Frx::Draw::PDraw draw;
  ASSERT_EQ(draw.Initialize(widget.Handle()), 1);
  int code = 0;
  ASSERT_EQ(draw.CreateScreen(0, &code), 1);
  EXPECT_EQ(draw.screenWidth, 64);
  draw.SetClearColor(0xFF336699);
  draw.FlushScreen();
  draw.UpdateScreen();
  ASSERT_EQ(widget.PresentedFrames(), 1);
  ASSERT_EQ(widget.LastFrame().size(), QSize(64, 48));
  EXPECT_EQ(widget.LastFrame().pixel(10, 10) & 0xFFFFFF, 0x336699u);
}

TEST(HostQt, LogViewMirrorsTheLogUntilClosed) {
  FrxTest::LogCapture log;
  const FrxTest::HandlerScope keep(Frx::SetLogViewFactory);
  HostQt::InstallLogView();
  Frx::LogWindow& window = Frx::theFerrox.logWindow;
  ASSERT_TRUE(window.Show());
  auto* view = dynamic_cast<QPlainTextEdit*>(window.control);
  ASSERT_NE(view, nullptr);
  Frx::theFerrox.Log("%s %d%%\n", HostQt::ToSjis(QStringLiteral(u"プラグインのロード")).constData(), 50);
  EXPECT_TRUE(view->toPlainText().contains(QStringLiteral(u"プラグインのロード 50%")));
  // Closed by the user: the base library no longer writes to it.
  view->close();
  EXPECT_FALSE(window.IsExist());
  Frx::theFerrox.Log("after\n");
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  window.Release();
}

}  // namespace
