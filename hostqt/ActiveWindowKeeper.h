// ActiveWindowKeeper: gives the window that was active when a modal dialog
// opened the activation back once the dialog has gone. A window manager does
// this on a desktop; on a bare X server (Xvfb served over VNC) the focus
// would stay on the root window, and the editor draws frames only while its
// main window is active.
#pragma once

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace HostQt {

class ActiveWindowKeeper {
 public:
  ActiveWindowKeeper() : window_(QApplication::activeWindow()) {}
  ~ActiveWindowKeeper() {
    if (window_ && window_->isVisible()) window_->activateWindow();
  }
  ActiveWindowKeeper(const ActiveWindowKeeper&) = delete;
  ActiveWindowKeeper& operator=(const ActiveWindowKeeper&) = delete;

 private:
  QPointer<QWidget> window_;
};

}  // namespace HostQt
