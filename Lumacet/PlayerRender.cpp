// The loop's screen: the drawing surface on the drawing window, the cel ramp,
// the captured background, and one rendered frame (camera, light, character).
#include <cmath>
#include <cstdint>
#include <cstring>

#include "Lumacet/PlayerEngine.h"
#include "Lumacet/PlayerLoop.h"
#include "ferrox/ferrox/Ferrox.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/vocore/VoMaster.h"

namespace {

constexpr float DegreesToRadians = 3.14159265358979f / 180.0f;

void Step(int line) { Frx::theFerrox.Log("%s(%d) :step\n", __FILE_NAME__, line); }

void DebugLog(const char* text) {
  if (Frx::theFerrox.debug) Frx::theFerrox.Log("%s", text);
}

bool Is32Bit(D3DFORMAT format) { return format == D3DFMT_X8R8G8B8 || format == D3DFMT_A8R8G8B8; }

}  // namespace

int PlayerLoop::DrawSurface::ResetScreen() {
  if (!device) return 0;
  if (VoICharacter* c = loop_.Character()) loop_.ResetRenderObject(c);
  return PDraw::ResetScreen();
}

void PlayerLoop::OpenScreen(HWND window) {
  if (HasScreen()) return;
  DebugLog("PDraw の初期化\n");
  surface_.Initialize(window, 0);
  if (!surface_.CreateScreen(1)) Frx::theFerrox.Shutdown("画面の生成に失敗しました。");
  DebugLog("Savora:Engine Renderer の初期化\n");
  AttachDevice(surface_.d3d, surface_.device);
  const D3DCAPS8& caps = surface_.caps;
  auto side = [](DWORD v) { return static_cast<uint16_t>(v > 65535 ? 65535 : v); };
  SetRenderCaps(side(caps.MaxTextureWidth), side(caps.MaxTextureHeight), side(caps.MaxSimultaneousTextures), 32);
  outlineR = outlineG = outlineB = 0.5f;
  celTexture = nullptr;
  // A second screen is another device: every render object starts afresh.
  if (screensOpened_++ > 0) RenewRenderObjects();
  screenMode_ = mode;
  if (mode == ModeSprite || mode == ModeBorderless) CreateBackground();
  lastClock_ = clock_();
  LoadCelTexture();
}

void PlayerLoop::CloseScreen() {
  ReleaseBackground();
  if (celTexture) celTexture->Release();
  celTexture = nullptr;
  AttachDevice(nullptr, nullptr);
  surface_.Uninitialize();
}

void PlayerLoop::ResizeScreen() {
  if (!HasScreen()) return;
  surface_.ResizeScreen();
  if (backgroundTexture_) CreateBackground();
}

void PlayerLoop::MaxScreenSize(int64_t* width, int64_t* height) const {
  D3DCAPS8 caps{};
  if (HasScreen()) {
    caps = surface_.caps;
  } else if (IDirect3D8* d3d = Direct3DCreate8(D3D_SDK_VERSION)) {
    if (FAILED(d3d->GetDeviceCaps(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, &caps)))
      d3d->GetDeviceCaps(D3DADAPTER_DEFAULT, D3DDEVTYPE_REF, &caps);
    d3d->Release();
  }
  *width = caps.MaxTextureWidth ? static_cast<int64_t>(caps.MaxTextureWidth) : INT64_MAX;
  *height = caps.MaxTextureHeight ? static_cast<int64_t>(caps.MaxTextureHeight) : INT64_MAX;
}

bool PlayerLoop::CanDraw(int64_t w, int64_t h) const {
  int64_t maxWidth = 0, maxHeight = 0;
  MaxScreenSize(&maxWidth, &maxHeight);
  return w <= maxWidth && h <= maxHeight;
}

void PlayerLoop::RenewRenderObjects() {
  VoICharacter* c = Character();
  if (!c) return;
  VoMaster::ItemList items;
  c->GetAllList(items, 1);
  PlayerEngine::RendererScope scope(this);
  for (VoIItem* item : items)
    if (item) Master().CreateState(item);
}

void PlayerLoop::LoadCelTexture() {
  if (celTexture) celTexture->Release();
  celTexture = nullptr;
  outlineR = outlineG = outlineB = 0.5f;
  celShading = 1;
  outline = 1;
  outlineWidth = 2.0f;
  const Frx::Pstring path = VoMaster::strPath + "cel.bmp";
  celTexture = surface_.LoadTexture(path.Get(), D3DFMT_UNKNOWN, 0);
  surface_.SetClearColor(0);
}

void PlayerLoop::CreateBackground() {
  ReleaseBackground();
  const D3DFORMAT format = surface_.presentParams.BackBufferFormat;
  const int w = surface_.screenWidth, h = surface_.screenHeight;
  // The pixels are written as 32-bit words; other screen formats get no background.
  if (!surface_.device || !Is32Bit(format) || w <= 0 || h <= 0) {
    Step(__LINE__);
    return;
  }
  if (FAILED(surface_.device->CreateTexture(static_cast<unsigned>(w), static_cast<unsigned>(h), 1, 0, format,
                                            D3DPOOL_MANAGED, &backgroundTexture_))) {
    backgroundTexture_ = nullptr;
    Step(__LINE__);
  }
}

void PlayerLoop::ReleaseBackground() {
  if (backgroundTexture_) backgroundTexture_->Release();
  backgroundTexture_ = nullptr;
}

void PlayerLoop::SetBackground(const uint32_t* rgb, int w, int h, int stride) {
  if (!backgroundTexture_ || !rgb || w <= 0 || h <= 0 || stride < w) return;
  D3DSURFACE_DESC desc{};
  D3DLOCKED_RECT locked{};
  if (FAILED(backgroundTexture_->GetLevelDesc(0, &desc)) ||
      FAILED(backgroundTexture_->LockRect(0, &locked, nullptr, 0))) {
    Step(__LINE__);
    return;
  }
  const int rows = h < static_cast<int>(desc.Height) ? h : static_cast<int>(desc.Height);
  const int columns = w < static_cast<int>(desc.Width) ? w : static_cast<int>(desc.Width);
  for (int y = 0; y < rows; ++y) {
    auto* out = static_cast<uint8_t*>(locked.pBits) + static_cast<ptrdiff_t>(y) * locked.Pitch;
    const uint32_t* in = rgb + static_cast<ptrdiff_t>(y) * stride;
    for (int x = 0; x < columns; ++x) {
      const uint32_t texel = BackgroundTexel(in[x]);
      std::memcpy(out + static_cast<ptrdiff_t>(x) * 4, &texel, 4);
    }
  }
  backgroundTexture_->UnlockRect(0);
}

void PlayerLoop::RenderFrame() {
  if (!HasScreen()) return;
  IDirect3DDevice8* d = surface_.device;
  surface_.SetClearColor(background);
  surface_.FlushScreen();
  if ((screenMode_ == ModeSprite || screenMode_ == ModeBorderless) && backgroundTexture_) {
    IDirect3DSurface8* back = nullptr;
    IDirect3DSurface8* level = nullptr;
    if (FAILED(d->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &back))) {
      Step(__LINE__);
    } else if (FAILED(backgroundTexture_->GetSurfaceLevel(0, &level))) {
      Step(__LINE__);
    } else {
      const RECT whole{0, 0, surface_.screenWidth, surface_.screenHeight};
      const POINT origin{0, 0};
      if (FAILED(d->CopyRects(level, &whole, 1, back, &origin))) Step(__LINE__);
    }
    if (level) level->Release();
    if (back) back->Release();
  }
  surface_.SetRenderStateInitialize();
  InitialFrame();
  d->BeginScene();

  const float aspect = surface_.screenHeight > 0
                           ? static_cast<float>(surface_.screenWidth) / static_cast<float>(surface_.screenHeight)
                           : 1.0f;
  D3DXMATRIX projection, scaling;
  D3DXMatrixPerspectiveFovRH(&projection, 0.34906587f, aspect, 100.0f, 10000.0f);
  D3DXMatrixScaling(&scaling, viewScale, viewScale, 1.0f);
  projection = projection * scaling;
  d->SetTransform(D3DTS_PROJECTION, &projection);

  // The look-at translation first, then the turns, then back by the distance.
  D3DXMATRIX look, turnY, turnX, back;
  D3DXMatrixTranslation(&look, lookX, lookY, lookZ);
  D3DXMatrixRotationY(&turnY, viewB * DegreesToRadians);
  D3DXMatrixRotationX(&turnX, viewP * DegreesToRadians);
  D3DXMatrixTranslation(&back, 0.0f, 0.0f, -viewDistance);
  view_ = look * turnY * turnX * back;
  d->SetTransform(D3DTS_VIEW, &view_);
  D3DXMATRIX world;
  D3DXMatrixIdentity(&world);
  d->SetTransform(D3DTS_WORLD, &world);

  // A white light from over the viewer's shoulder, fixed to the view.
  D3DXMATRIX unturnX, unturnY;
  D3DXMatrixRotationX(&unturnX, -viewP * DegreesToRadians);
  D3DXMatrixRotationY(&unturnY, -viewB * DegreesToRadians);
  const D3DXMATRIX unturn = unturnX * unturnY;
  const D3DXVECTOR3 from(-1.0f, -1.0f, -1.0f);
  D3DXVECTOR3 direction;
  D3DXVec3TransformNormal(&direction, &from, &unturn);
  D3DXVec3Normalize(&direction, &direction);
  D3DLIGHT8 light{};
  light.Type = D3DLIGHT_DIRECTIONAL;
  light.Diffuse = {1.0f, 1.0f, 1.0f, 1.0f};
  light.Position = {0.0f, 0.0f, 100.0f};
  light.Direction = {direction.x, direction.y, direction.z};
  light.Range = 3.4028235e38f;
  light.Attenuation0 = 1.0f;
  d->SetLight(0, &light);
  d->LightEnable(0, TRUE);

  if (VoICharacter* c = Character()) Master().Discation(c);
  d->EndScene();
  surface_.UpdateScreen();
}
