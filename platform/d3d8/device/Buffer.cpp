// Vertex and index buffers: memory locked by the caller, sent to GL at the
// next draw (only what was written), and the largest index of index ranges.
#include "platform/d3d8/device/Resources.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>

#include "platform/d3d8/device/Device.h"

namespace D3D8Impl {

Buffer::Buffer(Device* device, unsigned length, DWORD usage, D3DPOOL pool, const char* lockName)
    : device_(device), usage_(usage), pool_(pool), lockName_(lockName), bytes_(length, 0) {
  device_->Attach(this);
}

Buffer::~Buffer() {
  if (!device_) return;
  device_->Forget(this);
  if (glName_) {
    device_->Activate();
    device_->Cache().ForgetBuffer(glName_);
    glDeleteBuffers(1, &glName_);
  }
}

void Buffer::Detach() {
  device_ = nullptr;
  glName_ = 0;
}

HRESULT Buffer::Lock(unsigned offset, unsigned size, BYTE** data, DWORD flags) {
  if (device_ && device_->Recording()) device_->Record("%s(%u,%u,%u)", lockName_, offset, size, flags);
  if (!data) return D3DERR_INVALIDCALL;
  *data = nullptr;
  if (offset > bytes_.size() || size > bytes_.size() - offset) return D3DERR_INVALIDCALL;
  // Size 0 locks the rest of the buffer.
  const size_t end = size ? size_t{offset} + size : bytes_.size();
  *data = bytes_.data() + offset;
  locked_ = true;
  if (!(flags & D3DLOCK_READONLY)) {
    if (dirtyEnd_ <= dirtyBegin_)
      dirtyBegin_ = offset, dirtyEnd_ = end;
    else
      dirtyBegin_ = std::min<size_t>(dirtyBegin_, offset), dirtyEnd_ = std::max(dirtyEnd_, end);
    if (flags & D3DLOCK_DISCARD) discard_ = true;
    ForgetMaxIndex();
  }
  return D3D_OK;
}

HRESULT Buffer::Unlock() {
  if (!locked_) return D3DERR_INVALIDCALL;
  locked_ = false;
  // Whatever was written while locked is in now.
  ForgetMaxIndex();
  return D3D_OK;
}

void Buffer::Bind(unsigned target) {
  if (!device_) return;
  if (!glName_) glGenBuffers(1, &glName_);
  device_->Cache().BindBuffer(target, glName_);
  if (!stored_ || discard_) {
    // A new store: draws still reading the old one need not be waited for.
    glBufferData(target, static_cast<GLsizeiptr>(bytes_.size()), bytes_.data(),
                 (usage_ & D3DUSAGE_DYNAMIC) ? GL_DYNAMIC_DRAW : GL_STATIC_DRAW);
    stored_ = true;
    discard_ = false;
  } else if (dirtyEnd_ > dirtyBegin_) {
    glBufferSubData(target, static_cast<GLintptr>(dirtyBegin_), static_cast<GLsizeiptr>(dirtyEnd_ - dirtyBegin_),
                    bytes_.data() + dirtyBegin_);
  }
  dirtyBegin_ = dirtyEnd_ = 0;
}

uint32_t Buffer::MaxIndex(bool wide, size_t first, size_t count) {
  auto scan = [&] {
    uint32_t top = 0;
    if (wide) {
      const uint32_t* p = reinterpret_cast<const uint32_t*>(bytes_.data()) + first;
      for (size_t i = 0; i < count; ++i) top = std::max(top, p[i]);
    } else {
      const uint16_t* p = reinterpret_cast<const uint16_t*>(bytes_.data()) + first;
      for (size_t i = 0; i < count; ++i) top = std::max<uint32_t>(top, p[i]);
    }
    return top;
  };
  // While locked the caller may still be writing: nothing is kept.
  if (locked_) return scan();
  const uint64_t key = (uint64_t{first} << 32) | count;
  if (key == lastRange_) return lastMax_;
  lastRange_ = key;
  if (auto it = maxIndex_.find(key); it != maxIndex_.end()) return lastMax_ = it->second;
  // A caller drawing ever new ranges does not grow the table without end.
  if (maxIndex_.size() >= 1024) maxIndex_.clear();
  const uint32_t top = scan();
  maxIndex_.emplace(key, top);
  return lastMax_ = top;
}

VertexBuffer::VertexBuffer(Device* device, unsigned length, DWORD usage, DWORD fvf, D3DPOOL pool)
    : buffer_(device, length, usage, pool, "LockVertexBuffer"), fvf_(fvf) {}
VertexBuffer::~VertexBuffer() = default;

HRESULT VertexBuffer::GetDevice(IDirect3DDevice8** device) { return HandOutDevice(buffer_.Owner(), device); }

HRESULT VertexBuffer::GetDesc(D3DVERTEXBUFFER_DESC* desc) {
  if (!desc) return D3DERR_INVALIDCALL;
  *desc = {D3DFMT_VERTEXDATA, D3DRTYPE_VERTEXBUFFER, buffer_.Usage(), buffer_.Pool(),
           static_cast<uint32_t>(buffer_.Bytes().size()), fvf_};
  return D3D_OK;
}

IndexBuffer::IndexBuffer(Device* device, unsigned length, DWORD usage, D3DFORMAT format, D3DPOOL pool)
    : buffer_(device, length, usage, pool, "LockIndexBuffer"), format_(format) {}
IndexBuffer::~IndexBuffer() = default;

HRESULT IndexBuffer::GetDevice(IDirect3DDevice8** device) { return HandOutDevice(buffer_.Owner(), device); }

HRESULT IndexBuffer::GetDesc(D3DINDEXBUFFER_DESC* desc) {
  if (!desc) return D3DERR_INVALIDCALL;
  *desc = {format_, D3DRTYPE_INDEXBUFFER, buffer_.Usage(), buffer_.Pool(),
           static_cast<uint32_t>(buffer_.Bytes().size())};
  return D3D_OK;
}

}  // namespace D3D8Impl
