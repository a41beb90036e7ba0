#include "platform/d3d8/device/GlCache.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstring>
#include <initializer_list>

namespace D3D8Impl {
namespace {

constexpr GLenum UnitCaps[5] = {GL_TEXTURE_2D, GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_TEXTURE_GEN_R,
                                GL_TEXTURE_GEN_Q};

int UnitCapIndex(unsigned cap) {
  for (int i = 0; i < 5; ++i)
    if (UnitCaps[i] == cap) return i;
  return -1;
}

int MaterialIndex(unsigned pname) {
  switch (pname) {
    case GL_AMBIENT: return 0;
    case GL_DIFFUSE: return 1;
    case GL_SPECULAR: return 2;
    case GL_EMISSION: return 3;
    default: return -1;
  }
}

int TexEnvIndex(unsigned pname) {
  switch (pname) {
    case GL_TEXTURE_ENV_MODE: return 0;
    case GL_COMBINE_RGB: return 1;
    case GL_COMBINE_ALPHA: return 2;
    case GL_SRC0_RGB: return 3;
    case GL_SRC1_RGB: return 4;
    case GL_SRC2_RGB: return 5;
    case GL_SRC0_ALPHA: return 6;
    case GL_SRC1_ALPHA: return 7;
    case GL_SRC2_ALPHA: return 8;
    case GL_OPERAND0_RGB: return 9;
    case GL_OPERAND1_RGB: return 10;
    case GL_OPERAND2_RGB: return 11;
    case GL_OPERAND0_ALPHA: return 12;
    case GL_OPERAND1_ALPHA: return 13;
    case GL_OPERAND2_ALPHA: return 14;
    default: return -1;
  }
}

int SamplerIndex(unsigned pname) {
  static const GLenum names[] = {GL_TEXTURE_MIN_FILTER, GL_TEXTURE_MAG_FILTER, GL_TEXTURE_WRAP_S,
                                 GL_TEXTURE_WRAP_T, GL_TEXTURE_WRAP_R};
  for (int i = 0; i < 5; ++i)
    if (names[i] == pname) return i;
  return -1;
}

}  // namespace

bool GlCache::LightKey::operator==(const LightKey& o) const {
  return std::memcmp(&light, &o.light, sizeof light) == 0 && view == o.view;
}

int GlCache::CapIndex(unsigned cap) {
  switch (cap) {
    case GL_LIGHTING: return 0;
    case GL_COLOR_MATERIAL: return 1;
    case GL_NORMALIZE: return 2;
    case GL_CULL_FACE: return 3;
    case GL_DEPTH_TEST: return 4;
    case GL_ALPHA_TEST: return 5;
    case GL_BLEND: return 6;
    case GL_DITHER: return 7;
    case GL_STENCIL_TEST: return 8;
    case GL_COLOR_SUM: return 9;
    case GL_SCISSOR_TEST: return 10;
    default: return cap >= GL_LIGHT0 && cap < GL_LIGHT0 + 8 ? static_cast<int>(11 + cap - GL_LIGHT0) : -1;
  }
}

void GlCache::Enable(unsigned cap, bool on) {
  int i = CapIndex(cap);
  if (i < 0) {
    on ? glEnable(cap) : glDisable(cap);
    return;
  }
  if (!Change(caps_[i], on)) return;
  on ? glEnable(cap) : glDisable(cap);
  // Turning colour tracking on copies the current colour into the material.
  if (cap == GL_COLOR_MATERIAL && on) {
    for (Slot<Vec4>& m : material_) m.generation = 0;
  }
}

void GlCache::SetActive(unsigned unit) {
  if (Change(activeUnit_, unit)) glActiveTexture(GL_TEXTURE0 + unit);
}

void GlCache::ActiveTexture(unsigned unit) { SetActive(unit); }

void GlCache::EnableUnit(unsigned unit, unsigned cap, bool on) {
  int i = UnitCapIndex(cap);
  if (unit >= Units || i < 0) return;
  if (!Change(units_[unit].enables[i], on)) return;
  SetActive(unit);
  on ? glEnable(cap) : glDisable(cap);
}

void GlCache::BindTexture(unsigned unit, unsigned name) {
  if (unit >= Units || !Change(units_[unit].texture, name)) return;
  SetActive(unit);
  glBindTexture(GL_TEXTURE_2D, name);
}

void GlCache::BindSampler(unsigned unit, unsigned name) {
  if (unit < Units && Change(units_[unit].sampler, name)) glBindSampler(unit, name);
}

void GlCache::BindBuffer(unsigned target, unsigned name) {
  Slot<unsigned>& slot = target == GL_ELEMENT_ARRAY_BUFFER ? elementBuffer_ : arrayBuffer_;
  if (Change(slot, name)) glBindBuffer(target, name);
}

void GlCache::UseProgram(unsigned name) {
  if (Change(program_, name)) glUseProgram(name);
}

void GlCache::ForgetTexture(unsigned name) {
  // GL unbinds a deleted texture wherever it was bound.
  for (UnitEnv& u : units_)
    if (u.texture.value == name) u.texture.generation = 0;
}

void GlCache::ForgetBuffer(unsigned name) {
  ++bufferForgets_;
  for (Slot<unsigned>* s : {&arrayBuffer_, &elementBuffer_})
    if (s->value == name) s->generation = 0;
  for (Slot<PointerState>& p : pointers_)
    if (p.value.buffer == name) p.generation = 0;
}

void GlCache::EnableArray(int array, bool on) {
  if (array < 0 || array >= ArrayCount || !Change(arrays_[array], on)) return;
  static const GLenum names[] = {GL_VERTEX_ARRAY, GL_NORMAL_ARRAY, GL_COLOR_ARRAY, GL_SECONDARY_COLOR_ARRAY};
  GLenum name = GL_TEXTURE_COORD_ARRAY;
  if (array < TexCoordArray) {
    name = names[array];
  } else if (Change(clientUnit_, static_cast<unsigned>(array - TexCoordArray))) {
    glClientActiveTexture(GL_TEXTURE0 + clientUnit_.value);
  }
  on ? glEnableClientState(name) : glDisableClientState(name);
}

void GlCache::Pointer(int array, int size, unsigned type, int stride, const void* pointer) {
  if (array < 0 || array >= ArrayCount) return;
  // Which buffer the pointer is an offset into is part of what GL records.
  const unsigned buffer = Known(arrayBuffer_) ? arrayBuffer_.value : ~0u;
  if (!Known(arrayBuffer_)) pointers_[array].generation = 0;
  if (!Change(pointers_[array], PointerState{size, type, stride, pointer, buffer})) return;
  switch (array) {
    case VertexArray: glVertexPointer(size, type, stride, pointer); break;
    case NormalArray: glNormalPointer(type, stride, pointer); break;
    case ColourArray: glColorPointer(size, type, stride, pointer); break;
    case SecondaryArray: glSecondaryColorPointer(size, type, stride, pointer); break;
    default:
      if (Change(clientUnit_, static_cast<unsigned>(array - TexCoordArray)))
        glClientActiveTexture(GL_TEXTURE0 + clientUnit_.value);
      glTexCoordPointer(size, type, stride, pointer);
      break;
  }
}

void GlCache::Colour(const Vec4& c) {
  if (!Change(colour_, c)) return;
  glColor4fv(c.data());
  // With colour tracking on, GL copies the colour into the tracked material.
  if (!Known(caps_[CapIndex(GL_COLOR_MATERIAL)]) || caps_[CapIndex(GL_COLOR_MATERIAL)].value)
    for (Slot<Vec4>& m : material_) m.generation = 0;
}

void GlCache::SecondaryColour(float r, float g, float b) {
  if (Change(secondary_, {r, g, b})) glSecondaryColor3f(r, g, b);
}

void GlCache::Normal(float x, float y, float z) {
  if (Change(normal_, {x, y, z})) glNormal3f(x, y, z);
}

void GlCache::TexCoord(unsigned unit, const Vec4& c) {
  if (unit < Units && Change(units_[unit].texCoord, c)) glMultiTexCoord4fv(GL_TEXTURE0 + unit, c.data());
}

void GlCache::AfterDraw() {
  auto used = [&](int array) { return !Known(arrays_[array]) || arrays_[array].value; };
  if (used(ColourArray)) {
    colour_.generation = 0;
    const Slot<bool>& tracking = caps_[CapIndex(GL_COLOR_MATERIAL)];
    if (!Known(tracking) || tracking.value)
      for (Slot<Vec4>& m : material_) m.generation = 0;
  }
  if (used(SecondaryArray)) secondary_.generation = 0;
  if (used(NormalArray)) normal_.generation = 0;
  for (unsigned u = 0; u < Units; ++u)
    if (used(TexCoordArray + static_cast<int>(u))) units_[u].texCoord.generation = 0;
}

void GlCache::LoadMatrix(unsigned slot, const Mat4& m) {
  if (slot >= 2 + Units || !Change(matrices_[slot], m)) return;
  GLenum mode = slot == 0 ? GL_PROJECTION : slot == 1 ? GL_MODELVIEW : GL_TEXTURE;
  if (mode == GL_TEXTURE) SetActive(slot - 2);
  if (Change(matrixMode_, static_cast<unsigned>(mode))) glMatrixMode(mode);
  glLoadMatrixf(m.data());
}

void GlCache::Viewport(int x, int y, int w, int h) {
  if (Change(viewport_, {x, y, w, h})) glViewport(x, y, w, h);
}

void GlCache::DepthRange(float zNear, float zFar) {
  if (Change(depthRange_, {zNear, zFar})) glDepthRange(zNear, zFar);
}

void GlCache::Scissor(int x, int y, int w, int h) {
  if (Change(scissor_, {x, y, w, h})) glScissor(x, y, w, h);
}

bool GlCache::LightChanged(unsigned i, const LightKey& key) { return i < 8 && Change(lights_[i], key); }

void GlCache::LightModelAmbient(const Vec4& c) {
  if (Change(lightAmbient_, c)) glLightModelfv(GL_LIGHT_MODEL_AMBIENT, c.data());
}

void GlCache::LightModel(unsigned pname, int value) {
  int i = pname == GL_LIGHT_MODEL_LOCAL_VIEWER ? 0 : pname == GL_LIGHT_MODEL_TWO_SIDE ? 1 : 2;
  if (Change(lightModel_[i], value)) glLightModeli(pname, value);
}

void GlCache::Material(unsigned pname, const Vec4& c) {
  int i = MaterialIndex(pname);
  if (i >= 0 && Change(material_[i], c)) glMaterialfv(GL_FRONT_AND_BACK, pname, c.data());
}

void GlCache::Shininess(float s) {
  if (Change(shininess_, s)) glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, s);
}

void GlCache::ColourMaterial(unsigned mode) {
  if (!Change(colourMaterial_, mode)) return;
  glColorMaterial(GL_FRONT_AND_BACK, mode);
  for (Slot<Vec4>& m : material_) m.generation = 0;
}

void GlCache::ShadeModel(unsigned mode) {
  if (Change(shadeModel_, mode)) glShadeModel(mode);
}

void GlCache::PolygonMode(unsigned mode) {
  if (Change(polygonMode_, mode)) glPolygonMode(GL_FRONT_AND_BACK, mode);
}

void GlCache::FrontFace(unsigned mode) {
  if (Change(frontFace_, mode)) glFrontFace(mode);
}

void GlCache::CullFace(unsigned mode) {
  if (Change(cullFace_, mode)) glCullFace(mode);
}

void GlCache::DepthFunc(unsigned f) {
  if (Change(depthFunc_, f)) glDepthFunc(f);
}

void GlCache::DepthMask(bool on) {
  if (Change(depthMask_, on)) glDepthMask(on ? GL_TRUE : GL_FALSE);
}

void GlCache::AlphaFunc(unsigned f, float ref) {
  if (Change(alphaFunc_, {static_cast<float>(f), ref})) glAlphaFunc(f, ref);
}

void GlCache::BlendFunc(unsigned src, unsigned dst) {
  if (Change(blendFunc_, {src, dst})) glBlendFunc(src, dst);
}

void GlCache::BlendEquation(unsigned e) {
  if (Change(blendEquation_, e)) glBlendEquation(e);
}

void GlCache::ColourMask(unsigned mask) {
  if (Change(colourMask_, mask)) glColorMask(mask & 1, (mask >> 1) & 1, (mask >> 2) & 1, (mask >> 3) & 1);
}

void GlCache::StencilFunc(unsigned f, int ref, unsigned mask) {
  if (Change(stencilFunc_, {f, static_cast<unsigned>(ref), mask})) glStencilFunc(f, ref, mask);
}

void GlCache::StencilOp(unsigned fail, unsigned zfail, unsigned pass) {
  if (Change(stencilOp_, {fail, zfail, pass})) glStencilOp(fail, zfail, pass);
}

void GlCache::StencilMask(unsigned mask) {
  if (Change(stencilMask_, mask)) glStencilMask(mask);
}

void GlCache::PointSize(float s) {
  if (Change(pointSize_, s)) glPointSize(s);
}

void GlCache::TexEnv(unsigned unit, unsigned pname, int value) {
  int i = TexEnvIndex(pname);
  if (unit >= Units || i < 0 || !Change(units_[unit].values[i], value)) return;
  SetActive(unit);
  glTexEnvi(GL_TEXTURE_ENV, pname, value);
}

void GlCache::TexEnvFloat(unsigned unit, unsigned pname, float value) {
  if (unit >= Units || !Change(units_[unit].scales[pname == GL_ALPHA_SCALE ? 1 : 0], value)) return;
  SetActive(unit);
  glTexEnvf(GL_TEXTURE_ENV, pname, value);
}

void GlCache::TexEnvColour(unsigned unit, const Vec4& c) {
  if (unit >= Units || !Change(units_[unit].colour, c)) return;
  SetActive(unit);
  glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, c.data());
}

void GlCache::TexGenMode(unsigned unit, unsigned coord, int mode) {
  int i = coord == GL_S ? 0 : coord == GL_T ? 1 : 2;
  if (unit >= Units || !Change(units_[unit].genMode[i], mode)) return;
  SetActive(unit);
  glTexGeni(coord, GL_TEXTURE_GEN_MODE, mode);
}

void GlCache::TexGenAxisPlanes(unsigned unit) {
  if (unit >= Units || !Change(units_[unit].planes, true)) return;
  static const float planes[3][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}};
  static const Mat4 identity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  LoadMatrix(1, identity);
  SetActive(unit);
  glTexGenfv(GL_S, GL_EYE_PLANE, planes[0]);
  glTexGenfv(GL_T, GL_EYE_PLANE, planes[1]);
  glTexGenfv(GL_R, GL_EYE_PLANE, planes[2]);
}

void GlCache::SamplerParameter(unsigned unit, unsigned sampler, unsigned pname, int value) {
  int i = SamplerIndex(pname);
  if (unit < Units && i >= 0 && Change(units_[unit].samplerValues[i], value))
    glSamplerParameteri(sampler, pname, value);
}

void GlCache::SamplerBorder(unsigned unit, unsigned sampler, const Vec4& c) {
  if (unit < Units && Change(units_[unit].border, c)) glSamplerParameterfv(sampler, GL_TEXTURE_BORDER_COLOR, c.data());
}

}  // namespace D3D8Impl
