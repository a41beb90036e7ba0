// The device's draw calls: checks every count and index against the data it
// was given, then hands the vertices to GL as arrays (through the GL cache).
#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <vector>

#include "platform/d3d8/device/Device.h"
#include "platform/d3d8/device/Pipeline.h"
#include "platform/d3d8/device/VertexLayout.h"

namespace D3D8Impl {
namespace {

// Vertices used by primitiveCount primitives; 0 for an unknown type.
uint64_t VertexCountOf(D3DPRIMITIVETYPE type, uint64_t n) {
  switch (type) {
    case D3DPT_POINTLIST: return n;
    case D3DPT_LINELIST: return 2 * n;
    case D3DPT_LINESTRIP: return n + 1;
    case D3DPT_TRIANGLELIST: return 3 * n;
    case D3DPT_TRIANGLESTRIP:
    case D3DPT_TRIANGLEFAN: return n + 2;
    default: return 0;
  }
}

GLenum ModeOf(D3DPRIMITIVETYPE type) {
  switch (type) {
    case D3DPT_POINTLIST: return GL_POINTS;
    case D3DPT_LINELIST: return GL_LINES;
    case D3DPT_LINESTRIP: return GL_LINE_STRIP;
    case D3DPT_TRIANGLELIST: return GL_TRIANGLES;
    case D3DPT_TRIANGLESTRIP: return GL_TRIANGLE_STRIP;
    default: return GL_TRIANGLE_FAN;
  }
}

uint32_t MaxIndex(const uint8_t* data, bool wide, size_t count) {
  uint32_t top = 0;
  if (wide) {
    const uint32_t* p = reinterpret_cast<const uint32_t*>(data);
    for (size_t i = 0; i < count; ++i) top = std::max(top, p[i]);
  } else {
    const uint16_t* p = reinterpret_cast<const uint16_t*>(data);
    for (size_t i = 0; i < count; ++i) top = std::max<uint32_t>(top, p[i]);
  }
  return top;
}

// Screen vertices as homogeneous GL positions (x, y, z, 1) / rhw, so that
// texture coordinates stay perspective-correct.
void HomogeneousPositions(const uint8_t* vertices, size_t count, unsigned stride, std::vector<float>& out) {
  out.resize(count * 4);
  for (size_t i = 0; i < count; ++i) {
    const float* v = reinterpret_cast<const float*>(vertices + i * stride);
    float rhw = v[3];
    float w = (rhw > 0.0f && rhw == rhw) ? 1.0f / rhw : 1.0f;
    out[i * 4 + 0] = v[0] * w, out[i * 4 + 1] = v[1] * w, out[i * 4 + 2] = v[2] * w, out[i * 4 + 3] = w;
  }
}

// The vertex arrays of a layout: offsets from origin (null: into the bound
// array buffer), screen positions from their own array.
void SetArrays(GlCache& gl, const VertexLayout& layout, const DWORD (*stages)[D3DTSS_COUNT], const uint8_t* origin,
               unsigned stride, const float* positions) {
  auto at = [&](int offset) { return static_cast<const void*>(origin + offset); };
  const int s = static_cast<int>(stride);
  gl.EnableArray(GlCache::VertexArray, true);
  if (positions)
    gl.Pointer(GlCache::VertexArray, 4, GL_FLOAT, 0, positions);
  else
    gl.Pointer(GlCache::VertexArray, 3, GL_FLOAT, s, at(layout.positionOffset));
  gl.EnableArray(GlCache::NormalArray, layout.normalOffset >= 0);
  if (layout.normalOffset >= 0) gl.Pointer(GlCache::NormalArray, 3, GL_FLOAT, s, at(layout.normalOffset));
  gl.EnableArray(GlCache::ColourArray, layout.diffuseOffset >= 0);
  if (layout.diffuseOffset >= 0) gl.Pointer(GlCache::ColourArray, GL_BGRA, GL_UNSIGNED_BYTE, s, at(layout.diffuseOffset));
  gl.EnableArray(GlCache::SecondaryArray, layout.specularOffset >= 0);
  if (layout.specularOffset >= 0)
    gl.Pointer(GlCache::SecondaryArray, GL_BGRA, GL_UNSIGNED_BYTE, s, at(layout.specularOffset));
  for (unsigned unit = 0; unit < MaxStages; ++unit) {
    const int array = GlCache::TexCoordArray + static_cast<int>(unit);
    const int set = static_cast<int>(stages[unit][D3DTSS_TEXCOORDINDEX] & 0xFFFF);
    gl.EnableArray(array, set < layout.texCount);
    if (set < layout.texCount)
      gl.Pointer(array, layout.texSize[set], GL_FLOAT, s, at(layout.texOffset[set]));
    else
      gl.TexCoord(unit, {0, 0, 0, 1});
  }
}

// Each unit's coordinate set, four bits a unit (a layout has at most eight sets).
uint32_t TexSets(const DWORD (*stages)[D3DTSS_COUNT]) {
  uint32_t sets = 0;
  for (unsigned unit = 0; unit < MaxStages; ++unit)
    sets |= std::min<uint32_t>(stages[unit][D3DTSS_TEXCOORDINDEX] & 0xFFFF, 8) << (4 * unit);
  return sets;
}

}  // namespace

// vertices: CPU data (or, with a vertex buffer, the buffer's bytes) of vertexCount vertices.
HRESULT Device::Draw(D3DPRIMITIVETYPE type, unsigned primitiveCount, const uint8_t* vertices, unsigned stride,
                     unsigned firstVertex, const void* indexData, D3DFORMAT indexFormat, unsigned vertexCount,
                     bool useBuffers, unsigned base, unsigned startIndex) {
  if (fvf != layoutFvf_) layout_ = VertexLayout::Of(fvf), layoutFvf_ = fvf;
  const VertexLayout& layout = layout_;
  if (!layout.valid || stride < static_cast<unsigned>(layout.size)) return D3DERR_INVALIDCALL;
  uint64_t used = VertexCountOf(type, primitiveCount);
  if (used == 0 && primitiveCount != 0) return D3DERR_INVALIDCALL;
  if (primitiveCount == 0) return D3D_OK;
  bool indexed = indexFormat == D3DFMT_INDEX16 || indexFormat == D3DFMT_INDEX32;
  if (!indexed && firstVertex + used > vertexCount) return D3DERR_INVALIDCALL;
  context_.Activate();
  Pipeline::Apply(*this, layout.pretransformed, layout.normalOffset >= 0, layout.diffuseOffset >= 0,
                  layout.specularOffset >= 0);

  GlCache& gl = cache_;
  if (useBuffers && stream && !layout.pretransformed) {
    Buffer& data = stream->Data();
    data.Bind(GL_ARRAY_BUFFER);
    const ArraysKey key{fvf, stride, data.GlName(), TexSets(stageState), gl.Generation(), gl.BufferForgets()};
    if (!(key == arrays_)) {
      SetArrays(gl, layout, stageState, nullptr, stride, nullptr);  // offsets into the bound buffer
      arrays_ = key;
    }
  } else {
    arrays_ = {};
    gl.BindBuffer(GL_ARRAY_BUFFER, 0);
    // GL reads the arrays during the draw call: one buffer serves every draw.
    if (layout.pretransformed) HomogeneousPositions(vertices, vertexCount, stride, screenPositions_);
    SetArrays(gl, layout, stageState, vertices, stride, layout.pretransformed ? screenPositions_.data() : nullptr);
  }

  const GLenum mode = ModeOf(type);
  if (!indexed) {
    glDrawArrays(mode, static_cast<GLint>(firstVertex), static_cast<GLsizei>(used));
  } else if (useBuffers) {
    const bool wide = indices->Format() == D3DFMT_INDEX32;
    const GLenum indexType = wide ? GL_UNSIGNED_INT : GL_UNSIGNED_SHORT;
    const size_t offset = size_t{startIndex} * (wide ? 4 : 2);
    if (layout.pretransformed) {
      gl.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
      glDrawElementsBaseVertex(mode, static_cast<GLsizei>(used), indexType, indices->Data().Bytes().data() + offset,
                               static_cast<GLint>(base));
    } else {
      indices->Data().Bind(GL_ELEMENT_ARRAY_BUFFER);
      glDrawElementsBaseVertex(mode, static_cast<GLsizei>(used), indexType,
                               reinterpret_cast<const void*>(static_cast<uintptr_t>(offset)), static_cast<GLint>(base));
    }
  } else {
    gl.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glDrawElements(mode, static_cast<GLsizei>(used), indexFormat == D3DFMT_INDEX32 ? GL_UNSIGNED_INT : GL_UNSIGNED_SHORT,
                   indexData);
  }
  gl.AfterDraw();
  return D3D_OK;
}

HRESULT Device::DrawPrimitive(D3DPRIMITIVETYPE type, unsigned startVertex, unsigned primitiveCount) {
  if (recording_) Record("DrawPrimitive(%u,%u,%u)", type, startVertex, primitiveCount);
  if (!stream || streamStride == 0) return D3DERR_INVALIDCALL;
  const auto& bytes = stream->Data().Bytes();
  unsigned count = static_cast<unsigned>(bytes.size() / streamStride);
  return Draw(type, primitiveCount, bytes.data(), streamStride, startVertex, nullptr, D3DFMT_UNKNOWN, count, true,
              0, 0);
}

HRESULT Device::DrawIndexedPrimitive(D3DPRIMITIVETYPE type, unsigned minIndex, unsigned numVertices,
                                     unsigned startIndex, unsigned primitiveCount) {
  if (recording_)
    Record("DrawIndexedPrimitive(%u,%u,%u,%u,%u)", type, minIndex, numVertices, startIndex, primitiveCount);
  if (!stream || streamStride == 0 || !indices) return D3DERR_INVALIDCALL;
  const auto& bytes = stream->Data().Bytes();
  uint64_t vertexCount = bytes.size() / streamStride;
  bool wide = indices->Format() == D3DFMT_INDEX32;
  uint64_t indexCount = indices->Data().Bytes().size() / (wide ? 4 : 2);
  uint64_t used = VertexCountOf(type, primitiveCount);
  if (startIndex + used > indexCount) return D3DERR_INVALIDCALL;
  // Every index read must land inside the vertex buffer. The largest index is
  // kept per range until the index data changes: first the whole buffer's,
  // and only when that is too large the drawn range's.
  Buffer& data = indices->Data();
  if (used && data.MaxIndex(wide, 0, indexCount) + uint64_t{baseVertex} >= vertexCount &&
      data.MaxIndex(wide, startIndex, used) + uint64_t{baseVertex} >= vertexCount)
    return D3DERR_INVALIDCALL;
  return Draw(type, primitiveCount, bytes.data(), streamStride, 0, nullptr, indices->Format(),
              static_cast<unsigned>(vertexCount), true, baseVertex, startIndex);
}

HRESULT Device::DrawPrimitiveUP(D3DPRIMITIVETYPE type, unsigned primitiveCount, const void* vertices,
                                unsigned stride) {
  if (recording_) Record("DrawPrimitiveUP(%u,%u,%u)", type, primitiveCount, stride);
  if (!vertices || stride == 0) return D3DERR_INVALIDCALL;
  // As in Direct3D, drawing from user memory forgets the stream source and indices.
  SetStreamSource(0, nullptr, 0);
  SetIndices(nullptr, 0);
  uint64_t used = VertexCountOf(type, primitiveCount);
  if (used > 0x00FFFFFF) return D3DERR_INVALIDCALL;
  return Draw(type, primitiveCount, static_cast<const uint8_t*>(vertices), stride, 0, nullptr, D3DFMT_UNKNOWN,
              static_cast<unsigned>(used), false, 0, 0);
}

HRESULT Device::DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE type, unsigned minIndex, unsigned numVertices,
                                       unsigned primitiveCount, const void* indexData, D3DFORMAT indexFormat,
                                       const void* vertices, unsigned stride) {
  if (recording_) Record("DrawIndexedPrimitiveUP(%u,%u,%u,%u)", type, minIndex, numVertices, primitiveCount);
  if (!vertices || !indexData || stride == 0) return D3DERR_INVALIDCALL;
  if (indexFormat != D3DFMT_INDEX16 && indexFormat != D3DFMT_INDEX32) return D3DERR_INVALIDCALL;
  SetStreamSource(0, nullptr, 0);
  SetIndices(nullptr, 0);
  uint64_t used = VertexCountOf(type, primitiveCount);
  if (used > 0x00FFFFFF) return D3DERR_INVALIDCALL;
  uint64_t limit = uint64_t{minIndex} + numVertices;
  if (used && MaxIndex(static_cast<const uint8_t*>(indexData), indexFormat == D3DFMT_INDEX32, used) >= limit)
    return D3DERR_INVALIDCALL;
  return Draw(type, primitiveCount, static_cast<const uint8_t*>(vertices), stride, 0, indexData, indexFormat,
              static_cast<unsigned>(limit), false, 0, 0);
}

void Device::DrawCoverage(const uint8_t* coverage, int w, int h, int x, int y, D3DCOLOR colour, const RECT& clip) {
  if (w <= 0 || h <= 0 || !coverage) return;
  context_.Activate();
  if (!coverageTexture_) glGenTextures(1, &coverageTexture_);
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  // Fixed-function texturing with the texture's own sampling, outside the cache.
  glUseProgram(0);
  glBindSampler(0, 0);
  for (unsigned s = 1; s < MaxStages; ++s) {
    glActiveTexture(GL_TEXTURE0 + s);
    glDisable(GL_TEXTURE_2D);
  }
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, coverageTexture_);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA8, w, h, 0, GL_ALPHA, GL_UNSIGNED_BYTE, coverage);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
  glEnable(GL_TEXTURE_2D);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_STENCIL_TEST);
  glDisable(GL_COLOR_SUM);
  for (GLenum e : {GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_TEXTURE_GEN_R, GL_TEXTURE_GEN_Q}) glDisable(e);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glBlendEquation(GL_FUNC_ADD);
  int cx1 = std::max(0, static_cast<int>(clip.left)), cy1 = std::max(0, static_cast<int>(clip.top));
  int cx2 = std::min(static_cast<int>(width_), static_cast<int>(clip.right));
  int cy2 = std::min(static_cast<int>(height_), static_cast<int>(clip.bottom));
  if (cx2 > cx1 && cy2 > cy1) {
    glEnable(GL_SCISSOR_TEST);
    glScissor(cx1, cy1, cx2 - cx1, cy2 - cy1);
    glViewport(0, 0, static_cast<GLsizei>(width_), static_cast<GLsizei>(height_));
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width_, height_, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_SECONDARY_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glColor4ub((colour >> 16) & 255, (colour >> 8) & 255, colour & 255, colour >> 24);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0), glVertex2i(x, y);
    glTexCoord2f(1, 0), glVertex2i(x + w, y);
    glTexCoord2f(1, 1), glVertex2i(x + w, y + h);
    glTexCoord2f(0, 1), glVertex2i(x, y + h);
    glEnd();
  }
  glPopAttrib();
  cache_.Invalidate();
}

}  // namespace D3D8Impl
