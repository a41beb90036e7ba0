#include "hostqt/WidgetHandle.h"

#include <QPoint>
#include <QWidget>

namespace HostQt {

void WidgetHandle::GetClientSize(int* width, int* height) const {
  *width = widget_ ? widget_->width() : 0;
  *height = widget_ ? widget_->height() : 0;
}

void WidgetHandle::GetScreenOrigin(int* x, int* y) const {
  const QPoint origin = widget_ ? widget_->mapToGlobal(QPoint(0, 0)) : QPoint();
  *x = origin.x();
  *y = origin.y();
}

QWidget* WidgetOf(HWND window) {
  auto* handle = dynamic_cast<WidgetHandle*>(window);
  return handle ? handle->Widget() : nullptr;
}

}  // namespace HostQt
