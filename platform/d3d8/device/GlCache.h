// The GL state a device's context holds, as last sent: every setter compares
// with what GL already has and sends only changes. The cache belongs to one
// context (GL state is per context). Whatever changes GL behind its back must
// say so: Invalidate() after code that sets GL state directly, Forget*() before
// deleting a texture or buffer (GL unbinds it and may reuse the name), and
// AfterDraw() after a draw, which leaves current values and colour-tracked
// material undefined.
#pragma once

#include <array>
#include <cstdint>

#include "platform/d3d8/d3d8types.h"

namespace D3D8Impl {

class GlCache {
 public:
  static constexpr unsigned Units = 4;
  using Vec4 = std::array<float, 4>;
  using Mat4 = std::array<float, 16>;

  // Every value unknown: the next setter sends.
  void Invalidate() { ++generation_; }
  // Changes with every Invalidate(), so that state kept on top of the cache
  // can tell that GL was changed behind it.
  uint32_t Generation() const { return generation_; }
  // Changes with every ForgetBuffer() (vertex pointers into it are unknown then).
  uint32_t BufferForgets() const { return bufferForgets_; }

  // Capabilities without a unit (GL_LIGHTING, GL_BLEND, GL_LIGHT0 + i, ...).
  void Enable(unsigned cap, bool on);
  // Per texture unit: GL_TEXTURE_2D and GL_TEXTURE_GEN_S/T/R/Q.
  void EnableUnit(unsigned unit, unsigned cap, bool on);
  void ActiveTexture(unsigned unit);
  void BindTexture(unsigned unit, unsigned name);
  void BindSampler(unsigned unit, unsigned name);
  void BindBuffer(unsigned target, unsigned name);
  void UseProgram(unsigned name);
  void ForgetTexture(unsigned name);
  void ForgetBuffer(unsigned name);

  // Vertex arrays; the pointer remembers the array buffer bound with it.
  enum Array { VertexArray, NormalArray, ColourArray, SecondaryArray, TexCoordArray, ArrayCount = TexCoordArray + Units };
  void EnableArray(int array, bool on);
  void Pointer(int array, int size, unsigned type, int stride, const void* pointer);
  // Current values, used where an array is off.
  void Colour(const Vec4& c);
  void SecondaryColour(float r, float g, float b);
  void Normal(float x, float y, float z);
  void TexCoord(unsigned unit, const Vec4& c);
  // Arrays on in a draw leave their current values undefined; so does colour
  // tracking for the material it tracks.
  void AfterDraw();

  // Matrices: 0 projection, 1 modelview, 2 + unit the texture matrix of a unit.
  void LoadMatrix(unsigned slot, const Mat4& m);
  void Viewport(int x, int y, int w, int h);
  void DepthRange(float zNear, float zFar);
  void Scissor(int x, int y, int w, int h);

  // Lighting: GL keeps a light in eye space, so the light and the view it was
  // sent under decide what GL holds. True when light i must be sent (the
  // caller sends it with view as the modelview).
  struct LightKey {
    D3DLIGHT8 light;
    Mat4 view;
    bool operator==(const LightKey& o) const;
  };
  bool LightChanged(unsigned i, const LightKey& key);
  void LightModelAmbient(const Vec4& c);
  void LightModel(unsigned pname, int value);  // local viewer, two side, colour control
  // Material parameter (GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR, GL_EMISSION).
  void Material(unsigned pname, const Vec4& c);
  void Shininess(float s);
  void ColourMaterial(unsigned mode);

  // Fragment and raster state.
  void ShadeModel(unsigned mode);
  void PolygonMode(unsigned mode);
  void FrontFace(unsigned mode);
  void CullFace(unsigned mode);
  void DepthFunc(unsigned f);
  void DepthMask(bool on);
  void AlphaFunc(unsigned f, float ref);
  void BlendFunc(unsigned src, unsigned dst);
  void BlendEquation(unsigned e);
  void ColourMask(unsigned mask);  // bits r, g, b, a
  void StencilFunc(unsigned f, int ref, unsigned mask);
  void StencilOp(unsigned fail, unsigned zfail, unsigned pass);
  void StencilMask(unsigned mask);
  void PointSize(float s);

  // Texture environment of a unit.
  void TexEnv(unsigned unit, unsigned pname, int value);
  void TexEnvFloat(unsigned unit, unsigned pname, float value);
  void TexEnvColour(unsigned unit, const Vec4& c);
  void TexGenMode(unsigned unit, unsigned coord, int mode);
  // Eye planes are only ever set with an identity modelview, to the axes.
  void TexGenAxisPlanes(unsigned unit);

  // Sampler object parameters (GL_TEXTURE_MIN_FILTER, ...).
  void SamplerParameter(unsigned unit, unsigned sampler, unsigned pname, int value);
  void SamplerBorder(unsigned unit, unsigned sampler, const Vec4& c);

 private:
  template <class T>
  struct Slot {
    T value{};
    uint32_t generation = 0;
  };
  template <class T>
  bool Change(Slot<T>& slot, const T& value) {
    if (slot.generation == generation_ && slot.value == value) return false;
    slot.value = value;
    slot.generation = generation_;
    return true;
  }
  template <class T>
  bool Known(const Slot<T>& slot) const {
    return slot.generation == generation_;
  }

  struct PointerState {
    int size;
    unsigned type;
    int stride;
    const void* pointer;
    unsigned buffer;
    bool operator==(const PointerState&) const = default;
  };
  struct UnitEnv {
    Slot<int> values[16];  // by TexEnvIndex
    Slot<float> scales[2];
    Slot<Vec4> colour;
    Slot<int> genMode[3];
    Slot<bool> planes;
    Slot<bool> enables[5];  // texture 2D, gen S, T, R, Q
    Slot<unsigned> texture, sampler;
    Slot<int> samplerValues[6];  // by SamplerIndex
    Slot<Vec4> border;
    Slot<Vec4> texCoord;
  };

  static constexpr unsigned CapCount = 19;
  static int CapIndex(unsigned cap);
  void SetActive(unsigned unit);

  uint32_t generation_ = 1;
  uint32_t bufferForgets_ = 0;
  Slot<bool> caps_[CapCount];
  Slot<unsigned> activeUnit_, clientUnit_, arrayBuffer_, elementBuffer_, program_;
  Slot<bool> arrays_[ArrayCount];
  Slot<PointerState> pointers_[ArrayCount];
  Slot<Vec4> colour_;
  Slot<std::array<float, 3>> secondary_, normal_;
  Slot<Mat4> matrices_[2 + Units];
  Slot<unsigned> matrixMode_;
  Slot<std::array<int, 4>> viewport_, scissor_;
  Slot<std::array<float, 2>> depthRange_;
  Slot<LightKey> lights_[8];
  Slot<Vec4> lightAmbient_;
  Slot<int> lightModel_[3];
  Slot<Vec4> material_[4];
  Slot<float> shininess_;
  Slot<unsigned> colourMaterial_;
  Slot<unsigned> shadeModel_, polygonMode_, frontFace_, cullFace_, depthFunc_, blendEquation_, colourMask_,
      stencilMask_;
  Slot<bool> depthMask_;
  Slot<std::array<float, 2>> alphaFunc_;
  Slot<std::array<unsigned, 2>> blendFunc_;
  Slot<std::array<unsigned, 3>> stencilFunc_, stencilOp_;
  Slot<float> pointSize_;
  UnitEnv units_[Units];
};

}  // namespace D3D8Impl
