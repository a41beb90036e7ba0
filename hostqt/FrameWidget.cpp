#include "hostqt/FrameWidget.h"

#include <QPainter>

#include <cstring>

namespace HostQt {

FrameWidget::FrameWidget(QWidget* parent) : QWidget(parent), handle_(this) {
  // Every pixel is painted from the frame: no background to erase first.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

FrameWidget::~FrameWidget() = default;

void FrameWidget::PresentFrame(const uint8_t* pixels, int width, int height, int pitch) {
  if (!pixels || width <= 0 || height <= 0) return;
  if (image_.width() != width || image_.height() != height) image_ = QImage(width, height, QImage::Format_RGB32);
  // X8R8G8B8 rows, top-down: RGB32's own layout; only the pitch may differ.
  for (int y = 0; y < height; ++y)
    std::memcpy(image_.scanLine(y), pixels + static_cast<size_t>(y) * pitch, static_cast<size_t>(width) * 4);
  ++frames_;
  update();
}

void FrameWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (image_.isNull()) {
    painter.fillRect(rect(), Qt::black);
    return;
  }
  painter.drawImage(0, 0, image_);
  // A frame smaller than the widget (mid-resize) leaves the rest black.
  if (image_.width() < width()) painter.fillRect(image_.width(), 0, width() - image_.width(), height(), Qt::black);
  if (image_.height() < height())
    painter.fillRect(0, image_.height(), width(), height() - image_.height(), Qt::black);
}

}  // namespace HostQt
