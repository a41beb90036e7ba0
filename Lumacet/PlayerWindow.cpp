// The control's windows on Qt widgets, for the three display modes. Compiled
// for UTF-8 text (Qt's headers need it): system text only passes through.
#include "Lumacet/PlayerWindow.h"

#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

#include "Lumacet/PlayerLoop.h"
#include "ferrox/draw/Window.h"
#include "ferrox/ferrox/Ferrox.h"

namespace {

class PlayerWindowImpl;

// The drawing window as the drawing surface sees it: the widget's client
// size and place, and the frames presented to it.
class WidgetWindow final : public HWND__, public Platform::D3DPresentTarget {
 public:
  explicit WidgetWindow(QWidget* widget) : widget_(widget) {}

  void GetClientSize(int* width, int* height) const override {
    *width = widget_ ? widget_->width() : 0;
    *height = widget_ ? widget_->height() : 0;
  }
  void GetScreenOrigin(int* x, int* y) const override {
    const QPoint origin = widget_ ? widget_->mapToGlobal(QPoint(0, 0)) : QPoint();
    *x = origin.x(), *y = origin.y();
  }
  Platform::D3DPresentTarget* GetPresentTarget() override { return this; }
  void PresentFrame(const uint8_t* pixels, int width, int height, int pitch) override;

  const QImage& Frame() const { return frame_; }

 private:
  QPointer<QWidget> widget_;
  QImage frame_;
};

void WidgetWindow::PresentFrame(const uint8_t* pixels, int width, int height, int pitch) {
  if (frame_.width() != width || frame_.height() != height) frame_ = QImage(width, height, QImage::Format_RGB32);
  // X8R8G8B8 rows are the image's own layout once the unused byte is opaque.
  for (int y = 0; y < height; ++y) {
    auto* out = reinterpret_cast<uint32_t*>(frame_.scanLine(y));
    const uint8_t* in = pixels + static_cast<ptrdiff_t>(y) * pitch;
    for (int x = 0; x < width; ++x) {
      uint32_t v;
      std::memcpy(&v, in + static_cast<ptrdiff_t>(x) * 4, 4);
      out[x] = v | 0xFF000000u;
    }
  }
  if (widget_) widget_->update();
}

// The control's widget and the drawing widget of the other modes. Mouse
// events pass through them to what lies beneath; the hit area takes the
// presses of the middle.
class PlayerWidget final : public QWidget {
 public:
  PlayerWidget(QWidget* parent, PlayerWindowImpl& owner, bool control) : QWidget(parent), owner_(owner), control_(control) {
    setAttribute(Qt::WA_OpaquePaintEvent, !control);
    setAttribute(Qt::WA_NoSystemBackground, !control);
    setAttribute(Qt::WA_TransparentForMouseEvents);
  }
  // Set once this widget draws (its own window in Frame mode, or the sprite or cover).
  WidgetWindow* drawing = nullptr;

 protected:
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  PlayerWindowImpl& owner_;
  bool control_;
};

// An invisible widget over the middle of the drawing window, the one part of
// the player that takes the mouse.
class HitArea final : public QWidget {
 public:
  HitArea(QWidget* parent, PlayerWindowImpl& owner) : QWidget(parent), owner_(owner) {}

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  PlayerWindowImpl& owner_;
};

class PlayerWindowImpl final : public PlayerWindow, public QObject {
 public:
  PlayerWindowImpl(QWidget* parent, PlayerLoop& loop, Owner& owner) : parent_(parent), loop_(loop), owner_(owner) {}
  ~PlayerWindowImpl() override;

  void Open(int x, int y, int cx, int cy);
  void* ControlWidget() const override { return control_.data(); }
  void BeforeTick() override;
  void Resize(int cx, int cy) override {
    if (control_) control_->resize(std::max(cx, 1), std::max(cy, 1));
  }
  bool IsDrawing() const override { return timer_ != nullptr; }

  PlayerLoop& Loop() { return loop_; }
  void Paint(PlayerWidget& widget, bool control);
  void Press(HitArea& area, QMouseEvent* event);
  void Resized(PlayerWidget& widget, bool control);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Deletes now, or after the event handler that runs into it returns.
  static void Dispose(QObject* object, bool busy);
  void Capture();
  // The container's rectangle, as far as a screen can cover it.
  QRect CoverRect() const;
  // Puts the hit area over the middle of the drawing window as it is now.
  void PlaceHitArea();

  QPointer<QWidget> parent_;
  PlayerLoop& loop_;
  Owner& owner_;
  QPointer<PlayerWidget> control_;
  QPointer<PlayerWidget> drawingWidget_;  // the sprite or the cover; the control's own in Frame mode
  QPointer<HitArea> hitArea_;
  WidgetWindow* window_ = nullptr;
  QTimer* timer_ = nullptr;
  int mode_ = PlayerLoop::ModeUnknown;  // as the window was made
  bool dirty_ = false;
  bool capturing_ = false;
  std::shared_ptr<int> busy_ = std::make_shared<int>(0);  // handlers of ours that are running
};

void PlayerWidget::paintEvent(QPaintEvent*) { owner_.Paint(*this, control_); }
void HitArea::mousePressEvent(QMouseEvent* event) { owner_.Press(*this, event); }
void PlayerWidget::resizeEvent(QResizeEvent*) { owner_.Resized(*this, control_); }

void PlayerWindowImpl::Open(int x, int y, int cx, int cy) {
  control_ = new PlayerWidget(parent_, *this, true);
  control_->setGeometry(x, y, std::max(cx, 1), std::max(cy, 1));
  control_->show();
  loop_.SetClientSize(control_->width(), control_->height());
  Frx::Ferrox& ferrox = Frx::theFerrox;
  mode_ = loop_.mode;
  switch (mode_) {
    case PlayerLoop::ModeFrame:
      ferrox.Log("frame mode\n");
      drawingWidget_ = control_;
      break;
    case PlayerLoop::ModeSprite:
      ferrox.Log("sprite mode\n");
      drawingWidget_ = new PlayerWidget(parent_, *this, false);
      drawingWidget_->setGeometry(0, 0, std::max(loop_.AreaWidth(), 1), std::max(loop_.AreaHeight(), 1));
      break;
    case PlayerLoop::ModeBorderless:
      ferrox.Log("borderless mode\n");
      drawingWidget_ = new PlayerWidget(parent_, *this, false);
      drawingWidget_->setGeometry(CoverRect());
      break;
    default:
      loop_.ReportUnsupportedMode();
      return;
  }
  if (drawingWidget_ != control_) {
    drawingWidget_->setObjectName(QStringLiteral("DrawWindow@SavoraPlayer"));
    drawingWidget_->show();
    drawingWidget_->raise();
    parent_->installEventFilter(this);
  }
  hitArea_ = new HitArea(parent_, *this);
  hitArea_->raise();
  PlaceHitArea();
  window_ = new WidgetWindow(drawingWidget_);
  drawingWidget_->drawing = window_;
  timer_ = new QTimer();
  timer_->setInterval(50);
  // The owner may be released, and this window with it, during the call.
  QObject::connect(timer_, &QTimer::timeout, this, [this] {
    PlaceHitArea();  // the area's size may have been set since
    const std::shared_ptr<int> busy = busy_;
    ++*busy;
    owner_.OnTimer();
    --*busy;
  });
  timer_->start();
  loop_.OpenScreen(window_);
  dirty_ = true;
  if (loop_.HasBackground()) Capture();
}

PlayerWindowImpl::~PlayerWindowImpl() {
  const bool busy = *busy_ > 0;
  if (timer_) timer_->stop();
  Dispose(timer_, busy);
  if (parent_) parent_->removeEventFilter(this);
  loop_.CloseScreen();
  if (drawingWidget_) drawingWidget_->drawing = nullptr;
  delete window_;
  if (drawingWidget_ && drawingWidget_ != control_) Dispose(drawingWidget_, busy);
  Dispose(hitArea_, busy);
  Dispose(control_, busy);
}

void PlayerWindowImpl::Dispose(QObject* object, bool busy) {
  if (!object) return;
  if (busy) {
    if (auto* widget = qobject_cast<QWidget*>(object)) widget->hide();
    object->deleteLater();
  } else {
    delete object;
  }
}

void PlayerWindowImpl::BeforeTick() {
  if (!drawingWidget_ || !timer_) return;
  if (mode_ == PlayerLoop::ModeSprite) {
    const QRect want(loop_.px, loop_.py, std::max(loop_.AreaWidth(), 1), std::max(loop_.AreaHeight(), 1));
    if (drawingWidget_->geometry() != want) {
      drawingWidget_->setGeometry(want);
      dirty_ = true;
    }
  }
  if (dirty_ && loop_.HasBackground()) Capture();
  PlaceHitArea();
}

QRect PlayerWindowImpl::CoverRect() const {
  int64_t w = 0, h = 0;
  loop_.MaxScreenSize(&w, &h);
  const QRect whole = parent_ ? parent_->rect() : QRect();
  return QRect(0, 0, static_cast<int>(std::min<int64_t>(whole.width(), w)),
               static_cast<int>(std::min<int64_t>(whole.height(), h)));
}

// The middle of HitTest (strictly between 3/8 and 5/8 of the area), clipped
// to the drawing window.
void PlayerWindowImpl::PlaceHitArea() {
  if (!hitArea_ || !drawingWidget_) return;
  const int w = loop_.AreaWidth(), h = loop_.AreaHeight();
  const QRect middle = QRect(QPoint(w * 3 / 8 + 1, h * 3 / 8 + 1), QPoint(w * 5 / 8 - 1, h * 5 / 8 - 1)) &
                       QRect(QPoint(0, 0), drawingWidget_->size());
  const QRect want = middle.translated(drawingWidget_->pos());
  if (hitArea_->geometry() != want || hitArea_->isHidden() != want.isEmpty()) {
    hitArea_->setGeometry(want);
    hitArea_->setVisible(!want.isEmpty());
  }
}

// The container's pixels under the drawing window: its own background and
// every other child widget, but not the drawing window.
void PlayerWindowImpl::Capture() {
  dirty_ = false;
  if (!parent_ || !drawingWidget_) return;
  const QRect area = drawingWidget_->geometry();
  QImage image(area.size(), QImage::Format_RGB32);
  image.fill(0);
  capturing_ = true;
  {
    QPainter painter(&image);
    parent_->render(&painter, QPoint(), QRegion(area), QWidget::DrawWindowBackground);
    for (QObject* child : parent_->children()) {
      auto* w = qobject_cast<QWidget*>(child);
      // The player's own widgets are no part of the page (the control's
      // paused placeholder least of all).
      if (!w || w == drawingWidget_ || w == control_ || w == hitArea_ || w->isWindow() || !w->isVisible()) continue;
      const QRect part = w->geometry() & area;
      if (part.isEmpty()) continue;
      w->render(&painter, part.topLeft() - area.topLeft(), QRegion(part.translated(-w->pos())),
                QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }
  }
  capturing_ = false;
  loop_.SetBackground(reinterpret_cast<const uint32_t*>(image.constBits()), image.width(), image.height(),
                      static_cast<int>(image.bytesPerLine() / 4));
}

bool PlayerWindowImpl::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parent_ && !capturing_) {
    if (event->type() == QEvent::Paint) dirty_ = true;
    if (event->type() == QEvent::Resize) {
      dirty_ = true;
      if (mode_ == PlayerLoop::ModeBorderless && drawingWidget_) drawingWidget_->setGeometry(CoverRect());
    }
  }
  return false;
}

void PlayerWindowImpl::Paint(PlayerWidget& widget, bool control) {
  QPainter painter(&widget);
  const bool playing = loop_.playing == 1;
  if (widget.drawing && (!control || (playing && mode_ != PlayerLoop::ModeSprite))) {
    if (!widget.drawing->Frame().isNull()) painter.drawImage(0, 0, widget.drawing->Frame());
    else painter.fillRect(widget.rect(), Qt::black);
    return;
  }
  if (!control || (playing && mode_ != PlayerLoop::ModeSprite)) return;
  painter.fillRect(widget.rect(), Qt::white);
  painter.setPen(Qt::black);
  painter.drawRect(widget.rect().adjusted(0, 0, -1, -1));
  painter.drawText(widget.rect(), Qt::AlignCenter, QStringLiteral("Savora Player"));
}

void PlayerWindowImpl::Press(HitArea& area, QMouseEvent* event) {
  event->accept();
  if (!drawingWidget_ || !drawingWidget_->drawing) return;
  // In the drawing window's client coordinates.
  const QPoint at = event->position().toPoint() + area.pos() - drawingWidget_->pos();
  if (event->button() != Qt::LeftButton || !loop_.HitTest(at.x(), at.y())) return;
  const std::shared_ptr<int> busy = busy_;
  ++*busy;
  owner_.OnClick(at.x(), at.y());
  --*busy;
}

void PlayerWindowImpl::Resized(PlayerWidget& widget, bool control) {
  if (control) loop_.SetClientSize(widget.width(), widget.height());
  if (widget.drawing) {
    loop_.ResizeScreen();
    dirty_ = true;
  }
  PlaceHitArea();
}

}  // namespace

std::unique_ptr<PlayerWindow> PlayerWindow::Create(void* parent, int x, int y, int cx, int cy, PlayerLoop& loop,
                                                   Owner& owner) {
  if (!parent || !qobject_cast<QApplication*>(QCoreApplication::instance())) return nullptr;
  auto window = std::make_unique<PlayerWindowImpl>(static_cast<QWidget*>(parent), loop, owner);
  window->Open(x, y, cx, cy);
  return window;
}
