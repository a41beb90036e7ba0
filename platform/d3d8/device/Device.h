// The stand-in's device: Direct3D 8 state kept as given and applied to a GL
// fixed-function context that renders into an off-screen frame buffer. The
// device owns the context, its state cache and the one back-buffer surface.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/d3d8/d3d8.h"
#include "platform/d3d8/device/GlCache.h"
#include "platform/d3d8/device/GlContext.h"
#include "platform/d3d8/device/Pipeline.h"
#include "platform/d3d8/device/Resources.h"
#include "platform/d3d8/device/StagePrograms.h"
#include "platform/d3d8/device/VertexLayout.h"

namespace D3D8Impl {

class Direct3D;

constexpr unsigned MaxStages = 4;
constexpr unsigned MaxLights = 8;

class Device final : public RefCounted<IDirect3DDevice8> {
 public:
  Device(Direct3D* d3d, D3DDEVTYPE type, DWORD behaviour);
  ~Device() override;
  // Makes the context and the frame buffer; false when GL cannot serve.
  HRESULT Initialize(D3DPRESENT_PARAMETERS* params);

  HRESULT TestCooperativeLevel() override;
  HRESULT GetDirect3D(IDirect3D8** d3d) override;
  HRESULT GetDeviceCaps(D3DCAPS8* caps) override;
  HRESULT GetDisplayMode(D3DDISPLAYMODE* mode) override;
  HRESULT Reset(D3DPRESENT_PARAMETERS* params) override;
  HRESULT Present(const RECT* source, const RECT* dest, HWND overrideWindow, const void* dirty) override;
  HRESULT GetBackBuffer(unsigned index, D3DBACKBUFFER_TYPE type, IDirect3DSurface8** surface) override;
  HRESULT CreateTexture(unsigned width, unsigned height, unsigned levels, DWORD usage, D3DFORMAT format,
                        D3DPOOL pool, IDirect3DTexture8** texture) override;
  HRESULT CreateVertexBuffer(unsigned length, DWORD usage, DWORD fvf, D3DPOOL pool,
                             IDirect3DVertexBuffer8** buffer) override;
  HRESULT CreateIndexBuffer(unsigned length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                            IDirect3DIndexBuffer8** buffer) override;
  HRESULT CopyRects(IDirect3DSurface8* source, const RECT* rects, unsigned count, IDirect3DSurface8* dest,
                    const POINT* points) override;
  HRESULT BeginScene() override;
  HRESULT EndScene() override;
  HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR colour, float z, DWORD stencil) override;
  HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) override;
  HRESULT GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) override;
  HRESULT MultiplyTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) override;
  HRESULT SetViewport(const D3DVIEWPORT8* viewport) override;
  HRESULT GetViewport(D3DVIEWPORT8* viewport) override;
  HRESULT SetMaterial(const D3DMATERIAL8* material) override;
  HRESULT GetMaterial(D3DMATERIAL8* material) override;
  HRESULT SetLight(DWORD index, const D3DLIGHT8* light) override;
  HRESULT GetLight(DWORD index, D3DLIGHT8* light) override;
  HRESULT LightEnable(DWORD index, BOOL enable) override;
  HRESULT GetLightEnable(DWORD index, BOOL* enable) override;
  HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
  HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) override;
  HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture8* texture) override;
  HRESULT GetTexture(DWORD stage, IDirect3DBaseTexture8** texture) override;
  HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) override;
  HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) override;
  HRESULT ValidateDevice(DWORD* passes) override;
  HRESULT SetVertexShader(DWORD fvf) override;
  HRESULT GetVertexShader(DWORD* fvf) override;
  HRESULT SetStreamSource(unsigned stream, IDirect3DVertexBuffer8* buffer, unsigned stride) override;
  HRESULT SetIndices(IDirect3DIndexBuffer8* buffer, unsigned baseVertexIndex) override;
  HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, unsigned startVertex, unsigned primitiveCount) override;
  HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, unsigned minIndex, unsigned numVertices,
                               unsigned startIndex, unsigned primitiveCount) override;
  HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, unsigned primitiveCount, const void* vertices,
                          unsigned stride) override;
  HRESULT DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE type, unsigned minIndex, unsigned numVertices,
                                 unsigned primitiveCount, const void* indices, D3DFORMAT indexFormat,
                                 const void* vertices, unsigned stride) override;

  // Internal services for resources, the font and the hooks.
  void Activate() { context_.Activate(); }
  unsigned Width() const { return width_; }
  unsigned Height() const { return height_; }
  D3DFORMAT BackBufferFormat() const { return params_.BackBufferFormat; }
  // Reads a rectangle of the back buffer as top-down BGRA rows, pitch bytes apart.
  void ReadBackBuffer(int x, int y, int width, int height, uint8_t* pixels, int pitch);
  void WriteBackBuffer(const uint8_t* pixels, int x, int y, int width, int height, int pitch);
  // Pixels read back so far (locks and presents).
  uint64_t PixelsRead() const { return pixelsRead_; }
  GlCache& Cache() { return cache_; }
  // Blends an 8-bit coverage image in colour at (x, y), clipped to clip (for the font).
  void DrawCoverage(const uint8_t* coverage, int width, int height, int x, int y, D3DCOLOR colour,
                    const RECT& clip);
  void Record(const char* format, ...) __attribute__((format(printf, 2, 3)));
  void SetRecording(bool on) { recording_ = on; }
  bool Recording() const { return recording_; }
  std::vector<std::string> TakeCalls();
  void Attach(Attached* resource) { attached_.insert(resource); }
  void Forget(Attached* resource) { attached_.erase(resource); }

 private:
  friend class Pipeline;
  HRESULT MakeFrameBuffer();
  void FreeFrameBuffer();
  bool ResolveSize(const D3DPRESENT_PARAMETERS& params, unsigned* width, unsigned* height) const;
  HRESULT Draw(D3DPRIMITIVETYPE type, unsigned primitiveCount, const uint8_t* vertices, unsigned stride,
               unsigned firstVertex, const void* indices, D3DFORMAT indexFormat, unsigned vertexCount,
               bool useBuffers, unsigned baseVertex, unsigned startIndex);
  void InitialStates();
  // Marks parts of the state changed for the next draw (Pipeline::Part).
  void Touch(uint32_t parts) { pipeline_.dirty |= parts; }

 public:
  // Direct3D state as set; read by the pipeline when drawing.
  struct Light {
    D3DLIGHT8 light{};
    bool enabled = false;
  };
  DWORD renderState[D3DRS_COUNT] = {};
  DWORD stageState[MaxStages][D3DTSS_COUNT] = {};
  IDirect3DBaseTexture8* textures[MaxStages] = {};
  D3DMATRIX world{}, view{}, projection{}, textureMatrix[MaxStages]{};
  D3DVIEWPORT8 viewport{};
  D3DMATERIAL8 material{};
  std::map<DWORD, Light> lights;
  DWORD fvf = 0;
  VertexBuffer* stream = nullptr;
  unsigned streamStride = 0;
  IndexBuffer* indices = nullptr;
  unsigned baseVertex = 0;

 private:
  Direct3D* d3d_;
  D3DDEVTYPE type_;
  DWORD behaviour_;
  D3DPRESENT_PARAMETERS params_{};
  GlContext context_;
  unsigned width_ = 0, height_ = 0;
  unsigned frameBuffer_ = 0, colourBuffer_ = 0, depthBuffer_ = 0;
  unsigned whiteTexture_ = 0, coverageTexture_ = 0;
  unsigned samplers_[MaxStages] = {};
  GlCache cache_;
  Pipeline::Memo pipeline_;
  // The layout of the vertex format last drawn, and the arrays last set up.
  VertexLayout layout_;
  DWORD layoutFvf_ = ~0u;  // never a vertex format (bit 0 is a shader handle's)
  ArraysKey arrays_;
  StagePrograms programs_;
  // GL_ATI_texture_env_combine3's MODULATE_ADD (add-smooth and premultiplied blends).
  bool modulateAdd_ = false;
  Surface* backBuffer_ = nullptr;  // the device's own reference
  std::vector<uint8_t> presented_;
  uint64_t pixelsRead_ = 0;
  bool lost_ = false;
  bool inScene_ = false;
  bool recording_ = false;
  std::vector<float> screenPositions_;  // homogeneous positions of screen vertices, per draw
  std::vector<std::string> calls_;
  std::set<Attached*> attached_;
};

}  // namespace D3D8Impl
