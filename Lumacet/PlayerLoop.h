// PlayerLoop: the engine side of one player control, with no windows. It
// holds the control's character in the shared engine (PlayerEngine), the
// drawing surface of the control's drawing window, the settings that the
// control's interface sets, and the animation clock. The window layer hands
// it a window (OpenScreen), calls Tick every 50 ms, and passes clicks and the
// background under a sprite; the loop reports clicks and motion wraps
// through Events. It is the renderer of its character's render objects.
#pragma once

#include <cstdint>
#include <functional>

#include "Lumacet/Download.h"
#include "ferrox/draw/PDraw.h"
#include "platform/d3d8/d3dx8math.h"
#include "vocore/Renddx/VoDirectX7.h"
#include "vocore/item/VoRefer.h"

class PlayerEngine;
class VoICharacter;
class VoMaster;

class PlayerLoop : public VoDirectX7 {
 public:
  enum Mode : int { ModeUnknown = 0, ModeFrame = 1, ModeSprite = 2, ModeBorderless = 3 };

  class Events {
   public:
    // Client coordinates, each cut to 16 bits unsigned.
    virtual void ClickIn(int x, int y) = 0;
    // motion: the motion's name (Shift-JIS); isend: wraps since SetMotion.
    virtual void MotionPeriod(const char* motion, int isend, int loopcount) = 0;

   protected:
    ~Events() = default;
  };
  // Milliseconds; only differences count, and they may wrap.
  using Clock = std::function<uint32_t()>;
  static uint32_t SystemClock();

  // Joins the shared engine and makes the character. `events` (may be null)
  // must outlive the loop; a null clock is the system's.
  explicit PlayerLoop(Events* events, Clock clock = nullptr);
  // Closes the screen, releases the character and leaves the engine.
  ~PlayerLoop() override;
  PlayerLoop(const PlayerLoop&) = delete;
  PlayerLoop& operator=(const PlayerLoop&) = delete;

  // The control's settings, read at each tick (mode when the screen is made).
  int mode = ModeFrame;
  uint32_t background = 0x7F;  // clear colour, 0xAARRGGBB
  int celMode = 0;             // 1: cel shading
  float celEdgeSize = 0.0f;    // 0: no edge lines
  int32_t px = 0, py = 0;
  int32_t width = -1, height = -1;  // negative: the control's client size
  int32_t balloonWidth = 100, balloonHeight = 100;
  int playing = 0;
  float viewP = 0.3f, viewB = 0.0f, viewH = 0.0f;  // degrees
  float viewScale = 1.0f;
  float lookX = 0.0f, lookY = 0.0f, lookZ = 0.0f;
  float viewDistance = 600.0f;
  float time = 0.0f;  // frames of the character's motion
  int loopCount = 0;  // wraps since SetMotion

  // Content.
  VoICharacter* Character() const;
  VoMaster& Master() const;
  // A path, "file:///" URL or "http:" URL (Shift-JIS); see PlayerImport.cpp.
  void Import(const char* text);
  // Binds the character's motion of this name (any letter case); counts anew.
  void SetMotion(const char* name);

  // The report of a window made in a mode the loop cannot draw in.
  void ReportUnsupportedMode();
  // The screen on the drawing window; a screen that cannot be made ends the
  // process (Shutdown), as the device set-up does.
  void OpenScreen(HWND window);
  void CloseScreen();
  bool HasScreen() const { return surface_.screenCreated != 0; }
  // After the drawing window changed size.
  void ResizeScreen();
  // The largest drawing window the device can serve: its largest texture,
  // since Sprite and Borderless copy the page beneath through a texture of
  // the screen's size. Direct3D is asked before a screen exists; without
  // one every size passes (the screen then reports that it cannot be made).
  void MaxScreenSize(int64_t* width, int64_t* height) const;
  // Whether a drawing window of w x h can be made; a negative side (the
  // control's client size) always can.
  bool CanDraw(int64_t w, int64_t h) const;
  Frx::Draw::PDraw& Surface() { return surface_; }

  // One timer tick: when playing on a screen, UpdateAnimation, RenderFrame and count.
  // Ticks that come while an import runs (from a report's modal loop) pass.
  void Tick();
  void UpdateAnimation();
  void RenderFrame();
  int RenderedTicks() const { return renderedTicks_; }
  const D3DXMATRIX& View() const { return view_; }
  void ResetClock() { lastClock_ = clock_(); }

  // The hit-test area: width x height, or the control's client size where
  // they are negative. HitTest is true strictly inside its middle quarter.
  void SetClientSize(int w, int h) { clientWidth_ = w, clientHeight_ = h; }
  int AreaWidth() const { return width >= 0 ? width : clientWidth_; }
  int AreaHeight() const { return height >= 0 ? height : clientHeight_; }
  bool HitTest(int x, int y) const;
  // A left button press at (x, y) of the drawing window.
  void Click(int x, int y);

  // The parent's pixels under the drawing window (Sprite and Borderless):
  // 0x00RRGGBB words, rows top-down, `stride` words apart, copied into the
  // background texture from (0, 0) as far as it reaches.
  bool HasBackground() const { return backgroundTexture_ != nullptr; }
  void SetBackground(const uint32_t* rgb, int w, int h, int stride);
  // Pure black is transparent, everything else opaque.
  static uint32_t BackgroundTexel(uint32_t rgb) { return (rgb & 0xFFFFFF) ? (rgb | 0xFF000000u) : 0u; }

 private:
  class DrawSurface : public Frx::Draw::PDraw {
   public:
    explicit DrawSurface(PlayerLoop& loop) : loop_(loop) {}
    // The character's render objects first, then the device.
    int ResetScreen() override;

   private:
    PlayerLoop& loop_;
  };

  void CreateCharacter();
  void ImportPath(const char* path);
  void LoadCelTexture();
  void CreateBackground();
  void ReleaseBackground();
  void RenewRenderObjects();

  PlayerEngine* engine_;
  Events* events_;
  Clock clock_;
  VoRefer<VoICharacter> character_;
  DrawSurface surface_;
  IDirect3DTexture8* backgroundTexture_ = nullptr;
  D3DXMATRIX view_;
  uint32_t lastClock_ = 0;
  int renderedTicks_ = 0;
  int screensOpened_ = 0;
  int screenMode_ = ModeFrame;  // the mode the screen was made in
  int importing_ = 0;
  Lumacet::DownloadLedger downloads_;  // what this control's downloads wrote
  int clientWidth_ = 0, clientHeight_ = 0;
};
