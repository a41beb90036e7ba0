#include "platform/d3d8/device/Resources.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>

#include "platform/d3d8/device/Device.h"
#include "platform/d3d8/device/PixelFormat.h"

namespace D3D8Impl {

HRESULT HandOutDevice(Device* device, IDirect3DDevice8** out) {
  if (!out) return D3DERR_INVALIDCALL;
  *out = device;
  if (!device) return D3DERR_INVALIDCALL;
  device->AddRef();
  return D3D_OK;
}

Texture::Texture(Device* device, unsigned width, unsigned height, unsigned levels, DWORD usage, D3DFORMAT format,
                 D3DPOOL pool)
    : device_(device), format_(format), pool_(pool), usage_(usage) {
  unsigned maxLevels = 1;
  for (unsigned w = width, h = height; w > 1 || h > 1; w = std::max(1u, w / 2), h = std::max(1u, h / 2))
    ++maxLevels;
  if (levels == 0 || levels > maxLevels) levels = maxLevels;
  int bpp = BytesPerPixel(format);
  for (unsigned i = 0; i < levels; ++i) {
    Level l;
    l.width = std::max(1u, width >> i);
    l.height = std::max(1u, height >> i);
    l.pitch = static_cast<int>(l.width) * bpp;
    l.bits.assign(static_cast<size_t>(l.pitch) * l.height, 0);
    levels_.push_back(std::move(l));
  }
  device_->Attach(this);
}

Texture::~Texture() {
  if (!device_) return;
  device_->Forget(this);
  if (glName_) {
    device_->Activate();
    device_->Cache().ForgetTexture(glName_);
    glDeleteTextures(1, &glName_);
  }
}

void Texture::Detach() {
  device_ = nullptr;
  glName_ = 0;  // went with the context
}

HRESULT Texture::GetDevice(IDirect3DDevice8** device) { return HandOutDevice(device_, device); }

HRESULT Texture::GetLevelDesc(unsigned level, D3DSURFACE_DESC* desc) {
  if (level >= levels_.size() || !desc) return D3DERR_INVALIDCALL;
  const Level& l = levels_[level];
  *desc = {format_, D3DRTYPE_SURFACE, usage_, pool_, static_cast<uint32_t>(l.bits.size()),
           D3DMULTISAMPLE_NONE, l.width, l.height};
  return D3D_OK;
}

HRESULT Texture::GetSurfaceLevel(unsigned level, IDirect3DSurface8** surface) {
  if (!surface) return D3DERR_INVALIDCALL;
  *surface = nullptr;
  if (level >= levels_.size()) return D3DERR_INVALIDCALL;
  *surface = new Surface(this, level);
  return D3D_OK;
}

HRESULT Texture::LockRect(unsigned level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) {
  if (device_ && device_->Recording()) {
    const bool whole = !rect && level < levels_.size();
    device_->Record("LockRect(%u,%d,%d,%d,%d,%u)", level, rect ? rect->left : 0, rect ? rect->top : 0,
                    rect ? rect->right : whole ? static_cast<int>(levels_[level].width) : 0,
                    rect ? rect->bottom : whole ? static_cast<int>(levels_[level].height) : 0, flags);
  }
  if (level >= levels_.size() || !locked) return D3DERR_INVALIDCALL;
  Level& l = levels_[level];
  size_t offset = 0;
  if (rect) {
    if (rect->left < 0 || rect->top < 0 || rect->right > static_cast<int32_t>(l.width) ||
        rect->bottom > static_cast<int32_t>(l.height) || rect->left >= rect->right || rect->top >= rect->bottom)
      return D3DERR_INVALIDCALL;
    offset = static_cast<size_t>(rect->top) * l.pitch + static_cast<size_t>(rect->left) * BytesPerPixel(format_);
  }
  locked->Pitch = l.pitch;
  locked->pBits = l.bits.data() + offset;
  if (!(flags & D3DLOCK_READONLY)) dirty_ = true;
  return D3D_OK;
}

HRESULT Texture::UnlockRect(unsigned level) { return level < levels_.size() ? D3D_OK : D3DERR_INVALIDCALL; }

void Texture::Bind(GlCache& gl, unsigned unit) {
  if (!device_) return;
  if (!glName_) glGenTextures(1, &glName_);
  gl.BindTexture(unit, glName_);
  if (!dirty_) return;
  gl.ActiveTexture(unit);  // the upload goes to the active unit's texture
  GlUpload up{};
  GlUploadOf(format_, &up);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  for (size_t i = 0; i < levels_.size(); ++i) {
    const Level& l = levels_[i];
    glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(i), static_cast<GLint>(up.internalFormat),
                 static_cast<GLsizei>(l.width), static_cast<GLsizei>(l.height), 0, up.format, up.type,
                 l.bits.data());
  }
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(levels_.size() - 1));
  dirty_ = false;
}

Surface::Surface(Texture* texture, unsigned level) : texture_(texture), level_(level) { texture_->AddRef(); }

Surface::Surface(Device* backBufferOf) : backBuffer_(backBufferOf) { backBuffer_->Attach(this); }

Surface::~Surface() {
  if (texture_) texture_->Release();
  if (backBuffer_) backBuffer_->Forget(this);
}

HRESULT Surface::GetDevice(IDirect3DDevice8** device) {
  return HandOutDevice(texture_ ? texture_->Owner() : backBuffer_, device);
}

HRESULT Surface::GetDesc(D3DSURFACE_DESC* desc) {
  if (!desc) return D3DERR_INVALIDCALL;
  if (texture_) return texture_->GetLevelDesc(level_, desc);
  if (!backBuffer_) return D3DERR_INVALIDCALL;
  *desc = {backBuffer_->BackBufferFormat(), D3DRTYPE_SURFACE, D3DUSAGE_RENDERTARGET, D3DPOOL_DEFAULT,
           backBuffer_->Width() * backBuffer_->Height() * 4, D3DMULTISAMPLE_NONE, backBuffer_->Width(),
           backBuffer_->Height()};
  return D3D_OK;
}

HRESULT Surface::LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) {
  if (texture_) return texture_->LockRect(level_, locked, rect, flags);
  if (!backBuffer_) return D3DERR_INVALIDCALL;
  int w = static_cast<int>(backBuffer_->Width()), h = static_cast<int>(backBuffer_->Height());
  RECT r = rect ? *rect : RECT{0, 0, w, h};
  if (backBuffer_->Recording()) backBuffer_->Record("LockBackBuffer(%d,%d,%d,%d,%u)", r.left, r.top, r.right, r.bottom, flags);
  if (!locked || locked_) return D3DERR_INVALIDCALL;
  if (r.left < 0 || r.top < 0 || r.right > w || r.bottom > h || r.left >= r.right || r.top >= r.bottom)
    return D3DERR_INVALIDCALL;
  // Only the locked rectangle is read, laid out at the frame's pitch.
  const int rw = r.right - r.left, rh = r.bottom - r.top;
  const size_t pitch = static_cast<size_t>(w) * 4;
  const size_t size = pitch * static_cast<size_t>(rh - 1) + static_cast<size_t>(rw) * 4;
  if (readBackSize_ < size) {
    readBack_.reset(new uint8_t[size]);
    readBackSize_ = size;
  }
  backBuffer_->ReadBackBuffer(r.left, r.top, rw, rh, readBack_.get(), static_cast<int>(pitch));
  locked->Pitch = static_cast<int>(pitch);
  locked->pBits = readBack_.get();
  lockedRect_ = r;
  lockedPitch_ = static_cast<int>(pitch);
  locked_ = true;
  writeBack_ = !(flags & D3DLOCK_READONLY);
  return D3D_OK;
}

HRESULT Surface::UnlockRect() {
  if (texture_) return texture_->UnlockRect(level_);
  if (!locked_) return D3DERR_INVALIDCALL;
  locked_ = false;
  if (writeBack_ && backBuffer_) {
    const RECT& r = lockedRect_;
    backBuffer_->WriteBackBuffer(readBack_.get(), r.left, r.top, r.right - r.left, r.bottom - r.top, lockedPitch_);
  }
  return D3D_OK;
}

}  // namespace D3D8Impl
