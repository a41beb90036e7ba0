// Matrices, lights, materials and raster states; the texture stages are in
// PipelineStages.cpp. Everything goes through the device's GL cache, so a draw
// sends only what changed since the last one.
#include "platform/d3d8/device/Pipeline.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cstring>

#include "platform/d3d8/D3D8Hooks.h"
#include "platform/d3d8/device/Device.h"

namespace D3D8Impl {
namespace {

using Mat4 = GlCache::Mat4;
using Vec4 = GlCache::Vec4;

constexpr Mat4 IdentityMat4 = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// A Direct3D row-vector matrix read as GL's column-major array is the same map.
Mat4 ToMat4(const D3DMATRIX& m) {
  Mat4 r;
  std::memcpy(r.data(), &m.m[0][0], sizeof r);
  return r;
}

Mat4 Multiply(const D3DMATRIX& a, const D3DMATRIX& b) {
  D3DMATRIX r{};
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      r.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j] + a.m[i][3] * b.m[3][j];
  return ToMat4(r);
}

Vec4 Rgba(const D3DCOLORVALUE& c) { return {c.r, c.g, c.b, c.a}; }

GLenum CompareOf(DWORD f) {
  static const GLenum table[] = {GL_NEVER, GL_NEVER,   GL_LESS,   GL_EQUAL,  GL_LEQUAL,
                                 GL_GREATER, GL_NOTEQUAL, GL_GEQUAL, GL_ALWAYS};
  return f < 9 ? table[f] : GL_ALWAYS;
}

GLenum BlendOf(DWORD b) {
  switch (b) {
    case D3DBLEND_ZERO: return GL_ZERO;
    case D3DBLEND_ONE: return GL_ONE;
    case D3DBLEND_SRCCOLOR: return GL_SRC_COLOR;
    case D3DBLEND_INVSRCCOLOR: return GL_ONE_MINUS_SRC_COLOR;
    case D3DBLEND_SRCALPHA: return GL_SRC_ALPHA;
    case D3DBLEND_INVSRCALPHA: return GL_ONE_MINUS_SRC_ALPHA;
    case D3DBLEND_DESTALPHA: return GL_DST_ALPHA;
    case D3DBLEND_INVDESTALPHA: return GL_ONE_MINUS_DST_ALPHA;
    case D3DBLEND_DESTCOLOR: return GL_DST_COLOR;
    case D3DBLEND_INVDESTCOLOR: return GL_ONE_MINUS_DST_COLOR;
    case D3DBLEND_SRCALPHASAT: return GL_SRC_ALPHA_SATURATE;
    default: return GL_ONE;
  }
}

GLenum StencilOpOf(DWORD op) {
  static const GLenum table[] = {GL_KEEP, GL_KEEP, GL_ZERO, GL_REPLACE, GL_INCR,
                                 GL_DECR, GL_INVERT, GL_INCR_WRAP, GL_DECR_WRAP};
  return op < 9 ? table[op] : GL_KEEP;
}

void ApplyTransforms(Device& d, GlCache& gl, bool pretransformed) {
  if (pretransformed) {
    // Pixel centres on integers, y down, z already 0..1: screen to clip space.
    const float w = static_cast<float>(d.Width()), h = static_cast<float>(d.Height());
    gl.Viewport(0, 0, static_cast<int>(d.Width()), static_cast<int>(d.Height()));
    gl.DepthRange(0.0f, 1.0f);
    // GL's fill rule drops pixels whose centres lie on a top edge; moving the
    // picture a fraction of a sub-pixel up-left gives Direct3D's top-left rule.
    const float shift = 1.0f - 2.0f / 64.0f;
    gl.LoadMatrix(0, {2.0f / w, 0, 0, 0, 0, -2.0f / h, 0, 0, 0, 0, 1.0f, 0, shift / w - 1.0f, 1.0f - shift / h, 0.0f,
                      1.0f});
    return;
  }
  const D3DVIEWPORT8& v = d.viewport;
  gl.Viewport(static_cast<int>(v.X), static_cast<int>(v.Y), static_cast<int>(v.Width), static_cast<int>(v.Height));
  gl.DepthRange(v.MinZ, v.MaxZ);
  gl.LoadMatrix(0, ToMat4(d.projection));
}

void SendLight(GLenum id, const D3DLIGHT8& l) {
  glLightfv(id, GL_DIFFUSE, &l.Diffuse.r);
  glLightfv(id, GL_SPECULAR, &l.Specular.r);
  glLightfv(id, GL_AMBIENT, &l.Ambient.r);
  if (l.Type == D3DLIGHT_DIRECTIONAL) {
    const float p[4] = {-l.Direction.x, -l.Direction.y, -l.Direction.z, 0.0f};
    glLightfv(id, GL_POSITION, p);
    glLightf(id, GL_SPOT_CUTOFF, 180.0f);
    glLightf(id, GL_CONSTANT_ATTENUATION, 1.0f);
    glLightf(id, GL_LINEAR_ATTENUATION, 0.0f);
    glLightf(id, GL_QUADRATIC_ATTENUATION, 0.0f);
    return;
  }
  const float p[4] = {l.Position.x, l.Position.y, l.Position.z, 1.0f};
  glLightfv(id, GL_POSITION, p);
  bool none = l.Attenuation0 == 0 && l.Attenuation1 == 0 && l.Attenuation2 == 0;
  glLightf(id, GL_CONSTANT_ATTENUATION, none ? 1.0f : l.Attenuation0);
  glLightf(id, GL_LINEAR_ATTENUATION, l.Attenuation1);
  glLightf(id, GL_QUADRATIC_ATTENUATION, l.Attenuation2);
  if (l.Type == D3DLIGHT_SPOT) {
    glLightfv(id, GL_SPOT_DIRECTION, &l.Direction.x);
    glLightf(id, GL_SPOT_CUTOFF, std::clamp(l.Phi * 0.5f * 57.29578f, 0.0f, 90.0f));
    glLightf(id, GL_SPOT_EXPONENT, std::clamp(l.Falloff, 0.0f, 128.0f));
  } else {
    glLightf(id, GL_SPOT_CUTOFF, 180.0f);
  }
}

void ApplyLights(Device& d, GlCache& gl) {
  // Lights are given in world space: GL takes them through the view matrix.
  const Mat4 view = ToMat4(d.view);
  unsigned n = 0;
  for (auto& [index, entry] : d.lights) {
    if (!entry.enabled || n >= MaxLights) continue;
    if (gl.LightChanged(n, {entry.light, view})) {
      gl.LoadMatrix(1, view);
      SendLight(GL_LIGHT0 + n, entry.light);
    }
    gl.Enable(GL_LIGHT0 + n++, true);
  }
  for (; n < MaxLights; ++n) gl.Enable(GL_LIGHT0 + n, false);
}

void ApplyLighting(Device& d, GlCache& gl, bool lit, bool hasDiffuse) {
  const DWORD* rs = d.renderState;
  // Normals scaled by the world matrix stay scaled unless asked, as in Direct3D.
  gl.Enable(GL_NORMALIZE, rs[D3DRS_NORMALIZENORMALS] != 0);
  if (!lit) {
    gl.Enable(GL_LIGHTING, false);
    gl.Enable(GL_COLOR_MATERIAL, false);
    return;
  }
  gl.Enable(GL_LIGHTING, true);
  gl.LightModelAmbient({((rs[D3DRS_AMBIENT] >> 16) & 255) / 255.0f, ((rs[D3DRS_AMBIENT] >> 8) & 255) / 255.0f,
                        (rs[D3DRS_AMBIENT] & 255) / 255.0f, (rs[D3DRS_AMBIENT] >> 24) / 255.0f});
  gl.LightModel(GL_LIGHT_MODEL_LOCAL_VIEWER, rs[D3DRS_LOCALVIEWER] ? 1 : 0);
  gl.LightModel(GL_LIGHT_MODEL_TWO_SIDE, 0);
  gl.LightModel(GL_LIGHT_MODEL_COLOR_CONTROL,
                rs[D3DRS_SPECULARENABLE] ? GL_SEPARATE_SPECULAR_COLOR : GL_SINGLE_COLOR);
  const bool fromVertex = hasDiffuse && rs[D3DRS_COLORVERTEX];
  const bool diffuseFromVertex = fromVertex && rs[D3DRS_DIFFUSEMATERIALSOURCE] == D3DMCS_COLOR1;
  const bool ambientFromVertex = fromVertex && rs[D3DRS_AMBIENTMATERIALSOURCE] == D3DMCS_COLOR1;
  const bool emissiveFromVertex = fromVertex && rs[D3DRS_EMISSIVEMATERIALSOURCE] == D3DMCS_COLOR1;
  GLenum track = 0;
  if (diffuseFromVertex && ambientFromVertex)
    track = GL_AMBIENT_AND_DIFFUSE;
  else if (diffuseFromVertex)
    track = GL_DIFFUSE;
  else if (ambientFromVertex)
    track = GL_AMBIENT;
  else if (emissiveFromVertex)
    track = GL_EMISSION;
  // Tracking is set up before the material, which then skips what the vertices give.
  if (track) gl.ColourMaterial(track);
  gl.Enable(GL_COLOR_MATERIAL, track != 0);
  const D3DMATERIAL8& m = d.material;
  const bool ambientTracked = track == GL_AMBIENT || track == GL_AMBIENT_AND_DIFFUSE;
  const bool diffuseTracked = track == GL_DIFFUSE || track == GL_AMBIENT_AND_DIFFUSE;
  if (!diffuseTracked) gl.Material(GL_DIFFUSE, Rgba(m.Diffuse));
  if (!ambientTracked) gl.Material(GL_AMBIENT, Rgba(m.Ambient));
  if (track != GL_EMISSION) gl.Material(GL_EMISSION, Rgba(m.Emissive));
  gl.Material(GL_SPECULAR, rs[D3DRS_SPECULARENABLE] ? Rgba(m.Specular) : Vec4{0, 0, 0, 0});
  gl.Shininess(std::clamp(m.Power, 0.0f, 128.0f));
}

void ApplyRasterStates(Device& d, GlCache& gl, bool lit) {
  const DWORD* rs = d.renderState;
  gl.ShadeModel(rs[D3DRS_SHADEMODE] == D3DSHADE_FLAT ? GL_FLAT : GL_SMOOTH);
  gl.PolygonMode(rs[D3DRS_FILLMODE] == D3DFILL_POINT       ? GL_POINT
                 : rs[D3DRS_FILLMODE] == D3DFILL_WIREFRAME ? GL_LINE
                                                           : GL_FILL);
  // The picture is the same in both, so is its winding as seen: clockwise is front.
  gl.FrontFace(GL_CW);
  const DWORD cull = rs[D3DRS_CULLMODE];
  gl.Enable(GL_CULL_FACE, cull == D3DCULL_CW || cull == D3DCULL_CCW);
  if (cull == D3DCULL_CW || cull == D3DCULL_CCW) gl.CullFace(cull == D3DCULL_CW ? GL_FRONT : GL_BACK);
  gl.Enable(GL_DEPTH_TEST, rs[D3DRS_ZENABLE] != 0);
  if (rs[D3DRS_ZENABLE]) gl.DepthFunc(CompareOf(rs[D3DRS_ZFUNC]));
  gl.DepthMask(rs[D3DRS_ZWRITEENABLE] != 0);
  gl.Enable(GL_ALPHA_TEST, rs[D3DRS_ALPHATESTENABLE] != 0);
  if (rs[D3DRS_ALPHATESTENABLE]) gl.AlphaFunc(CompareOf(rs[D3DRS_ALPHAFUNC]), (rs[D3DRS_ALPHAREF] & 255) / 255.0f);
  gl.Enable(GL_BLEND, rs[D3DRS_ALPHABLENDENABLE] != 0);
  if (rs[D3DRS_ALPHABLENDENABLE]) {
    GLenum src = BlendOf(rs[D3DRS_SRCBLEND]), dst = BlendOf(rs[D3DRS_DESTBLEND]);
    if (rs[D3DRS_SRCBLEND] == D3DBLEND_BOTHSRCALPHA) src = GL_SRC_ALPHA, dst = GL_ONE_MINUS_SRC_ALPHA;
    if (rs[D3DRS_SRCBLEND] == D3DBLEND_BOTHINVSRCALPHA) src = GL_ONE_MINUS_SRC_ALPHA, dst = GL_SRC_ALPHA;
    gl.BlendFunc(src, dst);
    static const GLenum ops[] = {GL_FUNC_ADD, GL_FUNC_ADD, GL_FUNC_SUBTRACT, GL_FUNC_REVERSE_SUBTRACT, GL_MIN,
                                 GL_MAX};
    gl.BlendEquation(rs[D3DRS_BLENDOP] < 6 ? ops[rs[D3DRS_BLENDOP]] : GL_FUNC_ADD);
  }
  // Dithering is left off so that frames are exact and repeatable.
  gl.Enable(GL_DITHER, false);
  gl.ColourMask(rs[D3DRS_COLORWRITEENABLE] & 0xF);
  gl.Enable(GL_STENCIL_TEST, rs[D3DRS_STENCILENABLE] != 0);
  if (rs[D3DRS_STENCILENABLE]) {
    gl.StencilFunc(CompareOf(rs[D3DRS_STENCILFUNC]), static_cast<int>(rs[D3DRS_STENCILREF] & 255),
                   rs[D3DRS_STENCILMASK]);
    gl.StencilOp(StencilOpOf(rs[D3DRS_STENCILFAIL]), StencilOpOf(rs[D3DRS_STENCILZFAIL]),
                 StencilOpOf(rs[D3DRS_STENCILPASS]));
    gl.StencilMask(rs[D3DRS_STENCILWRITEMASK]);
  }
  float pointSize;
  std::memcpy(&pointSize, &rs[D3DRS_POINTSIZE], 4);
  gl.PointSize(std::clamp(pointSize, 1.0f, 64.0f));
  // Without lighting Direct3D adds the specular colour when asked; lit, GL does it.
  gl.Enable(GL_COLOR_SUM, !lit && rs[D3DRS_SPECULARENABLE]);
}

}  // namespace

unsigned Pipeline::ActiveStages(const Device& d) {
  unsigned n = 0;
  while (n < MaxStages && d.stageState[n][D3DTSS_COLOROP] != D3DTOP_DISABLE) ++n;
  return n;
}

uint32_t Pipeline::PartsOf(D3DRENDERSTATETYPE state) {
  switch (state) {
    case D3DRS_AMBIENT:
    case D3DRS_LOCALVIEWER:
    case D3DRS_COLORVERTEX:
    case D3DRS_DIFFUSEMATERIALSOURCE:
    case D3DRS_AMBIENTMATERIALSOURCE:
    case D3DRS_EMISSIVEMATERIALSOURCE:
    case D3DRS_NORMALIZENORMALS: return Lighting;
    case D3DRS_LIGHTING: return Lighting | Raster;
    case D3DRS_SPECULARENABLE: return Lighting | Raster | Stages;
    case D3DRS_TEXTUREFACTOR: return Stages;
    default: return Raster;
  }
}

void Pipeline::Apply(Device& d, bool pretransformed, bool hasNormal, bool hasDiffuse, bool hasSpecular) {
  GlCache& gl = d.cache_;
  Memo& memo = d.pipeline_;
  // Another kind of vertex, or GL changed behind the cache: everything is looked at again.
  const uint32_t inputs = (pretransformed ? 1u : 0u) | (hasDiffuse ? 2u : 0u) |
                          (Platform::IsD3DStageProgramForced() ? 4u : 0u);
  if (memo.inputs != inputs || memo.generation != gl.Generation()) {
    memo.dirty = All;
    memo.inputs = inputs;
    memo.generation = gl.Generation();
  }
  const uint32_t dirty = memo.dirty;
  uint32_t done = dirty & ~Lights;
  if (dirty & Viewport) ApplyTransforms(d, gl, pretransformed);
  if (dirty & ModelView) memo.modelView = pretransformed ? IdentityMat4 : Multiply(d.world, d.view);
  const bool lit = d.renderState[D3DRS_LIGHTING] && !pretransformed;
  if (dirty & Lighting) ApplyLighting(d, gl, lit, hasDiffuse);
  // GL keeps its lights while lighting is off: they wait for a lit draw.
  if (lit && (dirty & Lights)) {
    ApplyLights(d, gl);
    done |= Lights;
  }
  // Missing vertex parts: no normal, white diffuse, black specular. A draw
  // leaves the current values undefined, so these are looked at every time.
  if (!hasNormal) gl.Normal(0, 0, 0);
  if (!hasDiffuse) gl.Colour({1, 1, 1, 1});
  if (!hasSpecular) gl.SecondaryColour(0, 0, 0);
  if (dirty & Raster) ApplyRasterStates(d, gl, lit);
  if (dirty & Stages) ApplyStages(d, pretransformed);
  BindTextures(d);
  // Lights and eye planes are sent under other modelviews: the draw's own goes
  // back after any part was applied (else GL still has it).
  if (dirty) gl.LoadMatrix(1, memo.modelView);
  memo.dirty &= ~done;
}

}  // namespace D3D8Impl
