// Frx::LogWindow: the window that mirrors the log. Its view (a read-only text
// view) is supplied by a GUI host through a factory; headless there is none.
#pragma once

#include <functional>

#include "platform/win32/WinTypes.h"

namespace Frx {

// A host's text view showing the log. Every view is known while it exists, so
// a window holding a view that is gone (closed by the user, or shared by a
// copied LogWindow and already deleted) neither writes to it nor deletes it
// again, as a stale window handle would be ignored.
class LogView {
 public:
  LogView();
  virtual ~LogView();
  LogView(const LogView&) = delete;
  LogView& operator=(const LogView&) = delete;

  // Appends Shift-JIS text at the end and scrolls it into view. A host's view
  // keeps at most LogWindow::TextLimit characters.
  virtual void AppendText(const char* text) = 0;

  // Whether `view` exists now.
  static bool IsAlive(const LogView* view);
};

// Makes the view of a log window titled `title`; null when it cannot.
// The window owns the view and deletes it on Hide.
using LogViewFactory = std::function<LogView*(const char* title)>;

// Installs the host's factory (empty: none) and returns the previous one.
LogViewFactory SetLogViewFactory(LogViewFactory factory);

class LogWindow {
 public:
  // Characters a view holds at most.
  static constexpr int TextLimit = 655350;

  LogWindow();
  ~LogWindow();
  LogWindow& operator=(const LogWindow& other);

  bool Create(HINSTANCE instance);
  bool Show();
  bool Hide();
  bool Release();
  bool IsExist() const;

  // Appends to the view when one exists. Called by theFerrox.Log.
  void AppendText(const char* text);
  // Called by the host's view when the user closed it; the view is gone.
  void OnViewClosed();

  LogView* control;    // the text view; null when no window
  LogView* frame;      // the window (the same object as control here); null when none
  void* library;       // non-null while the window exists
  HINSTANCE instance;  // given to Create; null before
};

}  // namespace Frx
