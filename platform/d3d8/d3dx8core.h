// The D3DX font object: text drawn with FreeType from a font found through
// fontconfig; the face "ＭＳ ゴシック" (and an empty face) maps to IPAGothic.
#pragma once

#include "platform/d3d8/d3d8.h"

class ID3DXFont : public IUnknownLike {
 public:
  virtual HRESULT GetDevice(IDirect3DDevice8** device) = 0;
  virtual HRESULT GetLogFont(LOGFONTA* font) = 0;
  virtual HRESULT Begin() = 0;
  // Shift-JIS text (count -1: up to its end) laid out in rect with DT_* format
  // bits (line feeds break lines, DT_EXPANDTABS, DT_CALCRECT, DT_NOCLIP,
  // DT_SINGLELINE). Returns the height of the text drawn, 0 on failure.
  virtual int DrawTextA(const char* text, int count, RECT* rect, DWORD format, D3DCOLOR colour) = 0;
  virtual HRESULT End() = 0;
};
typedef ID3DXFont* LPD3DXFONT;

// The caller owns one reference of the font.
HRESULT D3DXCreateFontIndirect(IDirect3DDevice8* device, const LOGFONTA* description, ID3DXFont** font);
