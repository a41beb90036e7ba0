// Frames per second of a textured, cel-shaded, outlined sphere of 20,000
// triangles drawn headless at 640 × 480 through VoDirectX7 (on the Direct3D
// stand-in), beside the same triangles with the same states drawn by hand
// through plain OpenGL in the same run; and of the same sphere cut into 200
// groups of 100 triangles. Each iteration draws one frame each way; the
// counters give both rates and their ratio (ours / OpenGL, 1 = as fast).
//
// static: the mesh is built once and only drawn. moving: every frame moves
// every position, updates the character (normals) and refills the vertex
// buffer; the reference moves, recomputes normals and uploads the same data.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstring>
#include <malloc.h>
#include <map>
#include <tuple>
#include <time.h>
#include <vector>

#include "GlReference.h"
#include "ferrox/draw/PDraw.h"
#include "ferrox/draw/Window.h"
#include "platform/d3d8/D3D8Hooks.h"
#include "platform/d3d8/d3dx8math.h"
#include "vocore/Renddx/VoDirectX7.h"
#include "vocore/Renddx/testing/SceneBuild.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/scene/VoIMaterial.h"
#include "vocore/scene/VoITexture.h"
#include "vocore/vocore/VoMaster.h"

namespace {

// Both sides on the same fixed heap settings (those the stand-in sets when it
// creates a device). Left to glibc's dynamic thresholds, what one side frees
// moves them for the other, and the ratio would depend on the order of the
// sides and not only on their work.
const bool heapPinned = [] {
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 64 << 20);
  return true;
}();

constexpr int Width = 640, Height = 480;
constexpr uint32_t Background = 0x001D4059;
constexpr float OutlineWidth = 0.05f;

// A window whose frames stay in the back buffer (no copy to a host).
class BenchWindow : public HWND__ {
 public:
  void GetClientSize(int* w, int* h) const override { *w = Width, *h = Height; }
  void GetScreenOrigin(int* x, int* y) const override { *x = *y = 0; }
  Platform::D3DPresentTarget* GetPresentTarget() override { return nullptr; }
};

// Checkers of two colours, top row first.
std::vector<uint32_t> Checker(int side, uint32_t a, uint32_t b) {
  std::vector<uint32_t> out(static_cast<size_t>(side) * side);
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) out[static_cast<size_t>(y) * side + x] = ((x / 16 + y / 16) & 1) ? a : b;
  return out;
}

std::vector<uint32_t> Ramp() {
  std::vector<uint32_t> out(64);
  for (int y = 0; y < 64; ++y) out[static_cast<size_t>(y)] = y < 26 ? 0xFFFFFFFF : y < 35 ? 0xFF9A9A9A : 0xFF5A5A5A;
  return out;
}

D3DXMATRIX RampMatrix() {
  const D3DXVECTOR3 eye(0, 0, 0), light(1, 1, 1), up(0, 1, 0);
  D3DXMATRIX look, turn, scale, move;
  D3DXMatrixLookAtLH(&look, &eye, &light, &up);
  D3DXMatrixRotationX(&turn, -1.5707964f);
  D3DXMatrixScaling(&scale, 0.5f, -0.5f, 1.0f);
  D3DXMatrixTranslation(&move, 0.5f, 0.5f, 0.0f);
  return look * turn * scale * move;
}

// Monotonic seconds (<chrono> does not build under the Shift-JIS execution charset).
double Seconds() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

Frx::Pvector Moved(const Frx::Pvector& p, float t) {
  return {p.x, p.y + 0.05f * std::sin(3.0f * p.x + t), p.z};
}

// The reference's own copy of the mesh: one vertex per (position, uv), the
// faces' triangles per group, area-weighted normals.
struct PlainMesh {
  const votest::MeshData* mesh = nullptr;
  std::vector<Frx::Pvector> positions, normals;
  std::vector<std::pair<uint32_t, std::array<float, 2>>> vertexOf;
  std::vector<uint32_t> indices;
  std::vector<GlVertex> vertices;

  void Build(const votest::MeshData& m, int groupCount, std::vector<GlGroup>& groups) {
    mesh = &m;
    positions = m.positions;
    std::map<std::tuple<uint32_t, float, float>, uint32_t> index;
    std::vector<std::vector<uint32_t>> runs(static_cast<size_t>(groupCount));
    const size_t faces = m.faces.size();
    for (size_t f = 0; f < faces; ++f) {
      const VoFaceElement& e = m.faces[f];
      uint32_t v[4];
      for (int k = 0; k < e.GetCount(); ++k) {
        auto [it, added] = index.try_emplace({e.index[k], e.uv[k][0], e.uv[k][1]}, vertexOf.size());
        if (added) vertexOf.push_back({e.index[k], {e.uv[k][0], e.uv[k][1]}});
        v[k] = it->second;
      }
      std::vector<uint32_t>& run = runs[f * static_cast<size_t>(groupCount) / faces];
      run.insert(run.end(), {v[0], v[1], v[2]});
      if (e.GetCount() == 4) run.insert(run.end(), {v[0], v[2], v[3]});
    }
    for (size_t g = 0; g < runs.size(); ++g) {
      const float base = 0.5f;  // diffuse 1 × 0.5
      groups.push_back({static_cast<uint32_t>(indices.size()), static_cast<uint32_t>(runs[g].size() / 3),
                        groupCount == 1 ? 0 : static_cast<int>(g % 8),
                        {base, base, base},
                        {base * 0.6f, base * 0.5f, base * 0.5f}});
      indices.insert(indices.end(), runs[g].begin(), runs[g].end());
    }
  }

  void Normals() {
    normals.assign(positions.size(), Frx::Pvector(0, 0, 0));
    for (const VoFaceElement& e : mesh->faces) {
      const uint32_t* c = e.index;
      const Frx::Pvector* p = positions.data();
      Frx::Pvector n = (p[c[1]] - p[c[2]]).GetCrossProduct(p[c[0]] - p[c[1]]);
      if (e.GetCount() == 4) n = (n + (p[c[2]] - p[c[3]]).GetCrossProduct(p[c[0]] - p[c[2]])) * 0.5f;
      for (int k = 0; k < e.GetCount(); ++k) normals[c[k]] += n;
    }
    for (Frx::Pvector& n : normals)
      if (const float len = n.GetSize(); len > 0.0f) n *= 1.0f / len;
  }

  void Fill() {
    const size_t count = vertexOf.size();
    vertices.resize(2 * count);
    for (size_t i = 0; i < count; ++i) {
      const Frx::Pvector& p = positions[vertexOf[i].first];
      const Frx::Pvector& n = normals[vertexOf[i].first];
      const auto& uv = vertexOf[i].second;
      vertices[i] = {p.x, p.y, p.z, n.x, n.y, n.z, uv[0], uv[1]};
      vertices[count + i] = {p.x + n.x * OutlineWidth, p.y + n.y * OutlineWidth, p.z + n.z * OutlineWidth,
                             n.x, n.y, n.z, uv[0], uv[1]};
    }
  }
};

class Bench {
 public:
  ~Bench() {
    master_.ReleaseItem(chara_);
    master_.Uninitialize();
    if (ramp_) ramp_->Release();
    renderer_.AttachDevice(nullptr, nullptr);
  }

  bool Open(int groups, bool moving) {
    moving_ = moving;
    if (!draw_.Initialize(&window_, 0) || !draw_.CreateScreen(0)) return false;
    renderer_.AttachDevice(draw_.d3d, draw_.device);
    if (master_.Initialize(&renderer_) != 1) return false;
    renderer_.celShading = 1;
    renderer_.outline = 1;
    renderer_.outlineWidth = OutlineWidth;
    ramp_ = votest::MakeDeviceTexture(draw_.device, 1, 64, Ramp());
    renderer_.celTexture = ramp_;
    if (!reference_.Open(Width, Height)) return false;

    // 2 × 100 × 100 = 20,000 triangles.
    mesh_ = votest::Sphere(2.0f, 100, 101);
    chara_ = master_.NewItem<VoICharacter>(nullptr);
    const int textures = groups == 1 ? 1 : 8;
    std::vector<VoITexture*> items;
    for (int t = 0; t < textures; ++t) {
      const std::vector<uint32_t> top = Checker(128, 0xFFFFFFFF, 0xFF000000 | (0x402080u * (t + 1) & 0xFFFFFF));
      std::vector<uint32_t> bottomUp(top.size());
      for (int y = 0; y < 128; ++y)
        std::memcpy(&bottomUp[static_cast<size_t>(127 - y) * 128], &top[static_cast<size_t>(y) * 128], 128 * 4);
      items.push_back(votest::AddTexture32(master_, chara_, 128, 128, bottomUp));
      reference_.AddTexture(128, 128, top);
    }
    const int rampName = reference_.AddTexture(1, 64, Ramp());
    std::vector<VoIMaterial*> materials;
    for (int g = 0; g < groups; ++g)
      materials.push_back(votest::AddMaterial(master_, chara_, {}, items[static_cast<size_t>(g % textures)]));
    polygon_ = votest::AddPolygon(master_, chara_, mesh_, nullptr, moving ? VoVertex::FIX_MOVED : VoVertex::FIX_RIGID);
    VoFace* faces = polygon_->GetFace();
    for (int f = 0; f < faces->count; ++f)
      faces->array[f].material = materials[static_cast<size_t>(f) * groups / static_cast<size_t>(faces->count)];

    std::vector<GlGroup> glGroups;
    plain_.Build(mesh_, groups, glGroups);
    plain_.Normals();
    plain_.Fill();
    reference_.SetMesh(plain_.vertices, plain_.indices, glGroups, moving);
    const D3DXVECTOR3 eye(0, 0, 7), at(0, 0, 0), up(0, 1, 0);
    D3DXMatrixLookAtRH(&view_, &eye, &at, &up);
    D3DXMatrixPerspectiveFovRH(&projection_, 40.0f * 3.1415927f / 180.0f, float(Width) / Height, 0.1f, 100.0f);
    reference_.SetTransforms(view_, projection_, RampMatrix(), rampName);
    master_.CountUpdate();
    master_.Animation(chara_, Frx::Pmatrix::id, 0.0f);
    return true;
  }

  // Share of pixels (in percent) where the two frames differ by more than 8 levels.
  double Differ() {
    Ours();
    Reference();
    const std::vector<uint32_t> gl = reference_.ReadFrame();
    std::vector<uint32_t> ours(gl.size());
    IDirect3DSurface8* back = nullptr;
    draw_.device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &back);
    D3DLOCKED_RECT lr{};
    back->LockRect(&lr, nullptr, D3DLOCK_READONLY);
    for (int y = 0; y < Height; ++y)
      std::memcpy(&ours[static_cast<size_t>(y) * Width], static_cast<uint8_t*>(lr.pBits) + y * lr.Pitch, Width * 4);
    back->UnlockRect();
    back->Release();
    size_t differ = 0;
    for (size_t i = 0; i < gl.size(); ++i)
      for (int s = 0; s < 24; s += 8)
        if (std::abs(int((ours[i] >> s) & 255) - int((gl[i] >> s) & 255)) > 8) {
          ++differ;
          break;
        }
    return 100.0 * differ / gl.size();
  }

  uint32_t Ours() {
    IDirect3DDevice8* d = draw_.device;
    if (moving_) {
      VoVertex* v = polygon_->GetVertex();
      for (int i = 0; i < v->GetNum(); ++i) v->Set(i, Moved(mesh_.positions[static_cast<size_t>(i)], time_));
      master_.CountUpdate();
      master_.Animation(chara_, Frx::Pmatrix::id, 0.0f);
    }
    draw_.SetClearColor(Background);
    draw_.FlushScreen();
    draw_.SetRenderStateInitialize();
    renderer_.InitialFrame();
    d->BeginScene();
    d->SetTransform(D3DTS_PROJECTION, &projection_);
    d->SetTransform(D3DTS_VIEW, &view_);
    d->SetTransform(D3DTS_WORLD, &Frx::Pmatrix::id);
    master_.Discation(chara_);
    d->EndScene();
    draw_.UpdateScreen();
    // Reading a pixel waits for the frame.
    IDirect3DSurface8* back = nullptr;
    d->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &back);
    D3DLOCKED_RECT lr{};
    RECT one{Width / 2, Height / 2, Width / 2 + 1, Height / 2 + 1};
    uint32_t pixel = 0;
    if (SUCCEEDED(back->LockRect(&lr, &one, D3DLOCK_READONLY))) {
      std::memcpy(&pixel, lr.pBits, 4);
      back->UnlockRect();
    }
    back->Release();
    return pixel;
  }

  uint32_t Reference() {
    if (!moving_) return reference_.Frame(nullptr);
    for (size_t i = 0; i < plain_.positions.size(); ++i) plain_.positions[i] = Moved(mesh_.positions[i], time_);
    plain_.Normals();
    plain_.Fill();
    return reference_.Frame(&plain_.vertices);
  }

  void Advance() { time_ += 0.1f; }
  std::string RendererName() const { return reference_.Renderer(); }

 private:
  BenchWindow window_;
  Frx::Draw::PDraw draw_;
  VoDirectX7 renderer_;
  VoMaster master_;
  GlReference reference_;
  IDirect3DTexture8* ramp_ = nullptr;
  VoICharacter* chara_ = nullptr;
  VoIPolygon* polygon_ = nullptr;
  votest::MeshData mesh_;
  PlainMesh plain_;
  D3DXMATRIX view_, projection_;
  bool moving_ = false;
  float time_ = 0.0f;
};

void BM_CelOutlineFrame(benchmark::State& state, int groups, bool moving) {
  Bench bench;
  if (!bench.Open(groups, moving)) {
    state.SkipWithError("no device");
    return;
  }
  state.counters["differ%"] = bench.Differ();
  double ours = 0.0, gl = 0.0;
  for (auto _ : state) {
    const double t0 = Seconds();
    benchmark::DoNotOptimize(bench.Ours());
    const double t1 = Seconds();
    benchmark::DoNotOptimize(bench.Reference());
    const double t2 = Seconds();
    bench.Advance();
    ours += t1 - t0;
    gl += t2 - t1;
    state.SetIterationTime(t2 - t0);
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["ours_fps"] = n / ours;
  state.counters["gl_fps"] = n / gl;
  state.counters["ratio"] = (n / ours) / (n / gl);
  state.SetLabel(bench.RendererName());
}

BENCHMARK_CAPTURE(BM_CelOutlineFrame, static_20k, 1, false)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CelOutlineFrame, moving_20k, 1, true)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CelOutlineFrame, groups_200x100, 200, false)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
