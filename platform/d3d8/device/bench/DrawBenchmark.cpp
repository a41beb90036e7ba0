// Frames per second of a lit, textured mesh drawn off-screen at 640 × 480
// through the Direct3D 8 stand-in: as one draw, on glibc's own heap thresholds
// and on the raised ones the stand-in sets, and as 200 groups of 100 triangles
// whose material and texture change per group (two passes, as the renderer
// draws). And the cost of locking the back buffer, whole and one pixel.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "platform/d3d8/d3d8.h"
#include "platform/d3d8/D3D8Hooks.h"
#include "platform/d3d8/testing/OffscreenDevice.h"

namespace {

struct Vertex {
  float x, y, z, nx, ny, nz, u, v;
};
constexpr DWORD VertexFvf = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;

// A device, a texture and a sphere-like grid of about `triangles` triangles.
struct Scene {
  IDirect3D8* d3d = nullptr;
  IDirect3DDevice8* device = nullptr;
  IDirect3DTexture8* texture = nullptr;
  IDirect3DTexture8* second = nullptr;
  IDirect3DVertexBuffer8* vb = nullptr;
  IDirect3DIndexBuffer8* ib = nullptr;
  unsigned vertices = 0, triangles = 0;

  bool Open(unsigned wantTriangles) {
    d3d = Direct3DCreate8(D3D_SDK_VERSION);
    if (!d3d) return false;
    device = D3DTest::CreateOffscreenDevice(d3d, 640, 480);
    if (!device) return false;
    BuildMesh(wantTriangles);
    BuildTexture();
    SetStates();
    return true;
  }

  void BuildMesh(unsigned wantTriangles) {
    unsigned side = static_cast<unsigned>(std::sqrt(wantTriangles / 2.0)) + 1;
    unsigned cols = side, rows = side;
    vertices = (cols + 1) * (rows + 1);
    triangles = cols * rows * 2;
    device->CreateVertexBuffer(vertices * sizeof(Vertex), D3DUSAGE_WRITEONLY, VertexFvf, D3DPOOL_MANAGED, &vb);
    device->CreateIndexBuffer(triangles * 3 * 4, D3DUSAGE_WRITEONLY, D3DFMT_INDEX32, D3DPOOL_MANAGED, &ib);
    BYTE* p = nullptr;
    vb->Lock(0, 0, &p, 0);
    auto* v = reinterpret_cast<Vertex*>(p);
    for (unsigned r = 0; r <= rows; ++r)
      for (unsigned c = 0; c <= cols; ++c) {
        float theta = 3.1415927f * r / rows, phi = 6.2831853f * c / cols;
        float nx = std::sin(theta) * std::cos(phi), ny = std::cos(theta), nz = std::sin(theta) * std::sin(phi);
        *v++ = {nx * 2, ny * 2, nz * 2, nx, ny, nz, static_cast<float>(c) / cols, static_cast<float>(r) / rows};
      }
    vb->Unlock();
    ib->Lock(0, 0, &p, 0);
    auto* i = reinterpret_cast<uint32_t*>(p);
    for (unsigned r = 0; r < rows; ++r)
      for (unsigned c = 0; c < cols; ++c) {
        uint32_t a = r * (cols + 1) + c, b = a + 1, d = a + cols + 1, e = d + 1;
        *i++ = a, *i++ = b, *i++ = d, *i++ = d, *i++ = b, *i++ = e;
      }
    ib->Unlock();
  }

  void BuildTexture() {
    device->CreateTexture(256, 256, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture);
    D3DLOCKED_RECT lr{};
    texture->LockRect(0, &lr, nullptr, 0);
    for (int y = 0; y < 256; ++y)
      for (int x = 0; x < 256; ++x) {
        uint32_t c = ((x / 32 + y / 32) & 1) ? 0xFFFFFFFF : 0xFF4060A0;
        std::memcpy(static_cast<uint8_t*>(lr.pBits) + y * lr.Pitch + x * 4, &c, 4);
      }
    texture->UnlockRect(0);
  }

  void SetStates() {
    D3DMATRIX proj{}, view{}, world{};
    float h = 1.0f / std::tan(0.35f);
    proj._11 = h * 480.0f / 640.0f, proj._22 = h, proj._33 = 100.0f / 99.0f, proj._34 = 1, proj._43 = -100.0f / 99.0f;
    view._11 = view._22 = view._33 = view._44 = 1, view._43 = 8;
    world._11 = world._22 = world._33 = world._44 = 1;
    device->SetTransform(D3DTS_PROJECTION, &proj);
    device->SetTransform(D3DTS_VIEW, &view);
    device->SetTransform(D3DTS_WORLD, &world);
    D3DMATERIAL8 m{};
    m.Diffuse = {1, 1, 1, 1};
    m.Ambient = {0.3f, 0.3f, 0.3f, 1};
    device->SetMaterial(&m);
    D3DLIGHT8 l{};
    l.Type = D3DLIGHT_DIRECTIONAL;
    l.Diffuse = {1, 1, 1, 1};
    l.Direction = {-1, -1, 1};
    device->SetLight(0, &l);
    device->LightEnable(0, TRUE);
    device->SetRenderState(D3DRS_AMBIENT, 0x00404040);
    device->SetTexture(0, texture);
    device->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
    device->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
    device->SetVertexShader(VertexFvf);
    device->SetStreamSource(0, vb, sizeof(Vertex));
    device->SetIndices(ib, 0);
  }

  void Frame() {
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0x001D4059, 1.0f, 0);
    device->BeginScene();
    device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, vertices, 0, triangles);
    device->EndScene();
    device->Present(nullptr, nullptr, nullptr, nullptr);
  }

  // The mesh in groups: per group a material and a texture (two alternate),
  // then a second, blended pass over every group with the second texture
  // through camera-space normals, as a cel pass would.
  void GroupedFrame(unsigned groups) {
    if (!second) {
      device->CreateTexture(64, 64, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &second);
      D3DLOCKED_RECT lr{};
      second->LockRect(0, &lr, nullptr, 0);
      for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
          uint32_t c = y < 32 ? 0xFFFFFFFF : 0xFF909090;
          std::memcpy(static_cast<uint8_t*>(lr.pBits) + y * lr.Pitch + x * 4, &c, 4);
        }
      second->UnlockRect(0);
    }
    const unsigned per = triangles / groups;
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0x001D4059, 1.0f, 0);
    device->BeginScene();
    D3DMATERIAL8 m{};
    for (unsigned g = 0; g < groups; ++g) {
      const float shade = 0.5f + 0.5f * static_cast<float>(g % 7) / 7.0f;
      m.Diffuse = {shade, 1, 1 - shade, 1};
      m.Ambient = {0.3f, 0.3f, 0.3f, 1};
      device->SetMaterial(&m);
      device->SetTexture(0, (g & 1) ? second : texture);
      device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, vertices, g * per * 3, per);
    }
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ZERO);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_SRCCOLOR);
    device->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, D3DTSS_TCI_CAMERASPACENORMAL);
    device->SetTexture(0, second);
    for (unsigned g = 0; g < groups; ++g) device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, vertices, g * per * 3, per);
    device->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, 0);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    device->SetTexture(0, texture);
    device->EndScene();
    device->Present(nullptr, nullptr, nullptr, nullptr);
  }

  // Reading one pixel waits for the frame to finish, so the time is the frame's.
  uint32_t Finish() {
    IDirect3DSurface8* back = nullptr;
    device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &back);
    D3DLOCKED_RECT lr{};
    RECT one{320, 240, 321, 241};
    uint32_t v = 0;
    if (SUCCEEDED(back->LockRect(&lr, &one, D3DLOCK_READONLY))) {
      std::memcpy(&v, lr.pBits, 4);
      back->UnlockRect();
    }
    back->Release();
    return v;
  }

  ~Scene() {
    if (vb) vb->Release();
    if (ib) ib->Release();
    if (texture) texture->Release();
    if (second) second->Release();
    if (device) device->Release();
    if (d3d) d3d->Release();
  }
};

// Arguments: triangles, and whether the stand-in may raise glibc's heap
// thresholds. Those without run first: once raised, they stay for the process.
void BM_LitTexturedMesh(benchmark::State& state) {
  Platform::SetD3DHeapTuning(state.range(1) != 0);
  Scene scene;
  if (!scene.Open(static_cast<unsigned>(state.range(0)))) {
    state.SkipWithError("no device");
    return;
  }
  for (auto _ : state) {
    scene.Frame();
    benchmark::DoNotOptimize(scene.Finish());
  }
  state.SetLabel(Platform::D3DRendererName());
  state.counters["triangles"] = scene.triangles;
  state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LitTexturedMesh)
    ->ArgNames({"triangles", "heap_tuned"})
    ->Args({10000, 0})
    ->Args({100000, 0})
    ->Args({10000, 1})
    ->Args({100000, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_GroupedMesh(benchmark::State& state) {
  Scene scene;
  if (!scene.Open(20000)) {
    state.SkipWithError("no device");
    return;
  }
  const auto groups = static_cast<unsigned>(state.range(0));
  for (auto _ : state) {
    scene.GroupedFrame(groups);
    benchmark::DoNotOptimize(scene.Finish());
  }
  state.SetLabel(Platform::D3DRendererName());
  state.counters["draws"] = 2.0 * groups;
  state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_GroupedMesh)->ArgName("groups")->Arg(200)->Unit(benchmark::kMillisecond)->UseRealTime();

// Each iteration as a caller does it: get the back buffer, lock, unlock, release.
void BM_LockBackBuffer(benchmark::State& state) {
  Scene scene;
  if (!scene.Open(10000)) {
    state.SkipWithError("no device");
    return;
  }
  scene.Frame();
  scene.Finish();
  const RECT one{320, 240, 321, 241};
  const bool whole = state.range(0) != 0;
  for (auto _ : state) {
    IDirect3DSurface8* back = nullptr;
    scene.device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &back);
    D3DLOCKED_RECT lr{};
    back->LockRect(&lr, whole ? nullptr : &one, D3DLOCK_READONLY);
    benchmark::DoNotOptimize(lr.pBits);
    back->UnlockRect();
    back->Release();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * (whole ? 640 * 480 * 4 : 4));
}
BENCHMARK(BM_LockBackBuffer)->ArgName("whole")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
