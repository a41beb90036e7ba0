#include "platform/d3d8/d3dx/TextCache.h"

#include <algorithm>
#include <cstring>

#include "platform/d3d8/device/Device.h"

namespace D3D8Impl {
namespace {

struct TextVertex {
  float x, y, z, rhw;
  D3DCOLOR colour;
  float u, v;
};
constexpr DWORD TextFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

// Blended over the picture, nothing tested or written but colour: the
// diffuse colour with the coverage as its alpha, point-sampled. Settings that
// give the same pixels as others are chosen as an overlay has them, so that
// text among its draws changes little of the device's pipeline: texels
// without ink fail the alpha test (blended, they would leave the picture as
// it is), and the quad's clockwise corners pass counter-clockwise culling.
// Without the depth test nothing writes depth.
struct RenderSetting {
  D3DRENDERSTATETYPE state;
  DWORD value;
};
constexpr RenderSetting TextRenderStates[] = {
    {D3DRS_ZENABLE, FALSE},
    {D3DRS_ALPHATESTENABLE, TRUE},    {D3DRS_ALPHAFUNC, D3DCMP_GREATER},
    {D3DRS_ALPHAREF, 0},              {D3DRS_ALPHABLENDENABLE, TRUE},
    {D3DRS_SRCBLEND, D3DBLEND_SRCALPHA}, {D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA},
    {D3DRS_BLENDOP, 1},  // add
    {D3DRS_CULLMODE, D3DCULL_CCW},
    {D3DRS_FILLMODE, D3DFILL_SOLID},  {D3DRS_STENCILENABLE, FALSE},
    {D3DRS_COLORWRITEENABLE, 0xF},    {D3DRS_SPECULARENABLE, FALSE},
    {D3DRS_FOGENABLE, FALSE},
};
struct StageSetting {
  DWORD stage;
  D3DTEXTURESTAGESTATETYPE type;
  DWORD value;
};
constexpr StageSetting TextStageStates[] = {
    {0, D3DTSS_COLOROP, D3DTOP_SELECTARG1},   {0, D3DTSS_COLORARG1, D3DTA_DIFFUSE},
    {0, D3DTSS_ALPHAOP, D3DTOP_MODULATE},     {0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE},
    {0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE},     {0, D3DTSS_TEXCOORDINDEX, 0},
    {0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE},
    {0, D3DTSS_MAGFILTER, D3DTEXF_POINT},     {0, D3DTSS_MINFILTER, D3DTEXF_POINT},
    {0, D3DTSS_MIPFILTER, D3DTEXF_NONE},      {0, D3DTSS_ADDRESSU, D3DTADDRESS_CLAMP},
    {0, D3DTSS_ADDRESSV, D3DTADDRESS_CLAMP},  {1, D3DTSS_COLOROP, D3DTOP_DISABLE},
    {1, D3DTSS_ALPHAOP, D3DTOP_DISABLE},
};
constexpr size_t RenderCount = sizeof TextRenderStates / sizeof TextRenderStates[0];
constexpr size_t StageCount = sizeof TextStageStates / sizeof TextStageStates[0];

// The device's states the text changes, and its stage-0 texture, vertex
// format, stream and indices (drawing from memory forgets the last two), put
// back when it goes. Only changed values reach GL, at the next draw.
class StateKeeper {
 public:
  explicit StateKeeper(Device& d) : d_(d), fvf_(d.fvf), stride_(d.streamStride), base_(d.baseVertex) {
    for (size_t i = 0; i < RenderCount; ++i) render_[i] = d.renderState[TextRenderStates[i].state];
    for (size_t i = 0; i < StageCount; ++i) stage_[i] = d.stageState[TextStageStates[i].stage][TextStageStates[i].type];
    texture_ = d.textures[0], stream_ = d.stream, indices_ = d.indices;
    for (IUnknownLike* held : {static_cast<IUnknownLike*>(texture_), static_cast<IUnknownLike*>(stream_),
                               static_cast<IUnknownLike*>(indices_)})
      if (held) held->AddRef();
    for (const RenderSetting& s : TextRenderStates) d.SetRenderState(s.state, s.value);
    for (const StageSetting& s : TextStageStates) d.SetTextureStageState(s.stage, s.type, s.value);
  }
  ~StateKeeper() {
    for (size_t i = 0; i < RenderCount; ++i) d_.SetRenderState(TextRenderStates[i].state, render_[i]);
    for (size_t i = 0; i < StageCount; ++i)
      d_.SetTextureStageState(TextStageStates[i].stage, TextStageStates[i].type, stage_[i]);
    d_.SetTexture(0, texture_);
    d_.SetVertexShader(fvf_);
    d_.SetStreamSource(0, stream_, stride_);
    d_.SetIndices(indices_, base_);
    for (IUnknownLike* held : {static_cast<IUnknownLike*>(texture_), static_cast<IUnknownLike*>(stream_),
                               static_cast<IUnknownLike*>(indices_)})
      if (held) held->Release();
  }
  StateKeeper(const StateKeeper&) = delete;
  StateKeeper& operator=(const StateKeeper&) = delete;

 private:
  Device& d_;
  DWORD render_[RenderCount] = {}, stage_[StageCount] = {};
  DWORD fvf_;
  unsigned stride_, base_;
  IDirect3DBaseTexture8* texture_;
  VertexBuffer* stream_;
  IndexBuffer* indices_;
};

}  // namespace

void TextCache::Clear() {
  for (auto& [key, slot] : slots_)
    if (slot.entry.texture) slot.entry.texture->Release();
  slots_.clear();
  order_.clear();
}

const TextCache::Entry* TextCache::Find(const std::string& key) {
  auto it = slots_.find(key);
  if (it == slots_.end()) return nullptr;
  order_.splice(order_.begin(), order_, it->second.used);
  return &it->second.entry;
}

void TextCache::Evict() {
  auto it = slots_.find(order_.back());
  if (it != slots_.end()) {
    if (it->second.entry.texture) it->second.entry.texture->Release();
    slots_.erase(it);
  }
  order_.pop_back();
}

const TextCache::Entry* TextCache::Add(const std::string& key, const uint8_t* coverage, int width, int height,
                                       int textHeight) {
  if (width <= 0 || height <= 0 || width > MaxSide || height > MaxSide || slots_.count(key)) return nullptr;
  Entry entry;
  entry.width = width, entry.height = height, entry.textHeight = textHeight;
  int inkLeft = width, inkTop = height, inkRight = 0, inkBottom = 0;
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = coverage + static_cast<size_t>(y) * static_cast<size_t>(width);
    for (int x = 0; x < width; ++x) {
      if (!row[x]) continue;
      inkLeft = std::min(inkLeft, x), inkRight = std::max(inkRight, x + 1);
      inkTop = std::min(inkTop, y), inkBottom = y + 1;
    }
  }
  if (inkRight > inkLeft) {
    entry.inkLeft = inkLeft, entry.inkTop = inkTop, entry.inkRight = inkRight, entry.inkBottom = inkBottom;
    IDirect3DTexture8* texture = nullptr;
    if (device_->CreateTexture(static_cast<unsigned>(width), static_cast<unsigned>(height), 1, 0, D3DFMT_A8,
                               D3DPOOL_MANAGED, &texture) != D3D_OK)
      return nullptr;
    D3DLOCKED_RECT locked{};
    if (texture->LockRect(0, &locked, nullptr, 0) != D3D_OK) {
      texture->Release();
      return nullptr;
    }
    for (int y = 0; y < height; ++y)
      std::memcpy(static_cast<uint8_t*>(locked.pBits) + static_cast<ptrdiff_t>(y) * locked.Pitch,
                  coverage + static_cast<size_t>(y) * width, static_cast<size_t>(width));
    texture->UnlockRect(0);
    entry.texture = texture;
  }
  while (slots_.size() >= MaxEntries) Evict();
  order_.push_front(key);
  Slot& slot = slots_[key];
  slot.entry = entry;
  slot.used = order_.begin();
  return &slot.entry;
}

void TextCache::Draw(const Entry& e, int x, int y, D3DCOLOR colour, const RECT& clip) {
  if (!e.texture) return;
  // The image's inked pixels that lie in the clip and on the surface, whole pixels only.
  const long left = std::max({static_cast<long>(x) + e.inkLeft, static_cast<long>(clip.left), 0L});
  const long top = std::max({static_cast<long>(y) + e.inkTop, static_cast<long>(clip.top), 0L});
  const long right = std::min({static_cast<long>(x) + e.inkRight, static_cast<long>(clip.right),
                               static_cast<long>(device_->Width())});
  const long bottom = std::min({static_cast<long>(y) + e.inkBottom, static_cast<long>(clip.bottom),
                                static_cast<long>(device_->Height())});
  if (left >= right || top >= bottom) return;
  // Screen vertices have pixel centres on integers and the device moves them
  // a shade under half a pixel: texel coordinates 0.484375 past the corner
  // put every pixel's centre at the middle of its own texel.
  constexpr float centre = 0.484375f;
  const float w = static_cast<float>(e.width), h = static_cast<float>(e.height);
  const float u0 = (static_cast<float>(left - x) + centre) / w, u1 = (static_cast<float>(right - x) + centre) / w;
  const float v0 = (static_cast<float>(top - y) + centre) / h, v1 = (static_cast<float>(bottom - y) + centre) / h;
  const float l = static_cast<float>(left), t = static_cast<float>(top);
  const float r = static_cast<float>(right), b = static_cast<float>(bottom);
  const TextVertex quad[6] = {{l, t, 0.0f, 1.0f, colour, u0, v0}, {r, t, 0.0f, 1.0f, colour, u1, v0},
                              {l, b, 0.0f, 1.0f, colour, u0, v1}, {l, b, 0.0f, 1.0f, colour, u0, v1},
                              {r, t, 0.0f, 1.0f, colour, u1, v0}, {r, b, 0.0f, 1.0f, colour, u1, v1}};
  StateKeeper keep(*device_);
  device_->SetTexture(0, e.texture);
  device_->SetVertexShader(TextFvf);
  device_->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, quad, sizeof(TextVertex));
}

}  // namespace D3D8Impl
