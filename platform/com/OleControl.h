// How a container embeds a control's window (in place of OLE's in-place
// activation): the control makes its window as a child of a native window
// of the container (a QWidget* in Qt hosts, passed untyped so this layer
// needs no GUI library) and destroys it again.
#pragma once

#include <cstdint>

#include "platform/com/Unknown.h"

class IOleControlWindow : public IUnknown {
 public:
  // The control's size in pixels (its extent), kept while it has no window.
  virtual HRESULT SetExtent(int32_t cx, int32_t cy) = 0;
  virtual HRESULT GetExtent(int32_t* cx, int32_t* cy) = 0;
  // Makes the window at (x, y) of the parent with the extent; E_UNEXPECTED
  // when it exists, E_FAIL when no window can be made.
  virtual HRESULT CreateControlWindow(void* parent, int32_t x, int32_t y) = 0;
  // S_FALSE when there is no window.
  virtual HRESULT DestroyControlWindow() = 0;
  // The control's own window (null when none).
  virtual HRESULT GetControlWindow(void** window) = 0;

 protected:
  ~IOleControlWindow() = default;
};
