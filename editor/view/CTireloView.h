// CTireloView: the editor's 3D view without its widget: the drawing surface,
// the free camera, the live input state and what every mouse and key message
// does (camera moves, picking, selection, the manipulators' records) to the
// program's document. The Qt widget (ViewWidget) is its window and forwards
// its events here; tests drive it with a HeadlessWindow.
#pragma once

#include "editor/document/DocumentView.h"
#include "editor/manip/MouseRecord.h"
#include "editor/view/InputState.h"
#include "editor/view/OrbitCamera.h"
#include "editor/view/ViewDraw.h"
#include "platform/win32/WinTypes.h"

class VoICharacter;

class CTireloView final : public DocumentView {
 public:
  // `window` is not owned and outlives the view; it is the surface's window.
  // Makes itself the program's view (CurrentView).
  explicit CTireloView(HWND window);
  ~CTireloView();
  CTireloView(const CTireloView&) = delete;
  CTireloView& operator=(const CTireloView&) = delete;

  // Messages, in window pixels. Each ends with DispatchInput.
  void OnMouseMove(int x, int y, uint32_t buttons);
  void OnLeftDown(int x, int y);
  void OnLeftUp(int x, int y);
  void OnRightDown(int x, int y, int screenX, int screenY);
  void OnRightUp(int x, int y);
  void OnMiddleDown(int x, int y);
  void OnMiddleUp(int x, int y);
  void OnWheel(int x, int y, int delta);
  // `code` is the virtual-key code (VK_* values).
  void OnKeyDown(int code);
  void OnKeyUp(int code);
  void OnSize();

  // Hands the current input state to the time bar and the companions.
  void DispatchInput() override;
  // One frame at `frame` (the frame loop).
  void RenderFrame(float frame) override;

  HWND Window() const override { return window; }
  ViewDraw& Draw() override { return draw; }
  IDirect3DTexture8* HandleTexture() const override { return draw.fontTexture; }
  const MouseRecord& LastRecord() const { return lastRecord; }

  ViewDraw draw;
  HWND window;
  VoICharacter* scoped = nullptr;  // copied from the document every frame
  int frameCount = 0;
  float frameTime = 0.0f;  // sixtieths of a second, shown by the overlay
  float workTime = 0.0f;
  // Off in benchmarks: the frame returns without waiting for the next 1/60 s.
  bool waitForFrame = true;
  // Device lights the scoped character's lights used in the last frame.
  int lightsUsed = 0;
  InputState input;
  MouseRecord lastRecord;
  OrbitCamera camera;

 private:
  // Leaves any camera item after the free camera moved.
  void LeaveCameraItem();
};
