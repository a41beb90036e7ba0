// The player control's interface as containers see it: the class
// SavoraPlayer (module lumacet.so), its dual interface ISavoraPlayer and its
// event interface _ISavoraPlayerEvents. Every method answers S_OK; text goes
// in as UTF-16 (a null pointer is empty text) and comes out as a
// std::u16string the caller owns.
#pragma once

#include <cstdint>
#include <string>

#include "platform/com/Dispatch.h"

constexpr CLSID CLSID_SavoraPlayer = {
    0x1705629A, 0x2A47, 0x4BF9, {0xBF, 0x73, 0xC1, 0x75, 0x14, 0xBA, 0x8F, 0x5A}};
constexpr IID IID_ISavoraPlayer = {0x5978A09B, 0xB37A, 0x4A63, {0xA5, 0xED, 0xCB, 0xE7, 0x97, 0xD4, 0xCF, 0xFB}};
constexpr IID DIID__ISavoraPlayerEvents = {
    0x838ED176, 0xCECC, 0x433D, {0x95, 0xC6, 0xB1, 0xE0, 0x08, 0xC9, 0xD7, 0x5A}};
constexpr GUID LIBID_LUMACETLib = {0x74E943A2, 0xA97B, 0x46A2, {0xBC, 0x2F, 0x12, 0x8C, 0xBC, 0x20, 0x7B, 0x3A}};

// A colour as containers pass it; the player uses it unconverted as the
// clear colour (0xAARRGGBB).
using OLE_COLOR = uint32_t;

// Dispatch ids of ISavoraPlayer (17 is not used).
enum SavoraPlayerDispid : DISPID {
  DISPID_PLAYER_MODE = 1,
  DISPID_PLAYER_PAUSE = 2,
  DISPID_PLAYER_PLAY = 3,
  DISPID_PLAYER_IMPORT = 4,
  DISPID_PLAYER_SETMOTION = 5,
  DISPID_PLAYER_WIDTH = 6,
  DISPID_PLAYER_HEIGHT = 7,
  DISPID_PLAYER_BALLOONWIDTH = 8,
  DISPID_PLAYER_BALLOONHEIGHT = 9,
  DISPID_PLAYER_WORD = 10,
  DISPID_PLAYER_MESSAGE = 11,
  DISPID_PLAYER_PX = 12,
  DISPID_PLAYER_PY = 13,
  DISPID_PLAYER_SETVIEWROTATE = 14,
  DISPID_PLAYER_SETVIEWSCALE = 15,
  DISPID_PLAYER_SETVIEWLOOKAT = 16,
  DISPID_PLAYER_BGCOLOR = 18,
  DISPID_PLAYER_RENDERMODE = 19,
  DISPID_PLAYER_CELLEDGESIZE = 20,
};

// Dispatch ids of _ISavoraPlayerEvents. ClickIn (long x, long y): a left
// button press in the middle of the drawing window, client coordinates.
// MotionPeriod (BSTR motion, long isend, long loopcount): the bound motion
// wrapped; isend counts the wraps since SetMotion, loopcount is 0.
enum SavoraPlayerEventDispid : DISPID {
  DISPID_PLAYER_CLICKIN = 1,
  DISPID_PLAYER_MOTIONPERIOD = 2,
};

class ISavoraPlayer : public IDispatch {
 public:
  // "Frame", "Sprite" or "Borderless" (exact); other text sets mode 0 with an
  // error report, and get then answers "Unknown". Takes effect when the
  // control's window is made.
  virtual HRESULT get_Mode(std::u16string* mode) = 0;
  virtual HRESULT put_Mode(const char16_t* mode) = 0;
  virtual HRESULT Pause() = 0;
  virtual HRESULT Play() = 0;
  // A path, a "file:///" URL or an "http:" URL (downloaded into the current
  // folder first) imported into the character.
  virtual HRESULT Import(const char16_t* text) = 0;
  // Binds the character's motion of this name (letter case ignored) and
  // starts counting wraps from 0; the time is kept.
  virtual HRESULT SetMotion(const char16_t* name) = 0;
  // Size of the sprite window and of the hit-test area; -1 takes the
  // control's size.
  virtual HRESULT get_Width(int32_t* value) = 0;
  virtual HRESULT put_Width(int32_t value) = 0;
  virtual HRESULT get_Height(int32_t* value) = 0;
  virtual HRESULT put_Height(int32_t value) = 0;
  virtual HRESULT get_BalloonWidth(int32_t* value) = 0;
  virtual HRESULT put_BalloonWidth(int32_t value) = 0;
  virtual HRESULT get_BalloonHeight(int32_t* value) = 0;
  virtual HRESULT put_BalloonHeight(int32_t value) = 0;
  virtual HRESULT Word(const char16_t* text) = 0;
  virtual HRESULT Message(const char16_t* text) = 0;
  // Position of the sprite window on the parent, applied every tick.
  virtual HRESULT get_px(int32_t* value) = 0;
  virtual HRESULT put_px(int32_t value) = 0;
  virtual HRESULT get_py(int32_t* value) = 0;
  virtual HRESULT put_py(int32_t value) = 0;
  // Degrees: p about X, b about Y; h is kept only.
  virtual HRESULT SetViewRotate(float p, float b, float h) = 0;
  virtual HRESULT SetViewScale(float scale) = 0;
  virtual HRESULT SetViewLookAt(float x, float y, float z) = 0;
  virtual HRESULT get_BgColor(OLE_COLOR* colour) = 0;
  virtual HRESULT put_BgColor(OLE_COLOR colour) = 0;
  // "Cell" turns cel shading on, other text off; get answers "Cell" or "Unknown".
  virtual HRESULT get_RenderMode(std::u16string* mode) = 0;
  virtual HRESULT put_RenderMode(const char16_t* mode) = 0;
  // 0 draws no edge lines.
  virtual HRESULT get_CellEdgeSize(float* size) = 0;
  virtual HRESULT put_CellEdgeSize(float size) = 0;

 protected:
  ~ISavoraPlayer() = default;
};
