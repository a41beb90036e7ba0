// Texture matrices and generated (camera-space normal) texture coordinates,
// checked by the texels they pick on a transformed quad.
#include <cmath>
#include <cstring>

#include "platform/d3d8/d3dx8math.h"
#include "platform/d3d8/testing/DeviceFixture.h"

namespace {

struct MeshVertex {
  float x, y, z;
  float nx, ny, nz;
  float u, v;
};
constexpr DWORD MeshFvf = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;

class TexCoordTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    if (HasFatalFailure()) return;
    D3DXMATRIX proj, id;
    D3DXMatrixPerspectiveFovLH(&proj, 1.0f, static_cast<float>(Width) / Height, 1.0f, 100.0f);
    D3DXMatrixIdentity(&id);
    device->SetTransform(D3DTS_PROJECTION, &proj);
    device->SetTransform(D3DTS_VIEW, &id);
    device->SetTransform(D3DTS_WORLD, &id);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_POINT);
    device->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_POINT);
  }
  // A quad of half-size 1 at the origin (place it with the world matrix),
  // every corner with the same normal and coordinates.
  void DrawQuad(D3DVECTOR n, float u, float v) {
    MeshVertex q[4] = {{-1, 1, 0, n.x, n.y, n.z, u, v},
                       {1, 1, 0, n.x, n.y, n.z, u, v},
                       {-1, -1, 0, n.x, n.y, n.z, u, v},
                       {1, -1, 0, n.x, n.y, n.z, u, v}};
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    device->SetVertexShader(MeshFvf);
    ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, q, sizeof(MeshVertex)), D3D_OK);
  }
  uint32_t Centre() { return Pixel(Width / 2, Height / 2); }
};

constexpr uint32_t Quadrants[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};

}  // namespace

TEST_F(TexCoordTest, TextureMatrixMovesTwoDimensionalCoordinates) {
  IDirect3DTexture8* t = MakeTexture(device, 2, 2, Quadrants);
  ASSERT_NE(t, nullptr);
  device->SetTexture(0, t);
  D3DXMATRIX world;
  D3DXMatrixTranslation(&world, 0, 0, 5);
  device->SetTransform(D3DTS_WORLD, &world);
  {
    DrawQuad({0, 0, -1}, 0.25f, 0.25f);
    EXPECT_EQ(Centre(), 0xFF0000u);
  }
  // A 2D coordinate is (u, v, 1): the translation sits in the third row.
  D3DXMATRIX shift;
  D3DXMatrixIdentity(&shift);
  shift._31 = 0.5f;
  device->SetTransform(D3DTS_TEXTURE0, &shift);
  {
    // Transform flags off: the matrix is ignored.
    DrawQuad({0, 0, -1}, 0.25f, 0.25f);
    EXPECT_EQ(Centre(), 0xFF0000u);
  }
  device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
  {
    DrawQuad({0, 0, -1}, 0.25f, 0.25f);
    EXPECT_EQ(Centre(), 0x00FF00u);
    shift._31 = 0, shift._32 = 0.5f;
    device->SetTransform(D3DTS_TEXTURE0, &shift);
    DrawQuad({0, 0, -1}, 0.25f, 0.25f);
    EXPECT_EQ(Centre(), 0x0000FFu);
    // Swapping u and v: (0.75, 0.25) reads (0.25, 0.75).
    D3DXMATRIX swap{};
    swap._12 = swap._21 = 1, swap._33 = swap._44 = 1;
    device->SetTransform(D3DTS_TEXTURE0, &swap);
    DrawQuad({0, 0, -1}, 0.75f, 0.25f);
    EXPECT_EQ(Centre(), 0x0000FFu);
  }
  {
    // The second stage has its own matrix over coordinate set 0.
    device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
    device->SetTexture(0, nullptr);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
    device->SetTexture(1, t);
    device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device->SetTextureStageState(1, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(1, D3DTSS_COLORARG2, D3DTA_CURRENT);
    device->SetTextureStageState(1, D3DTSS_TEXCOORDINDEX, 0);
    device->SetTextureStageState(1, D3DTSS_MAGFILTER, D3DTEXF_POINT);
    device->SetTextureStageState(1, D3DTSS_MINFILTER, D3DTEXF_POINT);
    D3DXMATRIX both;
    D3DXMatrixIdentity(&both);
    both._31 = both._32 = 0.5f;
    device->SetTransform(D3DTS_TEXTURE1, &both);
    device->SetTextureStageState(1, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
    DrawQuad({0, 0, -1}, 0.25f, 0.25f);
    EXPECT_EQ(Centre(), 0xFFFFFFu);
    device->SetTextureStageState(1, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
    DrawQuad({0, 0, -1}, 0.25f, 0.25f);
    EXPECT_EQ(Centre(), 0xFF0000u);
    device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
    device->SetTexture(1, nullptr);
  }
  device->SetTexture(0, nullptr);
  t->Release();
}

TEST_F(TexCoordTest, CameraSpaceNormalsPickTexelsThroughTheMatrix) {
  IDirect3DTexture8* t = MakeTexture(device, 2, 2, Quadrants);
  ASSERT_NE(t, nullptr);
  device->SetTexture(0, t);
  device->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, D3DTSS_TCI_CAMERASPACENORMAL);
  device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
  // u = 0.5 + 0.5 nx, v = 0.5 - 0.5 ny: a sphere map of the normal.
  D3DXMATRIX map;
  D3DXMatrixScaling(&map, 0.5f, -0.5f, 1.0f);
  map._41 = map._42 = 0.5f;
  device->SetTransform(D3DTS_TEXTURE0, &map);
  D3DXMATRIX world;
  D3DXMatrixTranslation(&world, 0, 0, 5);
  device->SetTransform(D3DTS_WORLD, &world);
  {
    // The vertex's own coordinates are not read.
    DrawQuad({0.6f, 0.6f, -0.53f}, 0.25f, 0.75f);
    EXPECT_EQ(Centre(), 0x00FF00u);  // right, top
    DrawQuad({-0.6f, -0.6f, -0.53f}, 0.75f, 0.25f);
    EXPECT_EQ(Centre(), 0x0000FFu);  // left, bottom
    // The normal itself, not a reflection of the eye ray: its z plays no part.
    DrawQuad({0.6f, 0.6f, 0.53f}, 0.25f, 0.75f);
    EXPECT_EQ(Centre(), 0x00FF00u);
  }
  {
    // The world matrix turns the normal: half a turn about z swaps the corners.
    D3DXMATRIX turn, placed;
    D3DXMatrixRotationZ(&turn, 3.14159265f);
    D3DXMatrixMultiply(&placed, &turn, &world);
    device->SetTransform(D3DTS_WORLD, &placed);
    DrawQuad({0.6f, 0.6f, -0.53f}, 0.25f, 0.75f);
    EXPECT_EQ(Centre(), 0x0000FFu);
    device->SetTransform(D3DTS_WORLD, &world);
  }
  {
    // So does the view: the coordinates come from camera space, where a quarter
    // turn about z makes the normal (0.6, 0.6) (-0.6, 0.6).
    D3DXMATRIX view;
    D3DXMatrixRotationZ(&view, 3.14159265f / 2);
    device->SetTransform(D3DTS_VIEW, &view);
    DrawQuad({0.6f, 0.6f, -0.53f}, 0.25f, 0.75f);
    EXPECT_EQ(Centre(), 0xFF0000u);  // left, top
    D3DXMATRIX id;
    D3DXMatrixIdentity(&id);
    device->SetTransform(D3DTS_VIEW, &id);
  }
  {
    // Pass-through again: the vertex coordinates, still through the matrix.
    device->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, 0);
    D3DXMATRIX id;
    D3DXMatrixIdentity(&id);
    device->SetTransform(D3DTS_TEXTURE0, &id);
    DrawQuad({0.6f, 0.6f, -0.53f}, 0.25f, 0.75f);
    EXPECT_EQ(Centre(), 0x0000FFu);
  }
  device->SetTexture(0, nullptr);
  t->Release();
}

// The cel-shading ramp: the look-at of the light direction turned onto v, so
// that a normal facing the light reads the ramp's top and one facing away its
// bottom, on a second stage over a lit base colour.
TEST_F(TexCoordTest, CelRampFollowsTheLightInCameraSpace) {
  const uint32_t ramp[2] = {0xFF00FF00, 0xFFFF0000};  // top lit, bottom shade
  IDirect3DTexture8* t = MakeTexture(device, 1, 2, ramp);
  ASSERT_NE(t, nullptr);
  D3DXVECTOR3 eye(0, 0, 0), light(1, 1, 1), up(0, 1, 0);
  D3DXMATRIX look, turn, scale, move, m;
  D3DXMatrixLookAtLH(&look, &eye, &light, &up);
  D3DXMatrixRotationX(&turn, -1.5707964f);
  D3DXMatrixScaling(&scale, 0.5f, -0.5f, 1.0f);
  D3DXMatrixTranslation(&move, 0.5f, 0.5f, 0.0f);
  D3DXMatrixMultiply(&m, &look, &turn);
  D3DXMatrixMultiply(&m, &m, &scale);
  D3DXMatrixMultiply(&m, &m, &move);

  // Stage 0 keeps the diffuse colour (white without a texture); stage 1 the ramp.
  device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_MODULATE);
  device->SetTextureStageState(1, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  device->SetTextureStageState(1, D3DTSS_COLORARG2, D3DTA_CURRENT);
  device->SetTextureStageState(1, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
  device->SetTextureStageState(1, D3DTSS_TEXCOORDINDEX, D3DTSS_TCI_CAMERASPACENORMAL | 1);
  device->SetTextureStageState(1, D3DTSS_MAGFILTER, D3DTEXF_POINT);
  device->SetTextureStageState(1, D3DTSS_MINFILTER, D3DTEXF_POINT);
  device->SetTransform(static_cast<D3DTRANSFORMSTATETYPE>(D3DTS_TEXTURE0 + 1), &m);
  device->SetTexture(1, t);
  D3DXMATRIX world;
  D3DXMatrixTranslation(&world, 0, 0, 5);
  device->SetTransform(D3DTS_WORLD, &world);

  // Unit normals at 0.8 towards and away from the light.
  const float s3 = 1.0f / std::sqrt(3.0f), s6 = 1.0f / std::sqrt(6.0f);
  const D3DVECTOR side{-s6, 2 * s6, -s6};  // perpendicular to the light
  auto normal = [&](float towards) {
    float across = std::sqrt(1 - towards * towards);
    return D3DVECTOR{towards * s3 + across * side.x, towards * s3 + across * side.y, towards * s3 + across * side.z};
  };
  {
    DrawQuad(normal(0.8f), 0, 0);
    EXPECT_EQ(Centre(), 0x00FF00u);
    DrawQuad(normal(-0.8f), 0, 0);
    EXPECT_EQ(Centre(), 0xFF0000u);
  }
  {
    // Half a turn of the view about x: the normal's y and z turn over in camera
    // space, and the lit side faces away from the light.
    D3DXMATRIX view, back;
    D3DXMatrixRotationX(&view, 3.14159265f);
    device->SetTransform(D3DTS_VIEW, &view);
    D3DXMatrixTranslation(&back, 0, 0, -5);
    device->SetTransform(D3DTS_WORLD, &back);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    DrawQuad(normal(0.8f), 0, 0);
    EXPECT_EQ(Centre(), 0xFF0000u);
  }
  device->SetTexture(1, nullptr);
  device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
  t->Release();
}
