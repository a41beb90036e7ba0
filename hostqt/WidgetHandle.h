// WidgetHandle: a window handle (HWND) for a Qt widget, so the base library
// can name it (message-box owners, drawing surfaces). The handle belongs to
// whoever makes it and must not outlive the widget's use of it.
#pragma once

#include "ferrox/draw/Window.h"

class QWidget;

namespace HostQt {

class WidgetHandle : public HWND__ {
 public:
  explicit WidgetHandle(QWidget* widget) : widget_(widget) {}
  void GetClientSize(int* width, int* height) const override;
  void GetScreenOrigin(int* x, int* y) const override;
  // Frames go nowhere but the back buffer unless a subclass takes them.
  Platform::D3DPresentTarget* GetPresentTarget() override { return nullptr; }
  QWidget* Widget() const { return widget_; }

 private:
  QWidget* widget_;
};

// The widget of a handle made by WidgetHandle; null for any other handle.
QWidget* WidgetOf(HWND window);

}  // namespace HostQt
