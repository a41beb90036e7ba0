#include "ferrox/ferrox/LogWindow.h"

#include <set>
#include <utility>

#include "ferrox/ferrox/Ferrox.h"

namespace Frx {

namespace {

LogViewFactory& Factory() {
  static LogViewFactory factory;
  return factory;
}

bool& ClassRegistered() {
  static bool registered = false;
  return registered;
}

// Never destroyed: theFerrox releases its window after other statics are gone.
std::set<const LogView*>& LiveViews() {
  static auto* views = new std::set<const LogView*>;
  return *views;
}

}  // namespace

LogView::LogView() { LiveViews().insert(this); }

LogView::~LogView() { LiveViews().erase(this); }

bool LogView::IsAlive(const LogView* view) { return view && LiveViews().count(view) != 0; }

LogViewFactory SetLogViewFactory(LogViewFactory factory) {
  return std::exchange(Factory(), std::move(factory));
}

LogWindow::LogWindow() : control(nullptr), frame(nullptr), library(nullptr), instance(nullptr) {}

LogWindow::~LogWindow() { Release(); }

LogWindow& LogWindow::operator=(const LogWindow& other) {
  control = other.control;
  frame = other.frame;
  library = other.library;
  instance = other.instance;
  return *this;
}

bool LogWindow::Create(HINSTANCE moduleInstance) {
  instance = moduleInstance;
  ClassRegistered() = true;  // the window class "Debug Log Window"
  if (instance) Show();
  return true;
}

bool LogWindow::Show() {
  // One window at a time; a stale one is replaced.
  if (frame && LogView::IsAlive(frame)) return true;
  LogView* view = Factory() ? Factory()("Log Window") : nullptr;
  if (!view) {
    theFerrox.Error(theFerrox.mainWindow, "%s", "ログウインドゥを生成できません。");
    return false;
  }
  control = view;
  frame = view;
  library = view;
  return true;
}

bool LogWindow::Hide() {
  if (frame) {
    LogView* view = control;
    control = nullptr;
    frame = nullptr;
    library = nullptr;
    if (LogView::IsAlive(view)) delete view;
  }
  return true;
}

bool LogWindow::Release() { return Hide(); }

bool LogWindow::IsExist() const { return frame != nullptr; }

void LogWindow::AppendText(const char* text) {
  if (text && LogView::IsAlive(control)) control->AppendText(text);
}

void LogWindow::OnViewClosed() {
  control = nullptr;
  frame = nullptr;
  library = nullptr;
}

}  // namespace Frx
