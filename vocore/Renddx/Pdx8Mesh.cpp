#include "vocore/Renddx/Pdx8Mesh.h"

#include <cstring>
#include <map>
#include <tuple>

namespace Pdx8 {
namespace {

constexpr uint32_t NoVertex = ~0u;
// The largest index a 16-bit index buffer can reach.
constexpr uint64_t Max16 = 0xFFFF;

// Vertices of a face for (u, v) pairs: the position's own vertex takes the
// first pair it meets, each further pair gets a vertex of its own.
class VertexSplitter {
 public:
  VertexSplitter(Mesh& mesh, uint32_t positionCount)
      : mesh_(mesh), used_(positionCount, 0), firstExtra_(positionCount, NoVertex) {
    mesh_.uv.assign(positionCount, {0.0f, 0.0f});
  }

  uint32_t VertexOf(uint32_t position, const float* uv) {
    auto same = [&](uint32_t v) { return mesh_.uv[v][0] == uv[0] && mesh_.uv[v][1] == uv[1]; };
    if (!used_[position]) {
      used_[position] = 1;
      mesh_.uv[position] = {uv[0], uv[1]};
      return position;
    }
    if (same(position)) return position;
    uint32_t last = NoVertex;
    for (uint32_t v = firstExtra_[position]; v != NoVertex; v = nextExtra_[v - extraBase()]) {
      if (same(v)) return v;
      last = v;
    }
    const uint32_t v = static_cast<uint32_t>(mesh_.uv.size());
    mesh_.uv.push_back({uv[0], uv[1]});
    mesh_.map.push_back({position, v});
    nextExtra_.push_back(NoVertex);
    (last == NoVertex ? firstExtra_[position] : nextExtra_[last - extraBase()]) = v;
    return v;
  }

 private:
  uint32_t extraBase() const { return static_cast<uint32_t>(used_.size()); }

  Mesh& mesh_;
  std::vector<uint8_t> used_;
  std::vector<uint32_t> firstExtra_;
  std::vector<uint32_t> nextExtra_;
};

}  // namespace

void Mesh::Release() {
  ReleaseVertexBuffer();
  if (indexBuffer) indexBuffer->Release();
  indexBuffer = nullptr;
  groups.clear();
  indices.clear();
  map.clear();
  uv.clear();
  positionCount = vertexCount = 0;
  device = nullptr;
}

void Mesh::ReleaseVertexBuffer() {
  if (vertexBuffer) vertexBuffer->Release();
  vertexBuffer = nullptr;
}

bool Mesh::Build(IDirect3DDevice8* dev, uint32_t positions, const std::vector<FaceRecord>& faces) {
  Release();
  if (!dev) return false;
  device = dev;
  positionCount = positions;

  VertexSplitter splitter(*this, positions);
  // Groups in the order their first face appears; each collects its indices.
  std::map<std::tuple<int, int, int>, size_t> groupOf;
  std::vector<std::vector<uint32_t>> runs;
  for (const FaceRecord& f : faces) {
    if (f.corners < 2 || f.corners > 4) continue;
    uint32_t v[4];
    for (int k = 0; k < f.corners; ++k) v[k] = splitter.VertexOf(f.index[k], f.uv[k]);
    const int kind = f.corners == 2 ? KIND_LINE : KIND_TRIANGLE;
    auto [it, added] = groupOf.try_emplace({kind, f.material, f.texture}, runs.size());
    if (added) {
      runs.emplace_back();
      groups.push_back({kind, f.material, f.texture, 0, 0});
    }
    std::vector<uint32_t>& run = runs[it->second];
    if (f.corners == 2) {
      run.insert(run.end(), {v[0], v[1]});
    } else {
      run.insert(run.end(), {v[0], v[1], v[2]});
      if (f.corners == 4) run.insert(run.end(), {v[0], v[2], v[3]});
    }
  }
  vertexCount = static_cast<uint32_t>(uv.size());
  for (size_t g = 0; g < groups.size(); ++g) {
    groups[g].first = static_cast<uint32_t>(indices.size());
    groups[g].count = static_cast<uint32_t>(runs[g].size() / (groups[g].kind == KIND_LINE ? 2 : 3));
    indices.insert(indices.end(), runs[g].begin(), runs[g].end());
  }
  if (indices.empty()) return true;

  // The outline draws the same indices from base vertex vertexCount, so the
  // last vertex reached is 2 * vertexCount - 1: past 65,535 the indices are 32-bit.
  const uint64_t lastVertex = 2 * uint64_t{vertexCount} - 1;
  D3DCAPS8 caps{};
  outlineFits = FAILED(device->GetDeviceCaps(&caps)) || lastVertex <= caps.MaxVertexIndex;
  wideIndices = lastVertex > Max16;
  const uint64_t bytes = indices.size() * uint64_t{wideIndices ? 4u : 2u};
  if (bytes > 0x7FFFFFFF ||
      FAILED(device->CreateIndexBuffer(static_cast<unsigned>(bytes), D3DUSAGE_WRITEONLY,
                                       wideIndices ? D3DFMT_INDEX32 : D3DFMT_INDEX16, D3DPOOL_MANAGED,
                                       &indexBuffer))) {
    indexBuffer = nullptr;
    Release();
    return false;
  }
  BYTE* out = nullptr;
  if (FAILED(indexBuffer->Lock(0, static_cast<unsigned>(bytes), &out, D3DLOCK_DISCARD)) || !out) {
    Release();
    return false;
  }
  if (wideIndices) {
    std::memcpy(out, indices.data(), bytes);
  } else {
    auto* narrow = reinterpret_cast<uint16_t*>(out);
    for (size_t i = 0; i < indices.size(); ++i) narrow[i] = static_cast<uint16_t>(indices[i]);
  }
  indexBuffer->Unlock();
  return true;
}

bool Mesh::MakeVertexBuffer() {
  ReleaseVertexBuffer();
  const uint64_t bytes = 2 * uint64_t{vertexCount} * sizeof(Vertex);
  if (!device || vertexCount == 0 || bytes > 0x7FFFFFFF) return false;
  const DWORD usage = isStatic ? D3DUSAGE_WRITEONLY : (D3DUSAGE_DYNAMIC | D3DUSAGE_WRITEONLY);
  const D3DPOOL pool = isStatic ? D3DPOOL_MANAGED : D3DPOOL_DEFAULT;
  if (FAILED(device->CreateVertexBuffer(static_cast<unsigned>(bytes), usage, VertexFvf, pool, &vertexBuffer))) {
    vertexBuffer = nullptr;
    return false;
  }
  bufferStatic_ = isStatic;
  return true;
}

void Mesh::WriteHalf(Vertex* out, const Frx::Pvector* p, const Frx::Pvector* n, float width) const {
  auto put = [&](Vertex& v, uint32_t position, uint32_t vertex) {
    const Frx::Pvector& a = p[position];
    const Frx::Pvector& d = n[position];
    v = {a.x + d.x * width, a.y + d.y * width, a.z + d.z * width, d.x, d.y, d.z, uv[vertex][0], uv[vertex][1]};
  };
  for (uint32_t i = 0; i < positionCount; ++i) put(out[i], i, i);
  for (const UvMap& m : map) put(out[m.vertex], m.position, m.vertex);
}

bool Mesh::Fill(const Frx::Pvector* positions, const Frx::Pvector* normals, bool outline, float width) {
  if (!IsBuilt() || !positions || !normals) return false;
  if (!vertexBuffer || bufferStatic_ != isStatic) {
    if (!MakeVertexBuffer()) return false;
  }
  // A static buffer is written whole once; a moving one in place every draw,
  // its outline half only when the outline is drawn.
  const bool both = isStatic || outline;
  const unsigned half = vertexCount * static_cast<unsigned>(sizeof(Vertex));
  BYTE* data = nullptr;
  const DWORD flags = isStatic ? 0u : static_cast<DWORD>(D3DLOCK_NOOVERWRITE);
  if (FAILED(vertexBuffer->Lock(0, both ? 2 * half : half, &data, flags)) || !data) return false;
  auto* out = reinterpret_cast<Vertex*>(data);
  WriteHalf(out, positions, normals, 0.0f);
  if (both) WriteHalf(out + vertexCount, positions, normals, width);
  vertexBuffer->Unlock();
  return true;
}

}  // namespace Pdx8
