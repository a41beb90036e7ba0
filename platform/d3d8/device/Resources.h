// The stand-in's textures, surfaces and buffers. The data lives in memory (the
// managed pool's copy) and is uploaded to GL when a draw first needs it after a
// change. A resource does not keep its device alive: when the device goes, it
// detaches its resources, which stay valid as memory but draw nowhere.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "platform/d3d8/d3d8.h"

namespace D3D8Impl {

class Device;

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
  // Binds the GL texture to the active unit, uploading changed data first.
  void Bind();
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

// A texture level or the device's back buffer.
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
  std::vector<uint8_t> readBack_;
  bool locked_ = false;
  bool writeBack_ = false;
};

// Vertex or index data: one class, as both lock and upload alike.
class Buffer : public Attached {
 public:
  Buffer(Device* device, unsigned length, DWORD usage, D3DPOOL pool);
  ~Buffer();
  HRESULT Lock(unsigned offset, unsigned size, BYTE** data, DWORD flags);
  HRESULT Unlock();
  // Binds the GL buffer to target, uploading changed data first.
  void Bind(unsigned target);
  const std::vector<uint8_t>& Bytes() const { return bytes_; }
  DWORD Usage() const { return usage_; }
  D3DPOOL Pool() const { return pool_; }
  Device* Owner() const { return device_; }
  void Detach() override;

 private:
  Device* device_;
  DWORD usage_;
  D3DPOOL pool_;
  std::vector<uint8_t> bytes_;
  unsigned glName_ = 0;
  bool dirty_ = true;
  bool locked_ = false;
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
