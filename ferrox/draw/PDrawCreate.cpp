// PDraw::CreateScreen. Error codes: 0 hardware device; 1 not initialised;
// 2 a screen exists; 3 no Direct3D, no DirectX 8.1 or no display mode; 4 no
// device of any type; 5 running on the reference rasteriser (still success).
#include <cstring>

#include "ferrox/draw/PDraw.h"
#include "ferrox/ferrox/Ferrox.h"
#include "platform/module/Module.h"

namespace Frx::Draw {
namespace {

void DebugLog(const char* text) {
  if (theFerrox.debug) theFerrox.Log("%s", text);
}

void LogCaps(const D3DCAPS8& c, unsigned long formats) {
  if (!theFerrox.debug) return;
  theFerrox.Log("デバイス能力情報\n");
  theFerrox.Log("  最大テクスチャサイズ (%d, %d)\n", static_cast<int>(c.MaxTextureWidth),
                static_cast<int>(c.MaxTextureHeight));
  theFerrox.Log("  最大ブレンドステージ数 (%d)\n", static_cast<int>(c.MaxTextureBlendStages));
  theFerrox.Log("  最大テクスチャステージ数 (%d)\n", static_cast<int>(c.MaxSimultaneousTextures));
  theFerrox.Log("  利用できるテクスチャフォーマット ");
  if (formats & 1) theFerrox.Log(" R5G6B5 &");
  if (formats & 2) theFerrox.Log(" A1R5G5B5 &");
  if (formats & 4) theFerrox.Log(" R8G8B8 &");
  if (formats & 8) theFerrox.Log(" A8R8G8B8");
  theFerrox.Log("\n");
  theFerrox.Log("  最大プリミティブ数 (%d)\n", static_cast<int>(c.MaxPrimitiveCount));
  theFerrox.Log("  最大頂点インデクス数 (%d)\n", static_cast<int>(c.MaxVertexIndex));
  theFerrox.Log("  最大ライト数 (%d)\n", static_cast<int>(c.MaxActiveLights));
  theFerrox.Log("  頂点シェーダバージョン (%x)\n", static_cast<unsigned>(c.VertexShaderVersion));
  theFerrox.Log("  ピクセルシェーダバージョン (%x)\n", static_cast<unsigned>(c.PixelShaderVersion));
}

}  // namespace

int PDraw::CreateScreen(int fatal, int* error) {
  int code = 0;
  auto fail = [&](int c) {
    if (error) *error = c;
    return 0;
  };
  if (error) *error = 0;
  if (!initialized) return fail(1);
  if (screenCreated) return fail(2);
  ReleaseScreen();
  DebugLog("PDraw : CreateScreen\n");
  UpdateScreenRect();

  d3d = Direct3DCreate8(D3D_SDK_VERSION);
  if (!d3d) {
    if (fatal) theFerrox.Shutdown("DirectX8 の取得に失敗しました。\nDirectX8.1 がインストールされているか確認してください。");
    return fail(3);
  }
  HMODULE probe = LoadLibraryA("dpnhpast.dll");
  if (!probe) {
    d3d->Release(), d3d = nullptr;
    if (fatal)
      theFerrox.Shutdown("DirectX8.1 の取得に失敗しました。\nDirectX8.1 がインストールされているか確認してください。");
    return fail(3);
  }
  FreeLibrary(probe);
  D3DDISPLAYMODE mode{};
  if (FAILED(d3d->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &mode))) {
    d3d->Release(), d3d = nullptr;
    if (fatal) theFerrox.Shutdown("Direct3D の初期化に失敗しました。\nディスプレイアダプタが取得できませんでした。\n");
    return fail(3);
  }

  std::memset(&presentParams, 0, sizeof presentParams);
  presentParams.BackBufferFormat = mode.Format;
  presentParams.EnableAutoDepthStencil = TRUE;
  presentParams.AutoDepthStencilFormat = D3DFMT_D16;
  presentParams.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
  presentParams.hDeviceWindow = window;
  if (!fullScreen) {
    presentParams.Windowed = TRUE;
    presentParams.SwapEffect = D3DSWAPEFFECT_DISCARD;
  } else {
    presentParams.Windowed = FALSE;
    presentParams.SwapEffect = D3DSWAPEFFECT_COPY;
    presentParams.BackBufferWidth = static_cast<uint32_t>(screenWidth);
    presentParams.BackBufferHeight = static_cast<uint32_t>(screenHeight);
    presentParams.BackBufferCount = 1;
    presentParams.FullScreen_PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
  }

  DebugLog("  deviece type ");
  // The device may fill in the back-buffer size; the stored record keeps 0 × 0
  // in a window so that a reset follows the window's size.
  D3DPRESENT_PARAMETERS params = presentParams;
  if (SUCCEEDED(d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window, D3DCREATE_HARDWARE_VERTEXPROCESSING,
                                  &params, &device))) {
    DebugLog("T&L HAL");
    deviceType = D3DDEVTYPE_HAL;
  } else if (params = presentParams;
             SUCCEEDED(d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window,
                                         D3DCREATE_SOFTWARE_VERTEXPROCESSING, &params, &device))) {
    DebugLog("HAL ");
    deviceType = D3DDEVTYPE_HAL;
  } else if (params = presentParams;
             SUCCEEDED(d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_REF, window,
                                         D3DCREATE_SOFTWARE_VERTEXPROCESSING, &params, &device))) {
    if (fatal)
      theFerrox.Error("この環境ではハードウェアによる３Ｄアクセラレーションを利用できません。\nソフトウェアエミュレーションモードで実行します。\n実行パフォーマンスが極端に低下します。ご了承ください。\n");
    DebugLog("REF ");
    code = 5;
    deviceType = D3DDEVTYPE_REF;
  } else {
    device = nullptr;
    d3d->Release(), d3d = nullptr;
    if (fatal)
      theFerrox.Shutdown("Direct3D の初期化に失敗しました。\nDirectX8 に対応した環境か確認してください。\n※グラフィックボードのドライバは最新のものに更新されていますか？\n※また、ディスプレイの色数を 32bit または 16bit 色にしてみてください。\n");
    return fail(4);
  }
  if (theFerrox.debug) {
    theFerrox.Log("\n");
    theFerrox.Log("  Screen %d, %d, %d, %d\n", static_cast<int>(screenRect.top), static_cast<int>(screenRect.bottom),
                  static_cast<int>(screenRect.left), static_cast<int>(screenRect.right));
  }

  device->GetDeviceCaps(&caps);
  textureFormats = 0;
  if (VerifyTextureFormat(D3DFMT_R5G6B5)) textureFormats |= 1;
  if (VerifyTextureFormat(D3DFMT_A1R5G5B5)) textureFormats |= 2;
  if (VerifyTextureFormat(D3DFMT_R8G8B8)) textureFormats |= 4;
  if (VerifyTextureFormat(D3DFMT_A8R8G8B8)) textureFormats |= 8;
  LogCaps(caps, textureFormats);

  screenCreated = 1;
  CreateFontA();
  if (error) *error = code;
  return 1;
}

}  // namespace Frx::Draw
