// Direct3D 8 value types with their original layouts (32-bit fields).
#pragma once

#include <cstdint>

typedef uint32_t D3DCOLOR;

struct D3DVECTOR {
  float x, y, z;
};

struct D3DMATRIX {
  union {
    struct {
      float _11, _12, _13, _14;
      float _21, _22, _23, _24;
      float _31, _32, _33, _34;
      float _41, _42, _43, _44;
    };
    float m[4][4];
  };
};

struct D3DCOLORVALUE {
  float r, g, b, a;
};

static_assert(sizeof(D3DVECTOR) == 12);
static_assert(sizeof(D3DMATRIX) == 64);

// The viewport of a device: pixel rectangle and depth range.
struct D3DVIEWPORT8 {
  uint32_t X, Y, Width, Height;
  float MinZ, MaxZ;
};

static_assert(sizeof(D3DVIEWPORT8) == 24);

// Lighting records of the fixed-function pipeline.
struct D3DMATERIAL8 {
  D3DCOLORVALUE Diffuse;
  D3DCOLORVALUE Ambient;
  D3DCOLORVALUE Specular;
  D3DCOLORVALUE Emissive;
  float Power;
};

struct D3DLIGHT8 {
  uint32_t Type;  // D3DLIGHTTYPE: 1 point, 2 spot, 3 directional
  D3DCOLORVALUE Diffuse;
  D3DCOLORVALUE Specular;
  D3DCOLORVALUE Ambient;
  D3DVECTOR Position;
  D3DVECTOR Direction;
  float Range;
  float Falloff;
  float Attenuation0;
  float Attenuation1;
  float Attenuation2;
  float Theta;
  float Phi;
};

static_assert(sizeof(D3DMATERIAL8) == 68);
static_assert(sizeof(D3DLIGHT8) == 104);
