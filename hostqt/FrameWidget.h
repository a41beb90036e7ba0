// FrameWidget: a widget that shows the frames a Direct3D device presents to
// its window handle. The device renders off-screen; each Present copies the
// frame here and the widget paints it.
#pragma once

#include <QImage>
#include <QWidget>

#include "hostqt/WidgetHandle.h"

namespace HostQt {

class FrameWidget : public QWidget, public Platform::D3DPresentTarget {
  Q_OBJECT

 public:
  explicit FrameWidget(QWidget* parent = nullptr);
  ~FrameWidget() override;

  // The handle a drawing surface is initialised with.
  HWND Handle() { return &handle_; }
  void PresentFrame(const uint8_t* pixels, int width, int height, int pitch) override;
  // The last presented frame (RGB32); null before the first.
  const QImage& LastFrame() const { return image_; }
  int PresentedFrames() const { return frames_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  class PresentHandle : public WidgetHandle {
   public:
    explicit PresentHandle(FrameWidget* owner) : WidgetHandle(owner), owner_(owner) {}
    Platform::D3DPresentTarget* GetPresentTarget() override { return owner_; }

   private:
    FrameWidget* owner_;
  };

  PresentHandle handle_;
  QImage image_;
  int frames_ = 0;
};

}  // namespace HostQt
