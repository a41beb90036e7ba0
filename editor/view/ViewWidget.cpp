#include "editor/view/ViewWidget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include "editor/view/VirtualKeys.h"

namespace {

uint32_t ButtonsOf(Qt::MouseButtons b) {
  uint32_t flags = 0;
  if (b & Qt::LeftButton) flags |= MouseRecord::LeftDown;
  if (b & Qt::RightButton) flags |= MouseRecord::RightDown;
  if (b & Qt::MiddleButton) flags |= MouseRecord::MiddleDown;
  return flags;
}

}  // namespace

ViewWidget::ViewWidget(QWidget* parent) : FrameWidget(parent), view_(std::make_unique<CTireloView>(Handle())) {
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  setMinimumSize(64, 64);
}

ViewWidget::~ViewWidget() = default;

int ViewWidget::VirtualKeyOf(int key) {
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return 'A' + (key - Qt::Key_A);
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return '0' + (key - Qt::Key_0);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return VKey::F1 + (key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Shift: return VKey::Shift;
    case Qt::Key_Control: return 0x11;
    case Qt::Key_Alt: return 0x12;
    case Qt::Key_PageUp: return VKey::PageUp;
    case Qt::Key_PageDown: return VKey::PageDown;
    case Qt::Key_Left: return VKey::Left;
    case Qt::Key_Up: return VKey::Up;
    case Qt::Key_Right: return VKey::Right;
    case Qt::Key_Down: return VKey::Down;
    case Qt::Key_Space: return 0x20;
    case Qt::Key_Return: case Qt::Key_Enter: return 0x0D;
    case Qt::Key_Escape: return 0x1B;
    case Qt::Key_Delete: return 0x2E;
    default: return 0;
  }
}

void ViewWidget::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  const QPoint g = event->globalPosition().toPoint();
  switch (event->button()) {
    case Qt::LeftButton: view_->OnLeftDown(p.x(), p.y()); break;
    case Qt::RightButton: view_->OnRightDown(p.x(), p.y(), g.x(), g.y()); break;
    case Qt::MiddleButton: view_->OnMiddleDown(p.x(), p.y()); break;
    default: break;
  }
}

void ViewWidget::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  switch (event->button()) {
    case Qt::LeftButton: view_->OnLeftUp(p.x(), p.y()); break;
    case Qt::RightButton: view_->OnRightUp(p.x(), p.y()); break;
    case Qt::MiddleButton: view_->OnMiddleUp(p.x(), p.y()); break;
    default: break;
  }
}

void ViewWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  view_->OnMouseMove(p.x(), p.y(), ButtonsOf(event->buttons()));
}

void ViewWidget::wheelEvent(QWheelEvent* event) {
  const QPoint p = event->position().toPoint();
  view_->OnWheel(p.x(), p.y(), event->angleDelta().y());
}

void ViewWidget::keyPressEvent(QKeyEvent* event) {
  if (const int code = VirtualKeyOf(event->key())) view_->OnKeyDown(code);
  else FrameWidget::keyPressEvent(event);
}

void ViewWidget::keyReleaseEvent(QKeyEvent* event) {
  // A held key repeats its presses; its release comes once, at the end.
  if (event->isAutoRepeat()) return;
  if (const int code = VirtualKeyOf(event->key())) view_->OnKeyUp(code);
  else FrameWidget::keyReleaseEvent(event);
}

void ViewWidget::resizeEvent(QResizeEvent* event) {
  FrameWidget::resizeEvent(event);
  view_->OnSize();
}
