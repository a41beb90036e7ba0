// The texture stages: textures and their sampler states per unit, coordinate
// generation, texture matrices, and the stage operations through GL_COMBINE.
// Stage setups that the combiners cannot express exactly run as a generated
// fragment program instead (StagePrograms).
#include <cstring>

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include "platform/d3d8/D3D8Hooks.h"
#include "platform/d3d8/device/Device.h"
#include "platform/d3d8/device/Pipeline.h"

namespace D3D8Impl {
namespace {

using Vec4 = GlCache::Vec4;
using Mat4 = GlCache::Mat4;

Vec4 Colour(D3DCOLOR c) {
  return {((c >> 16) & 255) / 255.0f, ((c >> 8) & 255) / 255.0f, (c & 255) / 255.0f, (c >> 24) / 255.0f};
}

struct Source {
  GLenum source;
  GLenum operand;
};

Source SourceOf(DWORD arg, bool alpha) {
  GLenum s;
  switch (arg & D3DTA_SELECTMASK) {
    case D3DTA_CURRENT: s = GL_PREVIOUS; break;
    case D3DTA_TEXTURE: s = GL_TEXTURE; break;
    case D3DTA_TFACTOR: s = GL_CONSTANT; break;
    default: s = GL_PRIMARY_COLOR; break;  // diffuse (the specular colour takes a program)
  }
  bool complement = (arg & D3DTA_COMPLEMENT) != 0;
  bool useAlpha = alpha || (arg & D3DTA_ALPHAREPLICATE);
  GLenum op = useAlpha ? (complement ? GL_ONE_MINUS_SRC_ALPHA : GL_SRC_ALPHA)
                       : (complement ? GL_ONE_MINUS_SRC_COLOR : GL_SRC_COLOR);
  return {s, op};
}

// 1 - s.
Source Inverted(Source s) {
  switch (s.operand) {
    case GL_SRC_COLOR: return {s.source, GL_ONE_MINUS_SRC_COLOR};
    case GL_ONE_MINUS_SRC_COLOR: return {s.source, GL_SRC_COLOR};
    case GL_SRC_ALPHA: return {s.source, GL_ONE_MINUS_SRC_ALPHA};
    default: return {s.source, GL_SRC_ALPHA};
  }
}

void SetArg(GlCache& gl, unsigned unit, bool alpha, int index, Source s) {
  static const GLenum rgbSource[] = {GL_SRC0_RGB, GL_SRC1_RGB, GL_SRC2_RGB};
  static const GLenum alphaSource[] = {GL_SRC0_ALPHA, GL_SRC1_ALPHA, GL_SRC2_ALPHA};
  static const GLenum rgbOperand[] = {GL_OPERAND0_RGB, GL_OPERAND1_RGB, GL_OPERAND2_RGB};
  static const GLenum alphaOperand[] = {GL_OPERAND0_ALPHA, GL_OPERAND1_ALPHA, GL_OPERAND2_ALPHA};
  gl.TexEnv(unit, alpha ? alphaSource[index] : rgbSource[index], static_cast<int>(s.source));
  gl.TexEnv(unit, alpha ? alphaOperand[index] : rgbOperand[index], static_cast<int>(s.operand));
}

// GL_COMBINE computes REPLACE a0, MODULATE a0·a1, ADD a0 + a1, INTERPOLATE
// a0·a2 + a1·(1 − a2) and (GL_ATI_texture_env_combine3) MODULATE_ADD a0·a2 + a1.
void SetCombine(GlCache& gl, unsigned unit, bool alpha, DWORD op, DWORD arg1, DWORD arg2, DWORD arg0) {
  GLenum combine = GL_REPLACE;
  float scale = 1.0f;
  Source a1 = SourceOf(arg1, alpha), a2 = SourceOf(arg2, alpha);
  Source third{GL_PREVIOUS, GL_SRC_ALPHA};
  Source first = a1, second = a2;
  switch (op) {
    case D3DTOP_SELECTARG1: combine = GL_REPLACE; break;
    case D3DTOP_SELECTARG2: combine = GL_REPLACE, first = a2; break;
    case D3DTOP_MODULATE: combine = GL_MODULATE; break;
    case D3DTOP_MODULATE2X: combine = GL_MODULATE, scale = 2; break;
    case D3DTOP_MODULATE4X: combine = GL_MODULATE, scale = 4; break;
    case D3DTOP_ADD: combine = GL_ADD; break;
    case D3DTOP_ADDSIGNED: combine = GL_ADD_SIGNED; break;
    case D3DTOP_ADDSIGNED2X: combine = GL_ADD_SIGNED, scale = 2; break;
    case D3DTOP_SUBTRACT: combine = GL_SUBTRACT; break;
    // Arg1 + Arg2 − Arg1·Arg2 = Arg2·(1 − Arg1) + Arg1.
    case D3DTOP_ADDSMOOTH: combine = GL_MODULATE_ADD_ATI, first = a2, second = a1, third = Inverted(a1); break;
    case D3DTOP_BLENDDIFFUSEALPHA: combine = GL_INTERPOLATE, third = {GL_PRIMARY_COLOR, GL_SRC_ALPHA}; break;
    case D3DTOP_BLENDTEXTUREALPHA: combine = GL_INTERPOLATE, third = {GL_TEXTURE, GL_SRC_ALPHA}; break;
    // Arg1 + Arg2·(1 − texture alpha): the texture is taken as premultiplied.
    case D3DTOP_BLENDTEXTUREALPHAPM:
      combine = GL_MODULATE_ADD_ATI, first = a2, second = a1, third = {GL_TEXTURE, GL_ONE_MINUS_SRC_ALPHA};
      break;
    case D3DTOP_BLENDFACTORALPHA: combine = GL_INTERPOLATE, third = {GL_CONSTANT, GL_SRC_ALPHA}; break;
    case D3DTOP_BLENDCURRENTALPHA: combine = GL_INTERPOLATE, third = {GL_PREVIOUS, GL_SRC_ALPHA}; break;
    case D3DTOP_DOTPRODUCT3: combine = alpha ? GL_REPLACE : GL_DOT3_RGBA; break;
    case D3DTOP_LERP: combine = GL_INTERPOLATE, third = SourceOf(arg0, alpha); break;
    default:
      // A disabled alpha operation on a live colour stage passes the alpha on.
      combine = GL_REPLACE, first = {GL_PREVIOUS, GL_SRC_ALPHA};
      break;
  }
  gl.TexEnv(unit, alpha ? GL_COMBINE_ALPHA : GL_COMBINE_RGB, static_cast<int>(combine));
  gl.TexEnvFloat(unit, alpha ? GL_ALPHA_SCALE : GL_RGB_SCALE, scale);
  SetArg(gl, unit, alpha, 0, first);
  SetArg(gl, unit, alpha, 1, second);
  SetArg(gl, unit, alpha, 2, third);
}

GLint WrapOf(DWORD a) {
  switch (a) {
    case D3DTADDRESS_MIRROR: return GL_MIRRORED_REPEAT;
    case D3DTADDRESS_CLAMP: return GL_CLAMP_TO_EDGE;
    case D3DTADDRESS_BORDER: return GL_CLAMP_TO_BORDER;
    default: return GL_REPEAT;
  }
}

// Sampler states are the stage's, as in Direct3D: one sampler object per unit.
void ApplySampler(GlCache& gl, unsigned unit, unsigned sampler, const DWORD* t) {
  const bool magLinear = t[D3DTSS_MAGFILTER] >= D3DTEXF_LINEAR;
  const bool minLinear = t[D3DTSS_MINFILTER] >= D3DTEXF_LINEAR;
  GLint min;
  switch (t[D3DTSS_MIPFILTER]) {
    case D3DTEXF_POINT: min = minLinear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST; break;
    case D3DTEXF_LINEAR: min = minLinear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR; break;
    default: min = minLinear ? GL_LINEAR : GL_NEAREST; break;
  }
  gl.BindSampler(unit, sampler);
  gl.SamplerParameter(unit, sampler, GL_TEXTURE_MIN_FILTER, min);
  gl.SamplerParameter(unit, sampler, GL_TEXTURE_MAG_FILTER, magLinear ? GL_LINEAR : GL_NEAREST);
  gl.SamplerParameter(unit, sampler, GL_TEXTURE_WRAP_S, WrapOf(t[D3DTSS_ADDRESSU]));
  gl.SamplerParameter(unit, sampler, GL_TEXTURE_WRAP_T, WrapOf(t[D3DTSS_ADDRESSV]));
  gl.SamplerBorder(unit, sampler, Colour(t[D3DTSS_BORDERCOLOR]));
}

void ApplyTexGen(GlCache& gl, unsigned unit, DWORD index) {
  const DWORD mode = index & 0xFFFF0000u;
  const GLenum coords[] = {GL_S, GL_T, GL_R};
  const GLenum enables[] = {GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_TEXTURE_GEN_R};
  gl.EnableUnit(unit, GL_TEXTURE_GEN_Q, false);
  if (mode == D3DTSS_TCI_PASSTHRU) {
    for (GLenum e : enables) gl.EnableUnit(unit, e, false);
    return;
  }
  const GLint gen = mode == D3DTSS_TCI_CAMERASPACENORMAL     ? GL_NORMAL_MAP
                    : mode == D3DTSS_TCI_CAMERASPACEPOSITION ? GL_EYE_LINEAR
                                                             : GL_REFLECTION_MAP;
  for (GLenum c : coords) gl.TexGenMode(unit, c, gen);
  if (gen == GL_EYE_LINEAR) gl.TexGenAxisPlanes(unit);
  for (GLenum e : enables) gl.EnableUnit(unit, e, true);
}

void ApplyTextureMatrix(GlCache& gl, unsigned unit, const DWORD* t, const D3DMATRIX& m) {
  static const Mat4 identity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  const DWORD flags = t[D3DTSS_TEXTURETRANSFORMFLAGS];
  if ((flags & 0xFF) == D3DTTFF_DISABLE) {
    gl.LoadMatrix(2 + unit, identity);
    return;
  }
  D3DMATRIX g = m;
  if ((t[D3DTSS_TEXCOORDINDEX] & 0xFFFF0000u) == D3DTSS_TCI_PASSTHRU) {
    // Direct3D extends a 2D coordinate with 1 in its third place, GL in its fourth.
    for (int j = 0; j < 4; ++j) g.m[3][j] = m.m[2][j], g.m[2][j] = 0.0f;
  }
  if (!(flags & D3DTTFF_PROJECTED)) g.m[0][3] = g.m[1][3] = g.m[2][3] = 0.0f, g.m[3][3] = 1.0f;
  Mat4 out;
  std::memcpy(out.data(), &g.m[0][0], sizeof out);
  gl.LoadMatrix(2 + unit, out);
}

}  // namespace

void Pipeline::ApplyStages(Device& d, bool pretransformed) {
  GlCache& gl = d.cache_;
  const unsigned active = ActiveStages(d);
  d.pipeline_.activeStages = active;
  unsigned program = 0;
  if (active && (Platform::IsD3DStageProgramForced() || StagePrograms::Needed(d.stageState, active, d.modulateAdd_)))
    program = d.programs_.For(d.stageState, active, d.renderState[D3DRS_SPECULARENABLE] != 0);
  gl.UseProgram(program);
  // The factor is each unit's constant colour, for the combiners and the program alike.
  const Vec4 factor = Colour(d.renderState[D3DRS_TEXTUREFACTOR]);
  for (unsigned s = 0; s < MaxStages; ++s) {
    if (s >= active) {
      for (GLenum e : {GL_TEXTURE_2D, GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_TEXTURE_GEN_R, GL_TEXTURE_GEN_Q})
        gl.EnableUnit(s, e, false);
      continue;
    }
    const DWORD* t = d.stageState[s];
    gl.EnableUnit(s, GL_TEXTURE_2D, true);
    ApplySampler(gl, s, d.samplers_[s], t);
    gl.TexEnvColour(s, factor);
    if (!program) {
      gl.TexEnv(s, GL_TEXTURE_ENV_MODE, GL_COMBINE);
      SetCombine(gl, s, false, t[D3DTSS_COLOROP], t[D3DTSS_COLORARG1], t[D3DTSS_COLORARG2], t[D3DTSS_COLORARG0]);
      SetCombine(gl, s, true, t[D3DTSS_ALPHAOP], t[D3DTSS_ALPHAARG1], t[D3DTSS_ALPHAARG2], t[D3DTSS_ALPHAARG0]);
    }
    ApplyTexGen(gl, s, pretransformed ? 0 : t[D3DTSS_TEXCOORDINDEX]);
    ApplyTextureMatrix(gl, s, t, d.textureMatrix[s]);
  }
}

// Every draw: a texture may have been set, or changed, since.
void Pipeline::BindTextures(Device& d) {
  GlCache& gl = d.cache_;
  for (unsigned s = 0; s < d.pipeline_.activeStages; ++s) {
    // SetTexture takes only the device's own textures; an empty stage reads as opaque white.
    if (d.textures[s])
      static_cast<Texture*>(d.textures[s])->Bind(gl, s);
    else
      gl.BindTexture(s, d.whiteTexture_);
  }
}

}  // namespace D3D8Impl
