#include "platform/d3d8/device/Device.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "platform/d3d8/D3D8Hooks.h"
#include "platform/d3d8/device/Direct3D.h"
#include "platform/d3d8/device/PixelFormat.h"

namespace D3D8Impl {
namespace {

D3DMATRIX Identity() {
  D3DMATRIX m{};
  m._11 = m._22 = m._33 = m._44 = 1.0f;
  return m;
}

uint32_t FloatBits(float f) {
  uint32_t u;
  std::memcpy(&u, &f, 4);
  return u;
}

}  // namespace

Device::Device(Direct3D* d3d, D3DDEVTYPE type, DWORD behaviour) : d3d_(d3d), type_(type), behaviour_(behaviour) {
  d3d_->AddRef();
}

Device::~Device() {
  for (auto*& t : textures)
    if (t) t->Release(), t = nullptr;
  if (stream) stream->Release();
  if (indices) indices->Release();
  // Resources that outlive the device are told so before the context goes.
  for (Attached* r : std::set<Attached*>(attached_)) r->Detach();
  if (context_.IsValid()) {
    context_.Activate();
    FreeFrameBuffer();
    programs_.Clear();
    glDeleteSamplers(MaxStages, samplers_);
    if (whiteTexture_) glDeleteTextures(1, &whiteTexture_);
    if (coverageTexture_) glDeleteTextures(1, &coverageTexture_);
  }
  // Detached above: a reference still held elsewhere keeps a surface that reads nothing.
  if (backBuffer_) backBuffer_->Release();
  d3d_->Release();
}

bool Device::ResolveSize(const D3DPRESENT_PARAMETERS& p, unsigned* width, unsigned* height) const {
  unsigned w = p.BackBufferWidth, h = p.BackBufferHeight;
  if (p.Windowed && (w == 0 || h == 0)) {
    int cw = 0, ch = 0;
    const Platform::D3DWindowBridge* bridge = Platform::GetD3DWindowBridge();
    if (bridge && bridge->clientSize && p.hDeviceWindow) bridge->clientSize(p.hDeviceWindow, &cw, &ch);
    if (w == 0) w = cw > 0 ? static_cast<unsigned>(cw) : 0;
    if (h == 0) h = ch > 0 ? static_cast<unsigned>(ch) : 0;
  }
  if (!p.Windowed && (w == 0 || h == 0)) return false;
  // A minimised window still gets a drawable one-pixel buffer.
  *width = w ? w : 1;
  *height = h ? h : 1;
  return *width <= 8192 && *height <= 8192;
}

HRESULT Device::Initialize(D3DPRESENT_PARAMETERS* params) {
  D3DPRESENT_PARAMETERS p = *params;
  if (p.BackBufferFormat == D3DFMT_UNKNOWN) p.BackBufferFormat = D3DFMT_X8R8G8B8;
  if (p.BackBufferFormat != D3DFMT_X8R8G8B8 && p.BackBufferFormat != D3DFMT_A8R8G8B8 &&
      p.BackBufferFormat != D3DFMT_R5G6B5)
    return D3DERR_INVALIDCALL;
  if (!ResolveSize(p, &width_, &height_)) return D3DERR_INVALIDCALL;
  p.BackBufferWidth = width_;
  p.BackBufferHeight = height_;
  if (p.BackBufferCount == 0) p.BackBufferCount = 1;
  params_ = p;
  *params = p;
  if (!context_.Create()) return D3DERR_NOTAVAILABLE;
  context_.Activate();
  if (HRESULT hr = MakeFrameBuffer(); FAILED(hr)) return hr;
  const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  modulateAdd_ = extensions && std::strstr(extensions, "GL_ATI_texture_env_combine3");
  glGenSamplers(MaxStages, samplers_);
  const uint8_t white[4] = {255, 255, 255, 255};
  glGenTextures(1, &whiteTexture_);
  glBindTexture(GL_TEXTURE_2D, whiteTexture_);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  InitialStates();
  backBuffer_ = new Surface(this);
  return D3D_OK;
}

HRESULT Device::MakeFrameBuffer() {
  glGenFramebuffers(1, &frameBuffer_);
  glBindFramebuffer(GL_FRAMEBUFFER, frameBuffer_);
  glGenRenderbuffers(1, &colourBuffer_);
  glBindRenderbuffer(GL_RENDERBUFFER, colourBuffer_);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, static_cast<GLsizei>(width_), static_cast<GLsizei>(height_));
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colourBuffer_);
  glGenRenderbuffers(1, &depthBuffer_);
  glBindRenderbuffer(GL_RENDERBUFFER, depthBuffer_);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, static_cast<GLsizei>(width_),
                        static_cast<GLsizei>(height_));
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, depthBuffer_);
  if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) return D3DERR_OUTOFVIDEOMEMORY;
  glDrawBuffer(GL_COLOR_ATTACHMENT0);
  glReadBuffer(GL_COLOR_ATTACHMENT0);
  // Direct3D's conventions: window row 0 at the top (so rows are stored
  // top-down and the top-left fill rule applies) and clip depth 0..w.
  glClipControl(GL_UPPER_LEFT, GL_ZERO_TO_ONE);
  // Direct3D leaves a new back buffer undefined; black keeps the first frame predictable.
  glClearColor(0, 0, 0, 1);
  glClearDepth(1.0);
  glClearStencil(0);
  // The last draw may have left writes masked.
  cache_.ColourMask(0xF);
  cache_.DepthMask(true);
  cache_.StencilMask(0xFF);
  cache_.Enable(GL_SCISSOR_TEST, false);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  return D3D_OK;
}

void Device::FreeFrameBuffer() {
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  if (frameBuffer_) glDeleteFramebuffers(1, &frameBuffer_);
  if (colourBuffer_) glDeleteRenderbuffers(1, &colourBuffer_);
  if (depthBuffer_) glDeleteRenderbuffers(1, &depthBuffer_);
  frameBuffer_ = colourBuffer_ = depthBuffer_ = 0;
}

void Device::InitialStates() {
  std::memset(renderState, 0, sizeof renderState);
  renderState[D3DRS_ZENABLE] = params_.EnableAutoDepthStencil ? D3DZB_TRUE : D3DZB_FALSE;
  renderState[D3DRS_FILLMODE] = D3DFILL_SOLID;
  renderState[D3DRS_SHADEMODE] = D3DSHADE_GOURAUD;
  renderState[D3DRS_ZWRITEENABLE] = TRUE;
  renderState[D3DRS_LASTPIXEL] = TRUE;
  renderState[D3DRS_SRCBLEND] = D3DBLEND_ONE;
  renderState[D3DRS_DESTBLEND] = D3DBLEND_ZERO;
  renderState[D3DRS_CULLMODE] = D3DCULL_CCW;
  renderState[D3DRS_ZFUNC] = D3DCMP_LESSEQUAL;
  renderState[D3DRS_ALPHAFUNC] = D3DCMP_ALWAYS;
  renderState[D3DRS_STENCILFAIL] = renderState[D3DRS_STENCILZFAIL] = renderState[D3DRS_STENCILPASS] = 1;
  renderState[D3DRS_STENCILFUNC] = D3DCMP_ALWAYS;
  renderState[D3DRS_STENCILMASK] = renderState[D3DRS_STENCILWRITEMASK] = 0xFFFFFFFFu;
  renderState[D3DRS_TEXTUREFACTOR] = 0xFFFFFFFFu;
  renderState[D3DRS_CLIPPING] = TRUE;
  renderState[D3DRS_LIGHTING] = TRUE;
  renderState[D3DRS_COLORVERTEX] = TRUE;
  renderState[D3DRS_LOCALVIEWER] = TRUE;
  renderState[D3DRS_DIFFUSEMATERIALSOURCE] = D3DMCS_COLOR1;
  renderState[D3DRS_SPECULARMATERIALSOURCE] = D3DMCS_COLOR2;
  renderState[D3DRS_POINTSIZE] = FloatBits(1.0f);
  renderState[D3DRS_COLORWRITEENABLE] = 0xF;
  renderState[D3DRS_BLENDOP] = 1;
  for (unsigned s = 0; s < MaxStages; ++s) {
    DWORD* t = stageState[s];
    std::memset(t, 0, sizeof stageState[s]);
    t[D3DTSS_COLOROP] = s == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE;
    t[D3DTSS_COLORARG1] = D3DTA_TEXTURE;
    t[D3DTSS_COLORARG2] = D3DTA_CURRENT;
    t[D3DTSS_ALPHAOP] = s == 0 ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE;
    t[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
    t[D3DTSS_ALPHAARG2] = D3DTA_CURRENT;
    t[D3DTSS_TEXCOORDINDEX] = s;
    t[D3DTSS_ADDRESSU] = t[D3DTSS_ADDRESSV] = t[D3DTSS_ADDRESSW] = D3DTADDRESS_WRAP;
    t[D3DTSS_MAGFILTER] = t[D3DTSS_MINFILTER] = D3DTEXF_POINT;
    t[D3DTSS_MIPFILTER] = D3DTEXF_NONE;
    t[D3DTSS_MAXANISOTROPY] = 1;
    textureMatrix[s] = Identity();
    if (textures[s]) textures[s]->Release(), textures[s] = nullptr;
  }
  world = view = projection = Identity();
  viewport = {0, 0, width_, height_, 0.0f, 1.0f};
  material = D3DMATERIAL8{};
  lights.clear();
  fvf = 0;
  if (stream) stream->Release(), stream = nullptr;
  if (indices) indices->Release(), indices = nullptr;
  streamStride = baseVertex = 0;
  Touch(Pipeline::All);
}

HRESULT Device::TestCooperativeLevel() { return lost_ ? D3DERR_DEVICENOTRESET : D3D_OK; }

HRESULT Device::GetDirect3D(IDirect3D8** d3d) {
  if (!d3d) return D3DERR_INVALIDCALL;
  d3d_->AddRef();
  *d3d = d3d_;
  return D3D_OK;
}

HRESULT Device::GetDeviceCaps(D3DCAPS8* caps) {
  if (!caps) return D3DERR_INVALIDCALL;
  Direct3D::FillCaps(type_, caps);
  return D3D_OK;
}

HRESULT Device::GetDisplayMode(D3DDISPLAYMODE* mode) { return d3d_->GetAdapterDisplayMode(0, mode); }

HRESULT Device::Reset(D3DPRESENT_PARAMETERS* params) {
  if (recording_) Record("Reset()");
  if (!params) return D3DERR_INVALIDCALL;
  if (Platform::IsD3DFault(Platform::D3DFault::Reset)) {
    lost_ = true;
    return D3DERR_DEVICELOST;
  }
  D3DPRESENT_PARAMETERS p = *params;
  if (p.BackBufferFormat == D3DFMT_UNKNOWN) p.BackBufferFormat = params_.BackBufferFormat;
  unsigned w = 0, h = 0;
  if (!ResolveSize(p, &w, &h)) return D3DERR_INVALIDCALL;
  context_.Activate();
  FreeFrameBuffer();
  cache_.Invalidate();
  width_ = w, height_ = h;
  p.BackBufferWidth = w, p.BackBufferHeight = h;
  params_ = p;
  *params = p;
  if (HRESULT hr = MakeFrameBuffer(); FAILED(hr)) return hr;
  InitialStates();
  lost_ = false;
  inScene_ = false;
  return D3D_OK;
}

HRESULT Device::Present(const RECT*, const RECT*, HWND overrideWindow, const void*) {
  if (recording_) Record("Present()");
  if (lost_ || Platform::IsD3DFault(Platform::D3DFault::Present)) {
    lost_ = true;
    return D3DERR_DEVICELOST;
  }
  context_.Activate();
  HWND window = overrideWindow ? overrideWindow : params_.hDeviceWindow;
  const Platform::D3DWindowBridge* bridge = Platform::GetD3DWindowBridge();
  Platform::D3DPresentTarget* target =
      (bridge && bridge->presentTarget && window) ? bridge->presentTarget(window) : nullptr;
  if (target) {
    const int w = static_cast<int>(width_), h = static_cast<int>(height_);
    presented_.resize(static_cast<size_t>(w) * h * 4);
    ReadBackBuffer(0, 0, w, h, presented_.data(), w * 4);
    target->PresentFrame(presented_.data(), w, h, w * 4);
  } else {
    glFlush();
  }
  return D3D_OK;
}

HRESULT Device::GetBackBuffer(unsigned index, D3DBACKBUFFER_TYPE type, IDirect3DSurface8** surface) {
  if (!surface) return D3DERR_INVALIDCALL;
  *surface = nullptr;
  if (index != 0 || type != D3DBACKBUFFER_TYPE_MONO || !backBuffer_) return D3DERR_INVALIDCALL;
  // Always the same surface, with one more reference, as in Direct3D.
  backBuffer_->AddRef();
  *surface = backBuffer_;
  return D3D_OK;
}

HRESULT Device::CreateTexture(unsigned width, unsigned height, unsigned levels, DWORD usage, D3DFORMAT format,
                              D3DPOOL pool, IDirect3DTexture8** texture) {
  if (recording_) Record("CreateTexture(%u,%u,%u,%u,%u,%u)", width, height, levels, usage, format, pool);
  if (!texture) return D3DERR_INVALIDCALL;
  *texture = nullptr;
  if (width == 0 || height == 0 || width > 4096 || height > 4096) return D3DERR_INVALIDCALL;
  if (!BytesPerPixel(format) || Platform::IsD3DFormatRefused(format)) return D3DERR_INVALIDCALL;
  *texture = new Texture(this, width, height, levels, usage, format, pool);
  return D3D_OK;
}

HRESULT Device::CreateVertexBuffer(unsigned length, DWORD usage, DWORD fvfCode, D3DPOOL pool,
                                   IDirect3DVertexBuffer8** buffer) {
  if (recording_) Record("CreateVertexBuffer(%u,%u,%u,%u)", length, usage, fvfCode, pool);
  if (!buffer) return D3DERR_INVALIDCALL;
  *buffer = nullptr;
  if (length == 0 || length > (1u << 30)) return D3DERR_INVALIDCALL;
  *buffer = new VertexBuffer(this, length, usage, fvfCode, pool);
  return D3D_OK;
}

HRESULT Device::CreateIndexBuffer(unsigned length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                  IDirect3DIndexBuffer8** buffer) {
  if (recording_) Record("CreateIndexBuffer(%u,%u,%u,%u)", length, usage, format, pool);
  if (!buffer) return D3DERR_INVALIDCALL;
  *buffer = nullptr;
  if (length == 0 || length > (1u << 30)) return D3DERR_INVALIDCALL;
  if (format != D3DFMT_INDEX16 && format != D3DFMT_INDEX32) return D3DERR_INVALIDCALL;
  *buffer = new IndexBuffer(this, length, usage, format, pool);
  return D3D_OK;
}

HRESULT Device::BeginScene() {
  if (recording_) Record("BeginScene()");
  if (inScene_) return D3DERR_INVALIDCALL;
  inScene_ = true;
  return D3D_OK;
}

HRESULT Device::EndScene() {
  if (recording_) Record("EndScene()");
  if (!inScene_) return D3DERR_INVALIDCALL;
  inScene_ = false;
  return D3D_OK;
}

HRESULT Device::Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR colour, float z, DWORD stencil) {
  if (recording_) Record("Clear(%u,%u,%08X,%g,%u)", count, flags, colour, z, stencil);
  if ((count && !rects) || !(flags & (D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL)))
    return D3DERR_INVALIDCALL;
  context_.Activate();
  GLbitfield mask = 0;
  if (flags & D3DCLEAR_TARGET) mask |= GL_COLOR_BUFFER_BIT;
  if (flags & D3DCLEAR_ZBUFFER) mask |= GL_DEPTH_BUFFER_BIT;
  if (flags & D3DCLEAR_STENCIL) mask |= GL_STENCIL_BUFFER_BIT;
  cache_.ColourMask(0xF);
  cache_.DepthMask(true);
  cache_.StencilMask(0xFF);
  glClearColor(((colour >> 16) & 255) / 255.0f, ((colour >> 8) & 255) / 255.0f, (colour & 255) / 255.0f,
               (colour >> 24) / 255.0f);
  glClearDepth(z < 0 ? 0.0 : (z > 1 ? 1.0 : z));
  glClearStencil(static_cast<GLint>(stencil & 0xFF));
  cache_.Enable(GL_SCISSOR_TEST, true);
  // Direct3D clears within the viewport only; rows count from the top.
  auto clearBox = [&](int x1, int y1, int x2, int y2) {
    int vx1 = static_cast<int>(viewport.X), vy1 = static_cast<int>(viewport.Y);
    int vx2 = vx1 + static_cast<int>(viewport.Width), vy2 = vy1 + static_cast<int>(viewport.Height);
    x1 = std::max(x1, vx1), y1 = std::max(y1, vy1), x2 = std::min(x2, vx2), y2 = std::min(y2, vy2);
    if (x2 <= x1 || y2 <= y1) return;
    cache_.Scissor(x1, y1, x2 - x1, y2 - y1);
    glClear(mask);
  };
  if (count == 0)
    clearBox(0, 0, static_cast<int>(width_), static_cast<int>(height_));
  else
    for (DWORD i = 0; i < count; ++i) clearBox(rects[i].x1, rects[i].y1, rects[i].x2, rects[i].y2);
  cache_.Enable(GL_SCISSOR_TEST, false);
  // The write masks are the render states' again at the next draw.
  Touch(Pipeline::Raster);
  return D3D_OK;
}

void Device::ReadBackBuffer(int x, int y, int width, int height, uint8_t* pixels, int pitch) {
  if (width <= 0 || height <= 0) return;
  context_.Activate();
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glPixelStorei(GL_PACK_ROW_LENGTH, pitch / 4);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, frameBuffer_);
  // Row 0 is the top one (upper-left origin), as Direct3D locks it.
  glReadPixels(x, y, width, height, GL_BGRA, GL_UNSIGNED_BYTE, pixels);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  pixelsRead_ += static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
}

void Device::WriteBackBuffer(const uint8_t* pixels, int x, int y, int width, int height, int pitch) {
  if (width <= 0 || height <= 0) return;
  context_.Activate();
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glDisable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_SCISSOR_TEST);
  glDisable(GL_STENCIL_TEST);
  glDisable(GL_COLOR_SUM);
  // Drawn pixels go through texturing like any fragment: none here.
  for (unsigned s = 0; s < MaxStages; ++s) {
    glActiveTexture(GL_TEXTURE0 + s);
    glDisable(GL_TEXTURE_2D);
  }
  glUseProgram(0);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, pitch / 4);
  glWindowPos2i(x, y);
  glDrawPixels(width, height, GL_BGRA, GL_UNSIGNED_BYTE, pixels);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPopAttrib();
  cache_.Invalidate();
}

void Device::Record(const char* format, ...) {
  char text[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  calls_.emplace_back(text);
}

std::vector<std::string> Device::TakeCalls() {
  std::vector<std::string> out;
  out.swap(calls_);
  return out;
}

}  // namespace D3D8Impl

namespace Platform {

void SetD3DCallRecording(IDirect3DDevice8* device, bool on) {
  if (auto* d = dynamic_cast<D3D8Impl::Device*>(device)) d->SetRecording(on);
}

std::vector<std::string> TakeD3DCalls(IDirect3DDevice8* device) {
  if (auto* d = dynamic_cast<D3D8Impl::Device*>(device)) return d->TakeCalls();
  return {};
}

uint64_t D3DPixelsReadBack(IDirect3DDevice8* device) {
  if (auto* d = dynamic_cast<D3D8Impl::Device*>(device)) return d->PixelsRead();
  return 0;
}

bool D3DIsSoftwareRenderer() { return D3D8Impl::GlContext::IsSoftware(); }
std::string D3DRendererName() { return D3D8Impl::GlContext::RendererName(); }

}  // namespace Platform
