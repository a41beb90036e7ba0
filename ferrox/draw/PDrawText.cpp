// The text overlay: a font object on the device, a cursor and an indent.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "ferrox/draw/PDraw.h"
#include "ferrox/ferrox/Ferrox.h"

namespace Frx::Draw {

void PDraw::InitFont(int width, int height, const char* face) {
  fontWidth = width;
  fontHeight = height;
  fontFace = face ? face : "ＭＳ ゴシック";
  fontSetUp = 1;
  CreateFontA();
}

void PDraw::CreateFontA() {
  if (!fontSetUp || !device) return;
  ReleaseFont();
  if (fontHeight == 0) return;
  LOGFONTA description{};
  description.lfHeight = fontHeight;
  description.lfWidth = fontWidth;
  description.lfWeight = FW_NORMAL;
  description.lfCharSet = SHIFTJIS_CHARSET;
  std::strncpy(description.lfFaceName, fontFace.Get(), sizeof description.lfFaceName - 1);
  if (FAILED(D3DXCreateFontIndirect(device, &description, &font))) {
    font = nullptr;
    theFerrox.Error("D3DXFont の初期化に失敗しました。");
  }
}

void PDraw::ReleaseFont() {
  if (font) font->Release(), font = nullptr;
}

void PDraw::DrawText(const char* text, int x, int y, uint32_t colour) {
  if (!font || !text) return;
  RECT r{indentX + x, indentY + y, screenWidth, screenHeight};
  font->DrawTextA(text, -1, &r, DT_EXPANDTABS | DT_LEFT | DT_TOP, colour);
}

void PDraw::Print(const char* text, int x, int y, int, int colour) {
  DrawText(text, x, y, static_cast<uint32_t>(colour));
}

void PDraw::Print(const char* text) {
  if (!text) return;
  DrawText(text, textX, textY, textColor);
  for (const char* p = text; *p; ++p) {
    unsigned char c = static_cast<unsigned char>(*p);
    if (c == '\n') {
      textX = 0;
      textY += charAdvance;
    } else if (c >= 32 && c <= 126) {
      textX += charAdvance;
    }
  }
}

void PDraw::Printf(const char* format, ...) {
  if (!format) return;
  char buffer[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  Print(buffer);
}

void PDraw::Printf2(int x, int y, int, unsigned long colour, const char* format, ...) {
  if (!format) return;
  char buffer[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  DrawText(buffer, x, y, static_cast<uint32_t>(colour));
}

void PDraw::SetIndent(int x, int y) {
  indentX = x, indentY = y;
  textX = textY = 0;
}

}  // namespace Frx::Draw
