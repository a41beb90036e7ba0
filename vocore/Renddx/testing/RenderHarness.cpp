#include "vocore/Renddx/testing/RenderHarness.h"

#include <cmath>
#include <cstring>

#include "platform/d3d8/d3dx8math.h"
#include "vocore/diblib/DibImage.h"
#include "vocore/diblib/DibReaders.h"
#include "vocore/scene/VoICharacter.h"

namespace votest {

uint32_t Image::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return 0;
  return pixels[static_cast<size_t>(y) * width + x];
}

bool Image::SaveBmp(const char* path) const {
  DibImage dib;
  if (Empty() || !dib.Create(width, height, 24)) return false;
  for (int y = 0; y < height; ++y) {
    uint8_t* row = dib.Row(y);
    for (int x = 0; x < width; ++x) {
      const uint32_t c = At(x, y);
      row[x * 3 + 0] = c & 0xFF, row[x * 3 + 1] = (c >> 8) & 0xFF, row[x * 3 + 2] = (c >> 16) & 0xFF;
    }
  }
  return ::SaveBmp(&dib, path);
}

RenderHarness::RenderHarness(int width, int height) : width_(width), height_(height), window_(width, height) {}

RenderHarness::~RenderHarness() {
  for (VoICharacter* c : characters_) master_.ReleaseItem(c);
  if (initialized_) master_.Uninitialize();
  renderer_.AttachDevice(nullptr, nullptr);
  draw_.Uninitialize();
}

bool RenderHarness::Open() {
  if (draw_.device) return true;
  if (!draw_.Initialize(&window_, 0)) return false;
  int code = 0;
  if (!draw_.CreateScreen(0, &code)) return false;
  renderer_.AttachDevice(draw_.d3d, draw_.device);
  initialized_ = master_.Initialize(&renderer_) == 1;
  return initialized_;
}

VoICharacter* RenderHarness::NewCharacter(const char* name) {
  VoICharacter* c = master_.NewItem<VoICharacter>(nullptr);
  c->SetName(name);
  characters_.push_back(c);
  return c;
}

Image RenderHarness::Render(VoICharacter* character, float time) {
  if (!draw_.device) return {};
  Draw(character, time);
  return ReadBack();
}

void RenderHarness::Draw(VoICharacter* character, float time) {
  IDirect3DDevice8* d = draw_.device;
  if (!d) return;
  draw_.SetClearColor(background);
  draw_.FlushScreen();
  draw_.SetRenderStateInitialize();
  renderer_.InitialFrame();
  master_.CountUpdate();
  if (character) master_.Animation(character, Frx::Pmatrix::id, time);
  d->BeginScene();
  D3DXMATRIX view, projection;
  const D3DXVECTOR3 eye(camera.eye.x, camera.eye.y, camera.eye.z), at(camera.at.x, camera.at.y, camera.at.z),
      up(camera.up.x, camera.up.y, camera.up.z);
  D3DXMatrixLookAtRH(&view, &eye, &at, &up);
  D3DXMatrixPerspectiveFovRH(&projection, camera.fovDegrees * 3.1415927f / 180.0f,
                             static_cast<float>(width_) / static_cast<float>(height_), camera.nearZ, camera.farZ);
  d->SetTransform(D3DTS_PROJECTION, &projection);
  d->SetTransform(D3DTS_VIEW, &view);
  d->SetTransform(D3DTS_WORLD, &Frx::Pmatrix::id);
  D3DLIGHT8 l{};
  l.Type = D3DLIGHT_DIRECTIONAL;
  l.Diffuse = {1.0f, 1.0f, 1.0f, 1.0f};
  l.Direction = {light.direction.x, light.direction.y, light.direction.z};
  l.Range = 3.4028235e38f;
  d->SetLight(0, &l);
  d->LightEnable(0, light.on ? TRUE : FALSE);
  renderer_.InitialFrame();
  if (character) master_.Discation(character);
  d->EndScene();
  draw_.UpdateScreen();
}

Image RenderHarness::ReadBack() {
  Image image;
  IDirect3DDevice8* d = draw_.device;
  IDirect3DSurface8* back = nullptr;
  if (!d || FAILED(d->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &back))) return image;
  D3DSURFACE_DESC desc{};
  D3DLOCKED_RECT locked{};
  if (SUCCEEDED(back->GetDesc(&desc)) && SUCCEEDED(back->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
    image.width = static_cast<int>(desc.Width);
    image.height = static_cast<int>(desc.Height);
    image.pixels.resize(static_cast<size_t>(image.width) * image.height);
    for (int y = 0; y < image.height; ++y)
      for (int x = 0; x < image.width; ++x) {
        uint32_t v;
        std::memcpy(&v, static_cast<const uint8_t*>(locked.pBits) + y * locked.Pitch + x * 4, 4);
        image.pixels[static_cast<size_t>(y) * image.width + x] = v & 0xFFFFFF;
      }
    back->UnlockRect();
  }
  back->Release();
  return image;
}

}  // namespace votest
