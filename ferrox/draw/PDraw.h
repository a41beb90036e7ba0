// Frx::Draw::PDraw: the Direct3D 8 screen of one window (device creation with
// fallbacks, present and lost-device recovery, world-to-window matrices) and
// the drawing the hosts need around the engine (render-state presets, blend
// modes, textures, sprites, boxes, lines, a text overlay).
#pragma once

#include "ferrox/draw/DrawTypes.h"
#include "ferrox/math/Pmatrix.h"
#include "ferrox/math/Pvector.h"
#include "ferrox/string/Pstring.h"
#include "platform/d3d8/d3d8.h"
#include "platform/d3d8/d3dx8core.h"
#include "platform/d3d8/d3dx8tex.h"

namespace Frx::Draw {

class PDraw {
 public:
  PDraw();
  // Not virtual: derived hosts are never deleted through a PDraw pointer.
  ~PDraw();
  // The object owns one reference of its device and Direct3D object; a copy
  // would release them twice, so there are none.
  PDraw(const PDraw&) = delete;
  PDraw& operator=(const PDraw&) = delete;

  // Screen life cycle.
  int Initialize(HWND window, int fullScreen = 0);
  int Uninitialize();
  // error (when not null) receives 0 to 5; see the error codes in PDrawCreate.cpp.
  int CreateScreen(int fatal, int* error = nullptr);
  int ReleaseScreen();
  int UpdateScreenRect();
  int ResizeScreen();
  int UpdateScreen();
  int UpdateScreenSync() { return UpdateScreen(); }
  int FlushScreen();
  virtual int ResetScreen();
  void SetClearColor(unsigned long argb) { clearColor = static_cast<uint32_t>(argb); }

  // m × view × projection × window mapping: points land on window pixels (y down).
  Pmatrix GetMatrixWorld2Screen(const Pmatrix& m);
  Pmatrix GetMatrixScreen2World(const Pmatrix& m);
  int VerifyTextureFormat(D3DFORMAT format);
  // n: 0 R5G6B5, 1 A1R5G5B5, 2 R8G8B8, 3 A8R8G8B8.
  int IsUseTextureFormat(unsigned long n) const;

  // Render-state presets.
  void SetRenderStateInitialize();
  void SetRenderStateBlend(BlendMode mode);
  void SetRenderStateFilter(int linear);
  void SetRenderStateLighting(int on);
  int ValidateRenderState();

  // Textures: the caller owns the reference returned (null on failure).
  IDirect3DTexture8* LoadTexture(const char* path, D3DFORMAT format, unsigned long colourKey);
  IDirect3DTexture8* LoadTextureCK(const char* path, D3DFORMAT format);

  // Sprites, boxes and lines; a null texture keeps stage 0's texture.
  void DrawSprite(Pvector p, Pvector s, unsigned long colour, Prect r, IDirect3DTexture8* texture);
  void DrawSprite(Pvector p, float w, float h, unsigned long colour, Prect r, IDirect3DTexture8* texture);
  void DrawSprite(const Pvector* q, unsigned long colour, Prect r, IDirect3DTexture8* texture);
  void DrawSprite3D(Pvector pos, Pvector size, unsigned long colour, Prect r, IDirect3DTexture8* texture);
  void DrawSprite3D(Pvector pos, Pvector size, unsigned long colour, Prect r, float angle,
                    IDirect3DTexture8* texture);
  void DrawSprite3D(Pvector pos, Pvector size, unsigned long colour, const Pmatrix& m, Prect r,
                    IDirect3DTexture8* texture);
  void DrawSprite3D(const Pvector* q, unsigned long colour, Prect r, IDirect3DTexture8* texture);
  void DrawFillBox(Pvector p, Pvector s, unsigned long colour);
  void DrawLine(Pvector a, Pvector b, unsigned long colourA, unsigned long colourB);
  void DrawLine(Pvector a, Pvector b, unsigned long colour) { DrawLine(a, b, colour, colour); }
  void DrawLine3D_List(const P3DLINEVERTEX* v, unsigned long n);
  void DrawLine3D_Strip(const P3DLINEVERTEX* v, unsigned long n);

  // Text overlay.
  void InitFont(int width, int height, const char* face = nullptr);
  void CreateFontA();
  void ReleaseFont();
  void Print(const char* text, int x, int y, int unused, int colour);
  void Print(const Pstring& s, int x, int y, int unused, int colour) { Print(s.Get(), x, y, unused, colour); }
  void Print(int x, int y, int unused, int colour, const char* text) { Print(text, x, y, unused, colour); }
  void Print(const char* text);
  void Print(const Pstring& s) { Print(s.Get()); }
  void Printf(const char* format, ...) __attribute__((format(printf, 2, 3)));
  void Printf2(int x, int y, int unused, unsigned long colour, const char* format, ...)
      __attribute__((format(printf, 6, 7)));
  void SetIndent(int x, int y);
  void SetIndent() { SetIndent(0, 0); }

  HWND window;
  int initialized;
  int fullScreen;
  int screenCreated;
  IDirect3DDevice8* device;
  IDirect3D8* d3d;
  D3DDEVTYPE deviceType;
  D3DPRESENT_PARAMETERS presentParams;
  int screenWidth;
  int screenHeight;
  RECT screenRect;
  uint32_t clearColor;
  D3DCAPS8 caps;
  unsigned long textureFormats;
  int fontSetUp;
  ID3DXFont* font;
  Pstring fontFace;
  int fontWidth;
  int fontHeight;
  int textX;
  int textY;
  int charAdvance;
  uint32_t textColor;
  int indentX;
  int indentY;

 private:
  void DrawText(const char* text, int x, int y, uint32_t colour);
  void SetStageTexture(IDirect3DTexture8* texture);
};

}  // namespace Frx::Draw
