// ViewWidget: the 3D view's window. It shows the frames the view's drawing
// surface presents and forwards every mouse and key event to the view
// (CTireloView), which it owns.
#pragma once

#include <memory>

#include "editor/view/CTireloView.h"
#include "hostqt/FrameWidget.h"

class ViewWidget : public HostQt::FrameWidget {
  Q_OBJECT

 public:
  explicit ViewWidget(QWidget* parent = nullptr);
  ~ViewWidget() override;

  CTireloView& View() { return *view_; }
  // The Windows virtual-key code of a Qt key; 0 for keys the view ignores.
  static int VirtualKeyOf(int qtKey);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  std::unique_ptr<CTireloView> view_;
};
