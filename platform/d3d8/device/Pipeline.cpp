#include "platform/d3d8/device/Pipeline.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cstring>

#include "platform/d3d8/device/Device.h"

namespace D3D8Impl {
namespace {

D3DMATRIX Multiply(const D3DMATRIX& a, const D3DMATRIX& b) {
  D3DMATRIX r{};
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      r.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j] + a.m[i][3] * b.m[3][j];
  return r;
}

// A Direct3D row-vector matrix read as GL's column-major array is the same map.
void Load(const D3DMATRIX& m) { glLoadMatrixf(&m.m[0][0]); }

void Colour(D3DCOLOR c, float out[4]) {
  out[0] = ((c >> 16) & 255) / 255.0f, out[1] = ((c >> 8) & 255) / 255.0f, out[2] = (c & 255) / 255.0f;
  out[3] = (c >> 24) / 255.0f;
}

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

void ApplyTransforms(Device& d, bool pretransformed, unsigned w, unsigned h) {
  if (pretransformed) {
    // Pixel centres on integers, y down, z already 0..1: screen to clip space.
    glViewport(0, 0, static_cast<GLsizei>(w), static_cast<GLsizei>(h));
    glDepthRange(0.0, 1.0);
    // GL's fill rule drops pixels whose centres lie on a top edge; moving the
    // picture a fraction of a sub-pixel up-left gives Direct3D's top-left rule.
    const float fw = static_cast<float>(w), fh = static_cast<float>(h);
    const float shift = 1.0f - 2.0f / 64.0f;
    const float m[16] = {2.0f / fw, 0, 0, 0, 0, -2.0f / fh, 0, 0, 0, 0, 1.0f, 0,
                         shift / fw - 1.0f, 1.0f - shift / fh, 0.0f, 1.0f};
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(m);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    return;
  }
  const D3DVIEWPORT8& v = d.viewport;
  glViewport(static_cast<GLint>(v.X), static_cast<GLint>(v.Y), static_cast<GLsizei>(v.Width),
             static_cast<GLsizei>(v.Height));
  glDepthRange(v.MinZ, v.MaxZ);
  glMatrixMode(GL_PROJECTION);
  Load(d.projection);
  glMatrixMode(GL_MODELVIEW);
}

void ApplyLights(Device& d) {
  // Lights are given in world space: GL takes them through the view matrix.
  Load(d.view);
  int n = 0;
  for (auto& [index, entry] : d.lights) {
    if (!entry.enabled || n >= static_cast<int>(MaxLights)) continue;
    const D3DLIGHT8& l = entry.light;
    GLenum id = GL_LIGHT0 + n++;
    glEnable(id);
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
      continue;
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
  for (; n < static_cast<int>(MaxLights); ++n) glDisable(GL_LIGHT0 + n);
}

void ApplyLighting(Device& d, bool lit, bool hasDiffuse) {
  const DWORD* rs = d.renderState;
  if (!lit) {
    glDisable(GL_LIGHTING);
    glDisable(GL_COLOR_MATERIAL);
    return;
  }
  glEnable(GL_LIGHTING);
  float ambient[4];
  Colour(rs[D3DRS_AMBIENT], ambient);
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
  glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, rs[D3DRS_LOCALVIEWER] ? 1 : 0);
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
  glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL,
                rs[D3DRS_SPECULARENABLE] ? GL_SEPARATE_SPECULAR_COLOR : GL_SINGLE_COLOR);
  const D3DMATERIAL8& m = d.material;
  static const float zero[4] = {0, 0, 0, 0};
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, &m.Diffuse.r);
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, &m.Ambient.r);
  glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, &m.Emissive.r);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, rs[D3DRS_SPECULARENABLE] ? &m.Specular.r : zero);
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, std::clamp(m.Power, 0.0f, 128.0f));
  bool diffuseFromVertex = hasDiffuse && rs[D3DRS_COLORVERTEX] && rs[D3DRS_DIFFUSEMATERIALSOURCE] == D3DMCS_COLOR1;
  bool ambientFromVertex = hasDiffuse && rs[D3DRS_COLORVERTEX] && rs[D3DRS_AMBIENTMATERIALSOURCE] == D3DMCS_COLOR1;
  bool emissiveFromVertex =
      hasDiffuse && rs[D3DRS_COLORVERTEX] && rs[D3DRS_EMISSIVEMATERIALSOURCE] == D3DMCS_COLOR1;
  GLenum track = 0;
  if (diffuseFromVertex && ambientFromVertex)
    track = GL_AMBIENT_AND_DIFFUSE;
  else if (diffuseFromVertex)
    track = GL_DIFFUSE;
  else if (ambientFromVertex)
    track = GL_AMBIENT;
  else if (emissiveFromVertex)
    track = GL_EMISSION;
  if (track) {
    glColorMaterial(GL_FRONT_AND_BACK, track);
    glEnable(GL_COLOR_MATERIAL);
  } else {
    glDisable(GL_COLOR_MATERIAL);
  }
  ApplyLights(d);
}

void ApplyRasterStates(Device& d, bool lit) {
  const DWORD* rs = d.renderState;
  glShadeModel(rs[D3DRS_SHADEMODE] == D3DSHADE_FLAT ? GL_FLAT : GL_SMOOTH);
  GLenum fill = rs[D3DRS_FILLMODE] == D3DFILL_POINT ? GL_POINT : rs[D3DRS_FILLMODE] == D3DFILL_WIREFRAME ? GL_LINE
                                                                                                        : GL_FILL;
  glPolygonMode(GL_FRONT_AND_BACK, fill);
  // The picture is the same in both, so is its winding as seen: clockwise is front.
  glFrontFace(GL_CW);
  if (rs[D3DRS_CULLMODE] == D3DCULL_CW) {
    glEnable(GL_CULL_FACE);
    glCullFace(GL_FRONT);
  } else if (rs[D3DRS_CULLMODE] == D3DCULL_CCW) {
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
  } else {
    glDisable(GL_CULL_FACE);
  }
  if (rs[D3DRS_ZENABLE]) {
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(CompareOf(rs[D3DRS_ZFUNC]));
  } else {
    glDisable(GL_DEPTH_TEST);
  }
  glDepthMask(rs[D3DRS_ZWRITEENABLE] ? GL_TRUE : GL_FALSE);
  if (rs[D3DRS_ALPHATESTENABLE]) {
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(CompareOf(rs[D3DRS_ALPHAFUNC]), (rs[D3DRS_ALPHAREF] & 255) / 255.0f);
  } else {
    glDisable(GL_ALPHA_TEST);
  }
  if (rs[D3DRS_ALPHABLENDENABLE]) {
    glEnable(GL_BLEND);
    GLenum src = BlendOf(rs[D3DRS_SRCBLEND]), dst = BlendOf(rs[D3DRS_DESTBLEND]);
    if (rs[D3DRS_SRCBLEND] == D3DBLEND_BOTHSRCALPHA) src = GL_SRC_ALPHA, dst = GL_ONE_MINUS_SRC_ALPHA;
    if (rs[D3DRS_SRCBLEND] == D3DBLEND_BOTHINVSRCALPHA) src = GL_ONE_MINUS_SRC_ALPHA, dst = GL_SRC_ALPHA;
    glBlendFunc(src, dst);
    static const GLenum ops[] = {GL_FUNC_ADD, GL_FUNC_ADD, GL_FUNC_SUBTRACT, GL_FUNC_REVERSE_SUBTRACT, GL_MIN,
                                 GL_MAX};
    glBlendEquation(rs[D3DRS_BLENDOP] < 6 ? ops[rs[D3DRS_BLENDOP]] : GL_FUNC_ADD);
  } else {
    glDisable(GL_BLEND);
  }
  // Dithering is left off so that frames are exact and repeatable.
  glDisable(GL_DITHER);
  DWORD mask = rs[D3DRS_COLORWRITEENABLE];
  glColorMask(mask & 1, (mask >> 1) & 1, (mask >> 2) & 1, (mask >> 3) & 1);
  if (rs[D3DRS_STENCILENABLE]) {
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(CompareOf(rs[D3DRS_STENCILFUNC]), static_cast<GLint>(rs[D3DRS_STENCILREF] & 255),
                  rs[D3DRS_STENCILMASK]);
    glStencilOp(StencilOpOf(rs[D3DRS_STENCILFAIL]), StencilOpOf(rs[D3DRS_STENCILZFAIL]),
                StencilOpOf(rs[D3DRS_STENCILPASS]));
    glStencilMask(rs[D3DRS_STENCILWRITEMASK]);
  } else {
    glDisable(GL_STENCIL_TEST);
  }
  float pointSize;
  std::memcpy(&pointSize, &rs[D3DRS_POINTSIZE], 4);
  glPointSize(std::clamp(pointSize, 1.0f, 64.0f));
  // Without lighting Direct3D adds the specular colour when asked; lit, GL does it.
  if (!lit && rs[D3DRS_SPECULARENABLE])
    glEnable(GL_COLOR_SUM);
  else
    glDisable(GL_COLOR_SUM);
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
    default: s = GL_PRIMARY_COLOR; break;  // diffuse; specular is not a combiner source
  }
  bool complement = (arg & D3DTA_COMPLEMENT) != 0;
  bool useAlpha = alpha || (arg & D3DTA_ALPHAREPLICATE);
  GLenum op = useAlpha ? (complement ? GL_ONE_MINUS_SRC_ALPHA : GL_SRC_ALPHA)
                       : (complement ? GL_ONE_MINUS_SRC_COLOR : GL_SRC_COLOR);
  return {s, op};
}

void SetArg(bool alpha, int index, Source s) {
  static const GLenum rgbSource[] = {GL_SRC0_RGB, GL_SRC1_RGB, GL_SRC2_RGB};
  static const GLenum alphaSource[] = {GL_SRC0_ALPHA, GL_SRC1_ALPHA, GL_SRC2_ALPHA};
  static const GLenum rgbOperand[] = {GL_OPERAND0_RGB, GL_OPERAND1_RGB, GL_OPERAND2_RGB};
  static const GLenum alphaOperand[] = {GL_OPERAND0_ALPHA, GL_OPERAND1_ALPHA, GL_OPERAND2_ALPHA};
  glTexEnvi(GL_TEXTURE_ENV, alpha ? alphaSource[index] : rgbSource[index], static_cast<GLint>(s.source));
  glTexEnvi(GL_TEXTURE_ENV, alpha ? alphaOperand[index] : rgbOperand[index], static_cast<GLint>(s.operand));
}

void SetCombine(bool alpha, DWORD op, DWORD arg1, DWORD arg2, DWORD arg0) {
  GLenum combine = GL_REPLACE;
  float scale = 1.0f;
  Source a1 = SourceOf(arg1, alpha), a2 = SourceOf(arg2, alpha);
  Source blendBy{GL_PREVIOUS, GL_SRC_ALPHA};
  Source first = a1, second = a2;
  switch (op) {
    case D3DTOP_SELECTARG1: combine = GL_REPLACE; break;
    case D3DTOP_SELECTARG2: combine = GL_REPLACE, first = a2; break;
    case D3DTOP_MODULATE: combine = GL_MODULATE; break;
    case D3DTOP_MODULATE2X: combine = GL_MODULATE, scale = 2; break;
    case D3DTOP_MODULATE4X: combine = GL_MODULATE, scale = 4; break;
    case D3DTOP_ADD:
    case D3DTOP_ADDSMOOTH: combine = GL_ADD; break;
    case D3DTOP_ADDSIGNED: combine = GL_ADD_SIGNED; break;
    case D3DTOP_ADDSIGNED2X: combine = GL_ADD_SIGNED, scale = 2; break;
    case D3DTOP_SUBTRACT: combine = GL_SUBTRACT; break;
    case D3DTOP_BLENDDIFFUSEALPHA: combine = GL_INTERPOLATE, blendBy = {GL_PRIMARY_COLOR, GL_SRC_ALPHA}; break;
    case D3DTOP_BLENDTEXTUREALPHA:
    case D3DTOP_BLENDTEXTUREALPHAPM: combine = GL_INTERPOLATE, blendBy = {GL_TEXTURE, GL_SRC_ALPHA}; break;
    case D3DTOP_BLENDFACTORALPHA: combine = GL_INTERPOLATE, blendBy = {GL_CONSTANT, GL_SRC_ALPHA}; break;
    case D3DTOP_BLENDCURRENTALPHA: combine = GL_INTERPOLATE, blendBy = {GL_PREVIOUS, GL_SRC_ALPHA}; break;
    case D3DTOP_DOTPRODUCT3: combine = alpha ? GL_REPLACE : GL_DOT3_RGBA; break;
    case D3DTOP_LERP: combine = GL_INTERPOLATE, blendBy = SourceOf(arg0, alpha); break;
    default:
      // A disabled alpha operation on a live colour stage passes the alpha on.
      combine = GL_REPLACE, first = {GL_PREVIOUS, GL_SRC_ALPHA};
      break;
  }
  glTexEnvi(GL_TEXTURE_ENV, alpha ? GL_COMBINE_ALPHA : GL_COMBINE_RGB, static_cast<GLint>(combine));
  glTexEnvf(GL_TEXTURE_ENV, alpha ? GL_ALPHA_SCALE : GL_RGB_SCALE, scale);
  SetArg(alpha, 0, first);
  SetArg(alpha, 1, second);
  SetArg(alpha, 2, blendBy);
}

GLint WrapOf(DWORD a) {
  switch (a) {
    case D3DTADDRESS_MIRROR: return GL_MIRRORED_REPEAT;
    case D3DTADDRESS_CLAMP: return GL_CLAMP_TO_EDGE;
    case D3DTADDRESS_BORDER: return GL_CLAMP_TO_BORDER;
    default: return GL_REPEAT;
  }
}

void ApplySampler(const DWORD* t) {
  bool magLinear = t[D3DTSS_MAGFILTER] >= D3DTEXF_LINEAR;
  bool minLinear = t[D3DTSS_MINFILTER] >= D3DTEXF_LINEAR;
  GLint min;
  switch (t[D3DTSS_MIPFILTER]) {
    case D3DTEXF_POINT: min = minLinear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST; break;
    case D3DTEXF_LINEAR: min = minLinear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR; break;
    default: min = minLinear ? GL_LINEAR : GL_NEAREST; break;
  }
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, min);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magLinear ? GL_LINEAR : GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, WrapOf(t[D3DTSS_ADDRESSU]));
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, WrapOf(t[D3DTSS_ADDRESSV]));
  float border[4];
  Colour(t[D3DTSS_BORDERCOLOR], border);
  glTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, border);
}

void ApplyTexGen(DWORD index) {
  DWORD mode = index & 0xFFFF0000u;
  const GLenum coords[] = {GL_S, GL_T, GL_R};
  const GLenum enables[] = {GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_TEXTURE_GEN_R};
  glDisable(GL_TEXTURE_GEN_Q);
  if (mode == D3DTSS_TCI_PASSTHRU) {
    for (GLenum e : enables) glDisable(e);
    return;
  }
  GLint gen = mode == D3DTSS_TCI_CAMERASPACENORMAL     ? GL_NORMAL_MAP
              : mode == D3DTSS_TCI_CAMERASPACEPOSITION ? GL_EYE_LINEAR
                                                       : GL_REFLECTION_MAP;
  static const float planes[3][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}};
  for (int i = 0; i < 3; ++i) {
    glTexGeni(coords[i], GL_TEXTURE_GEN_MODE, gen);
    if (gen == GL_EYE_LINEAR) glTexGenfv(coords[i], GL_EYE_PLANE, planes[i]);  // modelview is identity here
    glEnable(enables[i]);
  }
}

void ApplyTextureMatrix(const DWORD* t, const D3DMATRIX& m) {
  glMatrixMode(GL_TEXTURE);
  DWORD flags = t[D3DTSS_TEXTURETRANSFORMFLAGS];
  if ((flags & 0xFF) == D3DTTFF_DISABLE) {
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    return;
  }
  D3DMATRIX g = m;
  if ((t[D3DTSS_TEXCOORDINDEX] & 0xFFFF0000u) == D3DTSS_TCI_PASSTHRU) {
    // Direct3D extends a 2D coordinate with 1 in its third place, GL in its fourth.
    for (int j = 0; j < 4; ++j) g.m[3][j] = m.m[2][j], g.m[2][j] = 0.0f;
  }
  if (!(flags & D3DTTFF_PROJECTED)) g.m[0][3] = g.m[1][3] = g.m[2][3] = 0.0f, g.m[3][3] = 1.0f;
  Load(g);
  glMatrixMode(GL_MODELVIEW);
}

}  // namespace

unsigned Pipeline::ActiveStages(const Device& d) {
  unsigned n = 0;
  while (n < MaxStages && d.stageState[n][D3DTSS_COLOROP] != D3DTOP_DISABLE) ++n;
  return n;
}

void Pipeline::Apply(Device& d, bool pretransformed, bool hasNormal, bool hasDiffuse, bool) {
  ApplyTransforms(d, pretransformed, d.Width(), d.Height());
  bool lit = d.renderState[D3DRS_LIGHTING] && !pretransformed;
  if (!hasNormal) glNormal3f(0, 0, 0);
  // Normals scaled by the world matrix stay scaled unless asked, as in Direct3D.
  if (d.renderState[D3DRS_NORMALIZENORMALS])
    glEnable(GL_NORMALIZE);
  else
    glDisable(GL_NORMALIZE);
  if (!hasDiffuse) glColor4f(1, 1, 1, 1);
  glSecondaryColor3f(0, 0, 0);
  ApplyLighting(d, lit, hasDiffuse);
  ApplyRasterStates(d, lit);
  unsigned active = ActiveStages(d);
  float factor[4];
  Colour(d.renderState[D3DRS_TEXTUREFACTOR], factor);
  // Texture generation planes are given with an identity modelview.
  glLoadIdentity();
  for (unsigned s = 0; s < MaxStages; ++s) {
    glActiveTexture(GL_TEXTURE0 + s);
    if (s >= active) {
      glDisable(GL_TEXTURE_2D);
      for (GLenum e : {GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_TEXTURE_GEN_R, GL_TEXTURE_GEN_Q}) glDisable(e);
      continue;
    }
    const DWORD* t = d.stageState[s];
    glEnable(GL_TEXTURE_2D);
    if (auto* texture = dynamic_cast<Texture*>(d.textures[s])) {
      texture->Bind();
    } else {
      // An empty stage reads as opaque white.
      glBindTexture(GL_TEXTURE_2D, d.whiteTexture_);
    }
    ApplySampler(t);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
    glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, factor);
    SetCombine(false, t[D3DTSS_COLOROP], t[D3DTSS_COLORARG1], t[D3DTSS_COLORARG2], t[D3DTSS_COLORARG0]);
    SetCombine(true, t[D3DTSS_ALPHAOP], t[D3DTSS_ALPHAARG1], t[D3DTSS_ALPHAARG2], t[D3DTSS_ALPHAARG0]);
    ApplyTexGen(pretransformed ? 0 : t[D3DTSS_TEXCOORDINDEX]);
    ApplyTextureMatrix(t, d.textureMatrix[s]);
  }
  glActiveTexture(GL_TEXTURE0);
  if (!pretransformed) {
    glMatrixMode(GL_MODELVIEW);
    Load(Multiply(d.world, d.view));
  }
}

}  // namespace D3D8Impl
