#include "ferrox/draw/PDraw.h"

#include <cstring>

#include "ferrox/draw/Window.h"
#include "ferrox/ferrox/Ferrox.h"

namespace Frx::Draw {
namespace {

void DebugLog(const char* text) {
  if (theFerrox.debug) theFerrox.Log("%s", text);
}

}  // namespace

PDraw::PDraw()
    : window(nullptr),
      initialized(0),
      fullScreen(0),
      screenCreated(0),
      device(nullptr),
      d3d(nullptr),
      deviceType(static_cast<D3DDEVTYPE>(0)),
      presentParams{},
      screenWidth(0),
      screenHeight(0),
      screenRect{},
      clearColor(0),
      caps{},
      textureFormats(0),
      fontSetUp(0),
      font(nullptr),
      fontWidth(0),
      fontHeight(0),
      textX(0),
      textY(0),
      charAdvance(16),
      textColor(0xFFFFFF80u),
      indentX(0),
      indentY(0) {}

PDraw::~PDraw() { Uninitialize(); }

int PDraw::Initialize(HWND w, int full) {
  if (initialized) return 0;
  DebugLog("PDraw : Initialize\n");
  window = w;
  fullScreen = full;
  initialized = 1;
  return 1;
}

int PDraw::Uninitialize() {
  if (!initialized) return 0;
  DebugLog("PDraw : Uninitialize\n");
  ReleaseScreen();
  initialized = 0;
  return 1;
}

int PDraw::ReleaseScreen() {
  if (!screenCreated) return 0;
  DebugLog("PDraw : ReleaseScreen\n");
  ReleaseFont();
  if (device) device->Release(), device = nullptr;
  if (d3d) d3d->Release(), d3d = nullptr;
  screenCreated = 0;
  return 1;
}

int PDraw::UpdateScreenRect() {
  int w = 0, h = 0, x = 0, y = 0;
  if (window) {
    window->GetClientSize(&w, &h);
    window->GetScreenOrigin(&x, &y);
  }
  // A minimised window still maps to one pixel: no singular window matrix.
  if (w < 1) w = 1;
  if (h < 1) h = 1;
  screenRect = {x, y, x + w, y + h};
  screenWidth = w;
  screenHeight = h;
  return 1;
}

int PDraw::ResizeScreen() {
  if (!screenCreated) return 0;
  DebugLog("PDraw : ResizeScreen\n");
  UpdateScreenRect();
  presentParams.BackBufferWidth = static_cast<uint32_t>(screenWidth);
  presentParams.BackBufferHeight = static_cast<uint32_t>(screenHeight);
  ResetScreen();
  return 1;
}

int PDraw::UpdateScreen() {
  if (!screenCreated) return 0;
  if (FAILED(device->Present(nullptr, nullptr, nullptr, nullptr))) ResetScreen();
  return 1;
}

int PDraw::FlushScreen() {
  if (!screenCreated) return 0;
  device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, clearColor, 1.0f, 0);
  textX = textY = 0;
  return 1;
}

int PDraw::ResetScreen() {
  if (!screenCreated) return 0;
  DebugLog("PDraw : ResetScreen\n");
  ReleaseFont();
  D3DPRESENT_PARAMETERS params = presentParams;
  if (FAILED(device->Reset(&params))) return 0;
  CreateFontA();
  return 1;
}

Pmatrix PDraw::GetMatrixWorld2Screen(const Pmatrix& m) {
  Pmatrix view = Pmatrix::id, projection = Pmatrix::id;
  if (device) {
    device->GetTransform(D3DTS_VIEW, &view);
    device->GetTransform(D3DTS_PROJECTION, &projection);
  }
  float w = static_cast<float>(screenWidth < 1 ? 1 : screenWidth);
  float h = static_cast<float>(screenHeight < 1 ? 1 : screenHeight);
  Pmatrix window = Pmatrix::id;
  window._11 = w * 0.5f;
  window._22 = -h * 0.5f;
  window._41 = w * 0.5f;
  window._42 = h * 0.5f;
  return m * view * projection * window;
}

Pmatrix PDraw::GetMatrixScreen2World(const Pmatrix& m) { return GetMatrixWorld2Screen(m).GetInverse(); }

int PDraw::VerifyTextureFormat(D3DFORMAT format) {
  if (!d3d) return 0;
  return SUCCEEDED(d3d->CheckDeviceFormat(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, presentParams.BackBufferFormat, 0,
                                          D3DRTYPE_TEXTURE, format))
             ? 1
             : 0;
}

int PDraw::IsUseTextureFormat(unsigned long n) const {
  if (n >= 32) return 0;
  return static_cast<int>(textureFormats & (1ul << n));
}

}  // namespace Frx::Draw
