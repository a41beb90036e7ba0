// Our Direct3D 8 stand-in: the COM-style interfaces that the system calls,
// drawn with OpenGL's fixed-function pipeline in an off-screen EGL context.
// Reference counting follows COM: a creator hands out one reference, Release
// frees at zero; resources keep their device alive.
#pragma once

#include <cstdint>

#include "platform/d3d8/d3d8types.h"
#include "platform/d3d8/D3D8Constants.h"
#include "platform/d3d8/D3D8Structs.h"

class IDirect3DDevice8;

class IUnknownLike {
 public:
  virtual unsigned long AddRef() = 0;
  virtual unsigned long Release() = 0;

 protected:
  virtual ~IUnknownLike() = default;
};

class IDirect3DSurface8 : public IUnknownLike {
 public:
  virtual HRESULT GetDevice(IDirect3DDevice8** device) = 0;
  virtual HRESULT GetDesc(D3DSURFACE_DESC* desc) = 0;
  // Rows run top-down; rect null locks the whole surface.
  virtual HRESULT LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) = 0;
  virtual HRESULT UnlockRect() = 0;
};

class IDirect3DBaseTexture8 : public IUnknownLike {
 public:
  virtual HRESULT GetDevice(IDirect3DDevice8** device) = 0;
  virtual D3DRESOURCETYPE GetType() = 0;
  virtual DWORD GetLevelCount() = 0;
};

class IDirect3DTexture8 : public IDirect3DBaseTexture8 {
 public:
  virtual HRESULT GetLevelDesc(unsigned level, D3DSURFACE_DESC* desc) = 0;
  // The caller owns one reference of the surface.
  virtual HRESULT GetSurfaceLevel(unsigned level, IDirect3DSurface8** surface) = 0;
  virtual HRESULT LockRect(unsigned level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) = 0;
  virtual HRESULT UnlockRect(unsigned level) = 0;
};

class IDirect3DVertexBuffer8 : public IUnknownLike {
 public:
  virtual HRESULT GetDevice(IDirect3DDevice8** device) = 0;
  virtual HRESULT Lock(unsigned offset, unsigned size, BYTE** data, DWORD flags) = 0;
  virtual HRESULT Unlock() = 0;
  virtual HRESULT GetDesc(D3DVERTEXBUFFER_DESC* desc) = 0;
};

class IDirect3DIndexBuffer8 : public IUnknownLike {
 public:
  virtual HRESULT GetDevice(IDirect3DDevice8** device) = 0;
  virtual HRESULT Lock(unsigned offset, unsigned size, BYTE** data, DWORD flags) = 0;
  virtual HRESULT Unlock() = 0;
  virtual HRESULT GetDesc(D3DINDEXBUFFER_DESC* desc) = 0;
};

class IDirect3D8;

class IDirect3DDevice8 : public IUnknownLike {
 public:
  virtual HRESULT TestCooperativeLevel() = 0;
  virtual HRESULT GetDirect3D(IDirect3D8** d3d) = 0;
  virtual HRESULT GetDeviceCaps(D3DCAPS8* caps) = 0;
  virtual HRESULT GetDisplayMode(D3DDISPLAYMODE* mode) = 0;
  virtual HRESULT Reset(D3DPRESENT_PARAMETERS* params) = 0;
  virtual HRESULT Present(const RECT* source, const RECT* dest, HWND overrideWindow, const void* dirty) = 0;
  virtual HRESULT GetBackBuffer(unsigned index, D3DBACKBUFFER_TYPE type, IDirect3DSurface8** surface) = 0;

  virtual HRESULT CreateTexture(unsigned width, unsigned height, unsigned levels, DWORD usage, D3DFORMAT format,
                                D3DPOOL pool, IDirect3DTexture8** texture) = 0;
  virtual HRESULT CreateVertexBuffer(unsigned length, DWORD usage, DWORD fvf, D3DPOOL pool,
                                     IDirect3DVertexBuffer8** buffer) = 0;
  virtual HRESULT CreateIndexBuffer(unsigned length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                    IDirect3DIndexBuffer8** buffer) = 0;
  // Copies rectangles between surfaces of the same format (null rects: the whole source to (0, 0)).
  virtual HRESULT CopyRects(IDirect3DSurface8* source, const RECT* rects, unsigned count,
                            IDirect3DSurface8* dest, const POINT* points) = 0;

  virtual HRESULT BeginScene() = 0;
  virtual HRESULT EndScene() = 0;
  virtual HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR colour, float z,
                        DWORD stencil) = 0;

  virtual HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) = 0;
  virtual HRESULT GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) = 0;
  virtual HRESULT MultiplyTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) = 0;
  virtual HRESULT SetViewport(const D3DVIEWPORT8* viewport) = 0;
  virtual HRESULT GetViewport(D3DVIEWPORT8* viewport) = 0;
  virtual HRESULT SetMaterial(const D3DMATERIAL8* material) = 0;
  virtual HRESULT GetMaterial(D3DMATERIAL8* material) = 0;
  virtual HRESULT SetLight(DWORD index, const D3DLIGHT8* light) = 0;
  virtual HRESULT GetLight(DWORD index, D3DLIGHT8* light) = 0;
  virtual HRESULT LightEnable(DWORD index, BOOL enable) = 0;
  virtual HRESULT GetLightEnable(DWORD index, BOOL* enable) = 0;
  virtual HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) = 0;
  virtual HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) = 0;

  // The device holds a reference of the texture while it is set.
  virtual HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture8* texture) = 0;
  // The caller owns one reference of the texture handed out (null when none).
  virtual HRESULT GetTexture(DWORD stage, IDirect3DBaseTexture8** texture) = 0;
  virtual HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) = 0;
  virtual HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) = 0;
  virtual HRESULT ValidateDevice(DWORD* passes) = 0;

  // FVF codes only: programmable shaders are not offered.
  virtual HRESULT SetVertexShader(DWORD fvf) = 0;
  virtual HRESULT GetVertexShader(DWORD* fvf) = 0;
  virtual HRESULT SetStreamSource(unsigned stream, IDirect3DVertexBuffer8* buffer, unsigned stride) = 0;
  virtual HRESULT SetIndices(IDirect3DIndexBuffer8* buffer, unsigned baseVertexIndex) = 0;

  virtual HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, unsigned startVertex, unsigned primitiveCount) = 0;
  virtual HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, unsigned minIndex, unsigned numVertices,
                                       unsigned startIndex, unsigned primitiveCount) = 0;
  virtual HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, unsigned primitiveCount, const void* vertices,
                                  unsigned stride) = 0;
  virtual HRESULT DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE type, unsigned minIndex, unsigned numVertices,
                                         unsigned primitiveCount, const void* indices, D3DFORMAT indexFormat,
                                         const void* vertices, unsigned stride) = 0;
};

class IDirect3D8 : public IUnknownLike {
 public:
  virtual unsigned GetAdapterCount() = 0;
  virtual HRESULT GetAdapterDisplayMode(unsigned adapter, D3DDISPLAYMODE* mode) = 0;
  virtual HRESULT CheckDeviceType(unsigned adapter, D3DDEVTYPE type, D3DFORMAT displayFormat,
                                  D3DFORMAT backBufferFormat, BOOL windowed) = 0;
  virtual HRESULT CheckDeviceFormat(unsigned adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat, DWORD usage,
                                    D3DRESOURCETYPE resourceType, D3DFORMAT checkFormat) = 0;
  virtual HRESULT GetDeviceCaps(unsigned adapter, D3DDEVTYPE type, D3DCAPS8* caps) = 0;
  // The caller owns one reference of the device.
  virtual HRESULT CreateDevice(unsigned adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behaviour,
                               D3DPRESENT_PARAMETERS* params, IDirect3DDevice8** device) = 0;
};

// Null when the SDK version is not 220 or creation was made to fail.
IDirect3D8* Direct3DCreate8(unsigned sdkVersion);

typedef IDirect3DDevice8* LPDIRECT3DDEVICE8;
typedef IDirect3D8* LPDIRECT3D8;
typedef IDirect3DTexture8* LPDIRECT3DTEXTURE8;
typedef IDirect3DSurface8* LPDIRECT3DSURFACE8;
typedef IDirect3DVertexBuffer8* LPDIRECT3DVERTEXBUFFER8;
typedef IDirect3DIndexBuffer8* LPDIRECT3DINDEXBUFFER8;
