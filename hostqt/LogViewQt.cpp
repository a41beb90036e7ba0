#include "hostqt/LogViewQt.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/ferrox/LogWindow.h"
#include "hostqt/Sjis.h"

namespace HostQt {

namespace {

class LogViewWindow : public QPlainTextEdit, public Frx::LogView {
 public:
  explicit LogViewWindow(const char* title) {
    setWindowTitle(FromSjis(title));
    setReadOnly(true);
    setMaximumBlockCount(0);
    setStyleSheet(QStringLiteral("QPlainTextEdit { background: #D0EFFF; }"));
    resize(560, 360);
    show();
  }

  void AppendText(const char* text) override {
    moveCursor(QTextCursor::End);
    insertPlainText(FromSjis(text));
    // Keep the last TextLimit characters, as the text control did.
    const int excess = document()->characterCount() - Frx::LogWindow::TextLimit;
    if (excess > 0) {
      QTextCursor cut(document());
      cut.setPosition(0);
      cut.setPosition(excess, QTextCursor::KeepAnchor);
      cut.removeSelectedText();
    }
    moveCursor(QTextCursor::End);
    ensureCursorVisible();
  }

 protected:
  void closeEvent(QCloseEvent* event) override {
    // The base library forgets the view first; the object goes afterwards.
    if (Frx::theFerrox.logWindow.control == this) Frx::theFerrox.logWindow.OnViewClosed();
    event->accept();
    deleteLater();
  }
};

}  // namespace

void InstallLogView() {
  Frx::SetLogViewFactory([](const char* title) -> Frx::LogView* { return new LogViewWindow(title); });
}

}  // namespace HostQt
