// Direct3D 8 records passed through the device interfaces (32-bit fields).
#pragma once

#include <cstdint>

#include "platform/d3d8/d3d8types.h"
#include "platform/d3d8/D3D8Constants.h"

#ifndef SAVORA_WIN32_RECT_DEFINED
#define SAVORA_WIN32_RECT_DEFINED
struct RECT {
  int32_t left, top, right, bottom;
};
struct POINT {
  int32_t x, y;
};
#endif

struct D3DDISPLAYMODE {
  uint32_t Width;
  uint32_t Height;
  uint32_t RefreshRate;
  D3DFORMAT Format;
};

struct D3DPRESENT_PARAMETERS {
  uint32_t BackBufferWidth;
  uint32_t BackBufferHeight;
  D3DFORMAT BackBufferFormat;
  uint32_t BackBufferCount;
  D3DMULTISAMPLE_TYPE MultiSampleType;
  D3DSWAPEFFECT SwapEffect;
  HWND hDeviceWindow;
  BOOL Windowed;
  BOOL EnableAutoDepthStencil;
  D3DFORMAT AutoDepthStencilFormat;
  uint32_t Flags;
  uint32_t FullScreen_RefreshRateInHz;
  uint32_t FullScreen_PresentationInterval;
};

struct D3DLOCKED_RECT {
  int32_t Pitch;
  void* pBits;
};

struct D3DSURFACE_DESC {
  D3DFORMAT Format;
  D3DRESOURCETYPE Type;
  uint32_t Usage;
  D3DPOOL Pool;
  uint32_t Size;
  D3DMULTISAMPLE_TYPE MultiSampleType;
  uint32_t Width;
  uint32_t Height;
};

struct D3DVERTEXBUFFER_DESC {
  D3DFORMAT Format;
  D3DRESOURCETYPE Type;
  uint32_t Usage;
  D3DPOOL Pool;
  uint32_t Size;
  uint32_t FVF;
};

struct D3DINDEXBUFFER_DESC {
  D3DFORMAT Format;
  D3DRESOURCETYPE Type;
  uint32_t Usage;
  D3DPOOL Pool;
  uint32_t Size;
};

// Device capabilities, in the original field order.
struct D3DCAPS8 {
  D3DDEVTYPE DeviceType;
  uint32_t AdapterOrdinal;
  uint32_t Caps, Caps2, Caps3;
  uint32_t PresentationIntervals;
  uint32_t CursorCaps;
  uint32_t DevCaps;
  uint32_t PrimitiveMiscCaps;
  uint32_t RasterCaps;
  uint32_t ZCmpCaps;
  uint32_t SrcBlendCaps;
  uint32_t DestBlendCaps;
  uint32_t AlphaCmpCaps;
  uint32_t ShadeCaps;
  uint32_t TextureCaps;
  uint32_t TextureFilterCaps;
  uint32_t CubeTextureFilterCaps;
  uint32_t VolumeTextureFilterCaps;
  uint32_t TextureAddressCaps;
  uint32_t VolumeTextureAddressCaps;
  uint32_t LineCaps;
  uint32_t MaxTextureWidth, MaxTextureHeight;
  uint32_t MaxVolumeExtent;
  uint32_t MaxTextureRepeat;
  uint32_t MaxTextureAspectRatio;
  uint32_t MaxAnisotropy;
  float MaxVertexW;
  float GuardBandLeft, GuardBandTop, GuardBandRight, GuardBandBottom;
  float ExtentsAdjust;
  uint32_t StencilCaps;
  uint32_t FVFCaps;
  uint32_t TextureOpCaps;
  uint32_t MaxTextureBlendStages;
  uint32_t MaxSimultaneousTextures;
  uint32_t VertexProcessingCaps;
  uint32_t MaxActiveLights;
  uint32_t MaxUserClipPlanes;
  uint32_t MaxVertexBlendMatrices;
  uint32_t MaxVertexBlendMatrixIndex;
  float MaxPointSize;
  uint32_t MaxPrimitiveCount;
  uint32_t MaxVertexIndex;
  uint32_t MaxStreams;
  uint32_t MaxStreamStride;
  uint32_t VertexShaderVersion;
  uint32_t MaxVertexShaderConst;
  uint32_t PixelShaderVersion;
  float MaxPixelShaderValue;
};

// GDI's logical font record, as the font object is described to D3DX.
struct LOGFONTA {
  int32_t lfHeight;
  int32_t lfWidth;
  int32_t lfEscapement;
  int32_t lfOrientation;
  int32_t lfWeight;
  uint8_t lfItalic;
  uint8_t lfUnderline;
  uint8_t lfStrikeOut;
  uint8_t lfCharSet;
  uint8_t lfOutPrecision;
  uint8_t lfClipPrecision;
  uint8_t lfQuality;
  uint8_t lfPitchAndFamily;
  char lfFaceName[32];
};
enum : uint8_t { SHIFTJIS_CHARSET = 128, DEFAULT_CHARSET = 1 };
enum : int32_t { FW_NORMAL = 400, FW_BOLD = 700 };

struct D3DRECT {
  int32_t x1, y1, x2, y2;
};
