// Texture-stage operations read back against Direct3D's formulas, through GL's
// combiners and through the generated fragment program alike.
#include <algorithm>

#include "platform/d3d8/testing/DeviceFixture.h"

namespace {

struct StageVertex {
  float x, y, z, rhw;
  D3DCOLOR diffuse, specular;
  float u, v;
};
constexpr DWORD StageFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_SPECULAR | D3DFVF_TEX1;

constexpr D3DCOLOR Diffuse = 0x80409020, Specular = 0x00C03060, Texel = 0x40905090, Factor = 0xC020B070;

// Channel c (0 blue, 1 green, 2 red, 3 alpha) of a colour, 0..1.
float Channel(D3DCOLOR colour, int c) { return ((colour >> (8 * c)) & 255) / 255.0f; }

// Direct3D's argument: its source, alpha replicated and complemented as asked.
float Arg(DWORD arg, int c) {
  D3DCOLOR source = Diffuse;
  switch (arg & D3DTA_SELECTMASK) {
    case D3DTA_TEXTURE: source = Texel; break;
    case D3DTA_TFACTOR: source = Factor; break;
    case D3DTA_SPECULAR: source = Specular; break;
    default: break;  // diffuse, and the current colour of stage 0
  }
  const float x = Channel(source, (arg & D3DTA_ALPHAREPLICATE) ? 3 : c);
  return (arg & D3DTA_COMPLEMENT) ? 1.0f - x : x;
}

// The stage's result per Direct3D 8.
float Result(DWORD op, DWORD arg1, DWORD arg2, DWORD arg0, int c) {
  const float a = Arg(arg1, c), b = Arg(arg2, c);
  float r = 0;
  switch (op) {
    case D3DTOP_SELECTARG1: r = a; break;
    case D3DTOP_MODULATE: r = a * b; break;
    case D3DTOP_ADDSMOOTH: r = a + b - a * b; break;
    case D3DTOP_BLENDTEXTUREALPHAPM: r = a + b * (1.0f - Channel(Texel, 3)); break;
    case D3DTOP_LERP: r = Arg(arg0, c) * a + (1.0f - Arg(arg0, c)) * b; break;
    default: ADD_FAILURE() << "no formula for " << op;
  }
  return std::clamp(r, 0.0f, 1.0f);
}

struct Case {
  const char* name;
  bool alpha;  // the alpha operation under test (shown as grey by a second stage)
  DWORD op, arg1, arg2, arg0;
  bool specularEnable;  // the specular colour added after the stages
};

const Case Cases[] = {
    {"add smooth", false, D3DTOP_ADDSMOOTH, D3DTA_TEXTURE, D3DTA_DIFFUSE, 0, false},
    {"add smooth complement", false, D3DTOP_ADDSMOOTH, D3DTA_TEXTURE | D3DTA_COMPLEMENT, D3DTA_TFACTOR, 0, false},
    {"premultiplied blend", false, D3DTOP_BLENDTEXTUREALPHAPM, D3DTA_TEXTURE, D3DTA_DIFFUSE, 0, false},
    {"premultiplied blend replicated", false, D3DTOP_BLENDTEXTUREALPHAPM, D3DTA_TFACTOR,
     D3DTA_DIFFUSE | D3DTA_ALPHAREPLICATE, 0, false},
    {"specular selected", false, D3DTOP_SELECTARG1, D3DTA_SPECULAR, D3DTA_DIFFUSE, 0, false},
    {"specular modulated", false, D3DTOP_MODULATE, D3DTA_SPECULAR, D3DTA_TEXTURE, 0, false},
    {"specular smooth-added", false, D3DTOP_ADDSMOOTH, D3DTA_SPECULAR | D3DTA_COMPLEMENT, D3DTA_DIFFUSE, 0, false},
    {"specular as lerp weight", false, D3DTOP_LERP, D3DTA_TEXTURE, D3DTA_DIFFUSE, D3DTA_SPECULAR, false},
    {"specular added after", false, D3DTOP_MODULATE, D3DTA_TEXTURE, D3DTA_DIFFUSE, 0, true},
    {"alpha add smooth", true, D3DTOP_ADDSMOOTH, D3DTA_TEXTURE, D3DTA_DIFFUSE, 0, false},
    {"alpha premultiplied blend", true, D3DTOP_BLENDTEXTUREALPHAPM, D3DTA_TFACTOR, D3DTA_DIFFUSE, 0, false},
};

}  // namespace

TEST_F(DeviceTest, StageOperationsFollowDirect3DFormulas) {
  IDirect3DTexture8* texture = MakeTexture(device, 1, 1, &Texel);
  ASSERT_NE(texture, nullptr);
  device->SetRenderState(D3DRS_LIGHTING, FALSE);
  device->SetRenderState(D3DRS_ZENABLE, FALSE);
  device->SetRenderState(D3DRS_TEXTUREFACTOR, Factor);
  device->SetTexture(0, texture);
  device->SetVertexShader(StageFvf);
  const StageVertex quad[4] = {{0, 0, 0.5f, 1, Diffuse, Specular, 0, 0},
                               {8, 0, 0.5f, 1, Diffuse, Specular, 1, 0},
                               {0, 8, 0.5f, 1, Diffuse, Specular, 0, 1},
                               {8, 8, 0.5f, 1, Diffuse, Specular, 1, 1}};
  for (bool forced : {false, true}) {
    Platform::SetD3DStageProgramForced(forced);
    for (const Case& k : Cases) {
      SCOPED_TRACE(std::string(k.name) + (forced ? " (program)" : ""));
      const D3DTEXTURESTAGESTATETYPE op = k.alpha ? D3DTSS_ALPHAOP : D3DTSS_COLOROP;
      device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
      device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_DIFFUSE);
      device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
      device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_DIFFUSE);
      device->SetTextureStageState(0, op, k.op);
      device->SetTextureStageState(0, static_cast<D3DTEXTURESTAGESTATETYPE>(op + 1), k.arg1);
      device->SetTextureStageState(0, static_cast<D3DTEXTURESTAGESTATETYPE>(op + 2), k.arg2);
      device->SetTextureStageState(0, k.alpha ? D3DTSS_ALPHAARG0 : D3DTSS_COLORARG0, k.arg0);
      // The alpha result shown as grey by a second stage.
      device->SetTextureStageState(1, D3DTSS_COLOROP, k.alpha ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE);
      device->SetTextureStageState(1, D3DTSS_COLORARG1, D3DTA_CURRENT | D3DTA_ALPHAREPLICATE);
      device->SetRenderState(D3DRS_SPECULARENABLE, k.specularEnable);
      device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0);
      ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(StageVertex)), D3D_OK);
      const uint32_t pixel = Pixel(4, 4);
      for (int c = 0; c < 3; ++c) {
        float want = Result(k.op, k.arg1, k.arg2, k.arg0, k.alpha ? 3 : c);
        if (k.specularEnable) want = std::min(1.0f, want + Channel(Specular, c));
        EXPECT_NEAR(static_cast<int>((pixel >> (8 * c)) & 255), want * 255.0f, 1.5f) << "channel " << c;
      }
    }
  }
  Platform::SetD3DStageProgramForced(false);
  device->SetTexture(0, nullptr);
  texture->Release();
}
