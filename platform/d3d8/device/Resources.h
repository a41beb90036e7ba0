// The stand-in's textures, surfaces and buffers. The data lives in memory (the
// managed pool's copy) and is uploaded to GL when a draw first needs it after a
// change. A resource does not keep its device alive: when the device goes, it
// detaches its resources, which stay valid as memory but draw nowhere.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/d3d8/d3d8.h"

namespace D3D8Impl {

class Device;
class GlCache;

// Hands out the device with a reference (fails when it is gone).
HRESULT HandOutDevice(Device* device, IDirect3DDevice8** out);

// Registered with the device while both live.
class Attached {
 public:
  virtual void Detach() = 0;

 protected:
  ~Attached() = default;
};

template <class Interface>
class RefCounted : public Interface {
 public:
  unsigned long AddRef() override { return ++refs_; }
  unsigned long Release() override {
    unsigned long n = --refs_;
    if (n == 0) delete this;
    return n;
  }

 private:
  std::atomic<unsigned long> refs_{1};
};

class Texture final : public RefCounted<IDirect3DTexture8>, public Attached {
 public:
  Texture(Device* device, unsigned width, unsigned height, unsigned levels, DWORD usage, D3DFORMAT format,
          D3DPOOL pool);
  ~Texture() override;

  HRESULT GetDevice(IDirect3DDevice8** device) override;
  D3DRESOURCETYPE GetType() override { return D3DRTYPE_TEXTURE; }
  DWORD GetLevelCount() override { return static_cast<DWORD>(levels_.size()); }
  HRESULT GetLevelDesc(unsigned level, D3DSURFACE_DESC* desc) override;
  HRESULT GetSurfaceLevel(unsigned level, IDirect3DSurface8** surface) override;
  HRESULT LockRect(unsigned level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
  HRESULT UnlockRect(unsigned level) override;

  struct Level {
    unsigned width, height;
    int pitch;
    std::vector<uint8_t> bits;
  };
  D3DFORMAT Format() const { return format_; }
  const Level& LevelAt(unsigned i) const { return levels_[i]; }
  Level& LevelAt(unsigned i) { return levels_[i]; }
  void MarkDirty() { dirty_ = true; }
  // Binds the GL texture to a unit, uploading changed data first.
  void Bind(GlCache& gl, unsigned unit);
  void Detach() override;
  Device* Owner() const { return device_; }

 private:
  Device* device_;
  D3DFORMAT format_;
  D3DPOOL pool_;
  DWORD usage_;
  std::vector<Level> levels_;
  unsigned glName_ = 0;
  bool dirty_ = true;
};

// A texture level or the device's back buffer. The device makes its back
// buffer once and holds one reference; GetBackBuffer adds one per call.
class Surface final : public RefCounted<IDirect3DSurface8>, public Attached {
 public:
  Surface(Texture* texture, unsigned level);  // takes a reference of the texture
  explicit Surface(Device* backBufferOf);
  ~Surface() override;

  HRESULT GetDevice(IDirect3DDevice8** device) override;
  HRESULT GetDesc(D3DSURFACE_DESC* desc) override;
  HRESULT LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
  HRESULT UnlockRect() override;

  Texture* OwnerTexture() const { return texture_; }
  unsigned LevelIndex() const { return level_; }
  Device* BackBufferDevice() const { return backBuffer_; }
  bool IsBackBuffer() const { return texture_ == nullptr; }
  void Detach() override { backBuffer_ = nullptr; }

 private:
  Texture* texture_ = nullptr;
  unsigned level_ = 0;
  Device* backBuffer_ = nullptr;
  // The locked rectangle's pixels at the back buffer's pitch; only they are read.
  std::unique_ptr<uint8_t[]> readBack_;
  size_t readBackSize_ = 0;
  RECT lockedRect_{};
  int lockedPitch_ = 0;
  bool locked_ = false;
  bool writeBack_ = false;
};

// Vertex or index data: one class, as both lock and upload alike. Writes are
// gathered as one dirty byte range and sent with glBufferSubData at the next
// bind; a D3DLOCK_DISCARD lock gives GL a fresh store (orphaning the one in
// use) filled from the data.
class Buffer : public Attached {
 public:
  // lockName: how locks are recorded ("LockVertexBuffer").
  Buffer(Device* device, unsigned length, DWORD usage, D3DPOOL pool, const char* lockName);
  ~Buffer();
  HRESULT Lock(unsigned offset, unsigned size, BYTE** data, DWORD flags);
  HRESULT Unlock();
  // Binds the GL buffer to target, uploading changed data first.
  void Bind(unsigned target);
  // The largest of count indices from first (the caller checks the range).
  // Kept per range until the data is next locked for writing.
  uint32_t MaxIndex(bool wide, size_t first, size_t count);
  const std::vector<uint8_t>& Bytes() const { return bytes_; }
  unsigned GlName() const { return glName_; }
  DWORD Usage() const { return usage_; }
  D3DPOOL Pool() const { return pool_; }
  Device* Owner() const { return device_; }
  void Detach() override;

 private:
  Device* device_;
  DWORD usage_;
  D3DPOOL pool_;
  const char* lockName_;
  std::vector<uint8_t> bytes_;
  unsigned glName_ = 0;
  bool stored_ = false;   // GL has a store of the buffer's size
  bool discard_ = false;  // the next upload replaces the store
  size_t dirtyBegin_ = 0, dirtyEnd_ = 0;
  bool locked_ = false;
  std::unordered_map<uint64_t, uint32_t> maxIndex_;  // (first, count) -> largest index
  // The range asked last (a draw asks the whole buffer's first, every time).
  uint64_t lastRange_ = ~uint64_t{0};
  uint32_t lastMax_ = 0;
  void ForgetMaxIndex() { maxIndex_.clear(), lastRange_ = ~uint64_t{0}; }
};

class VertexBuffer final : public RefCounted<IDirect3DVertexBuffer8> {
 public:
  VertexBuffer(Device* device, unsigned length, DWORD usage, DWORD fvf, D3DPOOL pool);
  ~VertexBuffer() override;
  HRESULT GetDevice(IDirect3DDevice8** device) override;
  HRESULT Lock(unsigned offset, unsigned size, BYTE** data, DWORD flags) override {
    return buffer_.Lock(offset, size, data, flags);
  }
  HRESULT Unlock() override { return buffer_.Unlock(); }
  HRESULT GetDesc(D3DVERTEXBUFFER_DESC* desc) override;
  Buffer& Data() { return buffer_; }

 private:
  Buffer buffer_;
  DWORD fvf_;
};

class IndexBuffer final : public RefCounted<IDirect3DIndexBuffer8> {
 public:
  IndexBuffer(Device* device, unsigned length, DWORD usage, D3DFORMAT format, D3DPOOL pool);
  ~IndexBuffer() override;
  HRESULT GetDevice(IDirect3DDevice8** device) override;
  HRESULT Lock(unsigned offset, unsigned size, BYTE** data, DWORD flags) override {
    return buffer_.Lock(offset, size, data, flags);
  }
  HRESULT Unlock() override { return buffer_.Unlock(); }
  HRESULT GetDesc(D3DINDEXBUFFER_DESC* desc) override;
  Buffer& Data() { return buffer_; }
  D3DFORMAT Format() const { return format_; }

 private:
  Buffer buffer_;
  D3DFORMAT format_;
};

}  // namespace D3D8Impl
