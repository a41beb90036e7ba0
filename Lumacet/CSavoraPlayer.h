// CSavoraPlayer: the player control (class SavoraPlayer). Its interfaces
// forward to the engine loop (PlayerLoop) and the window (PlayerWindow); it
// fires ClickIn and MotionPeriod to every advised sink in advise order and
// persists its properties through a property bag. Objects are made by the
// module's class factory and freed by their last Release, which also leaves
// the shared engine, with or without a window.
#pragma once

#include <cstdint>
#include <memory>

#include "Lumacet/ISavoraPlayer.h"
#include "Lumacet/PlayerLoop.h"
#include "Lumacet/PlayerWindow.h"
#include "platform/com/ConnectionPoint.h"
#include "platform/com/OleControl.h"
#include "platform/com/PropertyBag.h"

class CSavoraPlayer final : public ISavoraPlayer,
                            public IConnectionPointContainer,
                            public IPersistPropertyBag,
                            public IOleControlWindow,
                            private PlayerLoop::Events,
                            private PlayerWindow::Owner {
 public:
  // A new control queried for `iid` (the class factory's work).
  static HRESULT Create(REFIID iid, void** out);
  // The clock of controls made from now on (null: the system's); for tests.
  static void SetClock(PlayerLoop::Clock clock);
  // The control's size until a container sets one.
  static constexpr int32_t DefaultWidth = 320, DefaultHeight = 240;

  // IUnknown
  HRESULT QueryInterface(REFIID iid, void** out) override;
  unsigned long AddRef() override;
  unsigned long Release() override;

  // IDispatch (SavoraPlayerDispatch.cpp)
  HRESULT GetIDsOfNames(const char16_t* name, DISPID* id) override;
  HRESULT Invoke(DISPID id, uint16_t flags, const DISPPARAMS& params, VARIANT* result) override;

  // ISavoraPlayer
  HRESULT get_Mode(std::u16string* mode) override;
  HRESULT put_Mode(const char16_t* mode) override;
  HRESULT Pause() override;
  HRESULT Play() override;
  HRESULT Import(const char16_t* text) override;
  HRESULT SetMotion(const char16_t* name) override;
  HRESULT get_Width(int32_t* value) override;
  HRESULT put_Width(int32_t value) override;
  HRESULT get_Height(int32_t* value) override;
  HRESULT put_Height(int32_t value) override;
  HRESULT get_BalloonWidth(int32_t* value) override;
  HRESULT put_BalloonWidth(int32_t value) override;
  HRESULT get_BalloonHeight(int32_t* value) override;
  HRESULT put_BalloonHeight(int32_t value) override;
  HRESULT Word(const char16_t* text) override;
  HRESULT Message(const char16_t* text) override;
  HRESULT get_px(int32_t* value) override;
  HRESULT put_px(int32_t value) override;
  HRESULT get_py(int32_t* value) override;
  HRESULT put_py(int32_t value) override;
  HRESULT SetViewRotate(float p, float b, float h) override;
  HRESULT SetViewScale(float scale) override;
  HRESULT SetViewLookAt(float x, float y, float z) override;
  HRESULT get_BgColor(OLE_COLOR* colour) override;
  HRESULT put_BgColor(OLE_COLOR colour) override;
  HRESULT get_RenderMode(std::u16string* mode) override;
  HRESULT put_RenderMode(const char16_t* mode) override;
  HRESULT get_CellEdgeSize(float* size) override;
  HRESULT put_CellEdgeSize(float size) override;

  // IConnectionPointContainer
  HRESULT FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

  // IPersistPropertyBag (SavoraPlayerPersist.cpp)
  HRESULT InitNew() override;
  HRESULT Load(IPropertyBag* bag) override;
  HRESULT Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;

  // IOleControlWindow
  HRESULT SetExtent(int32_t cx, int32_t cy) override;
  HRESULT GetExtent(int32_t* cx, int32_t* cy) override;
  HRESULT CreateControlWindow(void* parent, int32_t x, int32_t y) override;
  HRESULT DestroyControlWindow() override;
  HRESULT GetControlWindow(void** window) override;

  // The engine side, and one tick of the window's timer, for the module's tests.
  PlayerLoop& Loop() { return loop_; }
  void TimerTick() { OnTimer(); }

 private:
  CSavoraPlayer();
  ~CSavoraPlayer();

  // PlayerLoop::Events
  void ClickIn(int x, int y) override;
  void MotionPeriod(const char* motion, int isend, int loopcount) override;
  // PlayerWindow::Owner
  void OnTimer() override;
  void OnClick(int x, int y) override;

  // Restores the initial values of every property.
  void SetDefaults();

  unsigned long refs_ = 1;
  Com::ConnectionPoint events_;
  PlayerLoop loop_;
  int32_t extentX_ = DefaultWidth, extentY_ = DefaultHeight;
  std::unique_ptr<PlayerWindow> window_;
};
