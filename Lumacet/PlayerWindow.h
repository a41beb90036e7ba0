// PlayerWindow: the control's window in one of the three display modes,
// over Qt widgets (Qt itself stays inside PlayerWindow.cpp). Frame: the
// control's own widget draws. Sprite: a child of the container's widget,
// moved to (px, py) every tick, draws over the captured background of that
// widget. Borderless: a child covering the whole container widget does.
// Clicks outside the middle of the drawing window pass to the widget beneath.
#pragma once

#include <memory>

class PlayerLoop;

class PlayerWindow {
 public:
  class Owner {
   public:
    // The 50 ms timer; the owner runs the tick (BeforeTick, then the loop's).
    virtual void OnTimer() = 0;
    // A left button press in the middle of the drawing window.
    virtual void OnClick(int x, int y) = 0;

   protected:
    ~Owner() = default;
  };

  // Makes the control's widget on `parent` (a QWidget*) at (x, y), cx x cy,
  // and, by the loop's mode, the drawing window with its screen, timer and
  // background. An unsupported mode is reported and leaves a window with no
  // screen or timer. Null without a QApplication or a parent.
  static std::unique_ptr<PlayerWindow> Create(void* parent, int x, int y, int cx, int cy, PlayerLoop& loop,
                                              Owner& owner);

  // Stops the timer, lets go of the container's widget, frees the background
  // and the screen, and removes the widgets.
  virtual ~PlayerWindow() = default;

  // The control's own widget (a QWidget*).
  virtual void* ControlWidget() const = 0;
  // The window work of a playing tick: the sprite moves to (px, py) with the
  // area's size, and a background that changed is captured again.
  virtual void BeforeTick() = 0;
  // The control's widget takes the new size (a Frame screen follows it).
  virtual void Resize(int cx, int cy) = 0;
  // Whether a drawing window, a screen and a timer exist.
  virtual bool IsDrawing() const = 0;
};
