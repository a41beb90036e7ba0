#include "GlReference.h"

#define GL_GLEXT_PROTOTYPES
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstring>

namespace {

EGLDisplay Display() {
  static EGLDisplay display = [] {
    auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    EGLDisplay d = getPlatformDisplay ? getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr)
                                      : eglGetDisplay(EGL_DEFAULT_DISPLAY);
    EGLint major = 0, minor = 0;
    if (d != EGL_NO_DISPLAY && !eglInitialize(d, &major, &minor)) d = EGL_NO_DISPLAY;
    return d;
  }();
  return display;
}

const float White[4] = {1, 1, 1, 1};
const float Black[4] = {0, 0, 0, 1};

void Ambient(const float rgb[3]) {
  const float c[4] = {rgb[0], rgb[1], rgb[2], 1.0f};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, c);
}

}  // namespace

GlReference::~GlReference() {
  if (!context_) return;
  if (Enter()) {
    glDeleteBuffers(1, &vertexBuffer_);
    glDeleteBuffers(1, &indexBuffer_);
    glDeleteTextures(static_cast<GLsizei>(textures_.size()), textures_.data());
    glDeleteFramebuffers(1, &frameBuffer_);
    glDeleteRenderbuffers(1, &colour_);
    glDeleteRenderbuffers(1, &depth_);
    Leave();
  }
  eglDestroyContext(Display(), static_cast<EGLContext>(context_));
}

bool GlReference::Enter() {
  previous_ = eglGetCurrentContext();
  return eglMakeCurrent(Display(), EGL_NO_SURFACE, EGL_NO_SURFACE, static_cast<EGLContext>(context_));
}

void GlReference::Leave() {
  eglMakeCurrent(Display(), EGL_NO_SURFACE, EGL_NO_SURFACE, static_cast<EGLContext>(previous_));
}

bool GlReference::Open(int width, int height) {
  EGLDisplay d = Display();
  if (d == EGL_NO_DISPLAY || !eglBindAPI(EGL_OPENGL_API)) return false;
  const EGLint attributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                               EGL_NONE};
  EGLContext c = eglCreateContext(d, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
  if (c == EGL_NO_CONTEXT) return false;
  context_ = c;
  width_ = width, height_ = height;
  if (!Enter()) return false;
  renderer_ = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  glGenFramebuffers(1, &frameBuffer_);
  glBindFramebuffer(GL_FRAMEBUFFER, frameBuffer_);
  glGenRenderbuffers(1, &colour_);
  glBindRenderbuffer(GL_RENDERBUFFER, colour_);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour_);
  glGenRenderbuffers(1, &depth_);
  glBindRenderbuffer(GL_RENDERBUFFER, depth_);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, depth_);
  const bool ok = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  // Direct3D's conventions, as the stand-in sets them: rows top-down, depth 0..1.
  glClipControl(GL_UPPER_LEFT, GL_ZERO_TO_ONE);
  glGenBuffers(1, &vertexBuffer_);
  glGenBuffers(1, &indexBuffer_);
  Leave();
  return ok;
}

void GlReference::SetMesh(const std::vector<GlVertex>& vertices, const std::vector<uint32_t>& indices,
                          const std::vector<GlGroup>& groups, bool dynamic) {
  if (!Enter()) return;
  vertexCount_ = static_cast<uint32_t>(vertices.size() / 2);
  groups_ = groups;
  glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(GlVertex)), vertices.data(),
               dynamic ? GL_STREAM_DRAW : GL_STATIC_DRAW);
  // 16-bit indices while every vertex, the shell's included, fits them.
  wide_ = vertices.size() > 0x10000;
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer_);
  if (wide_) {
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * 4), indices.data(), GL_STATIC_DRAW);
  } else {
    const std::vector<uint16_t> narrow(indices.begin(), indices.end());
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(narrow.size() * 2), narrow.data(), GL_STATIC_DRAW);
  }
  Leave();
}

void GlReference::UpdateVertices(const std::vector<GlVertex>& vertices) {
  // A fresh store each frame, so the upload never waits for the last frame's draws.
  glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(GlVertex)), vertices.data(),
               GL_STREAM_DRAW);
}

int GlReference::AddTexture(int width, int height, const std::vector<uint32_t>& argb) {
  if (!Enter()) return -1;
  unsigned name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_BGRA, GL_UNSIGNED_BYTE, argb.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
  textures_.push_back(name);
  Leave();
  return static_cast<int>(textures_.size()) - 1;
}

void GlReference::SetTransforms(const D3DMATRIX& view, const D3DMATRIX& projection, const D3DMATRIX& ramp,
                                int rampTexture) {
  view_ = view, projection_ = projection, ramp_ = ramp, rampTexture_ = rampTexture;
}

uint32_t GlReference::Frame(const std::vector<GlVertex>* moved) {
  if (!Enter()) return 0;
  if (moved) UpdateVertices(*moved);
  Draw();
  uint32_t pixel = 0;
  glReadPixels(width_ / 2, height_ / 2, 1, 1, GL_BGRA, GL_UNSIGNED_BYTE, &pixel);
  Leave();
  return pixel;
}

void GlReference::Draw() {
  glBindFramebuffer(GL_FRAMEBUFFER, frameBuffer_);
  glViewport(0, 0, width_, height_);
  glClearColor(29 / 255.0f, 64 / 255.0f, 89 / 255.0f, 1.0f);  // the editor's 0x001D4059
  glClearDepth(1.0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadMatrixf(&projection_.m[0][0]);
  glMatrixMode(GL_MODELVIEW);
  glLoadMatrixf(&view_.m[0][0]);  // the world is the identity

  // Lit by the ambient colour alone, as the cel and outline passes are.
  glEnable(GL_LIGHTING);
  for (int i = 0; i < 8; ++i) glDisable(GL_LIGHT0 + i);
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, White);
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, White);
  glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, Black);
  glDisable(GL_DITHER);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glFrontFace(GL_CW);
  glEnable(GL_CULL_FACE);
  glCullFace(GL_BACK);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_TEXTURE_2D);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);

  glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer_);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_NORMAL_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glVertexPointer(3, GL_FLOAT, sizeof(GlVertex), reinterpret_cast<const void*>(0));
  glNormalPointer(GL_FLOAT, sizeof(GlVertex), reinterpret_cast<const void*>(12));
  glTexCoordPointer(2, GL_FLOAT, sizeof(GlVertex), reinterpret_cast<const void*>(24));
  auto draw = [&](const GlGroup& g, GLint base) {
    glDrawElementsBaseVertex(GL_TRIANGLES, static_cast<GLsizei>(g.count * 3),
                             wide_ ? GL_UNSIGNED_INT : GL_UNSIGNED_SHORT,
                             reinterpret_cast<const void*>(static_cast<uintptr_t>(g.first) * (wide_ ? 4 : 2)), base);
  };

  // Base pass: texture × ambient colour.
  for (const GlGroup& g : groups_) {
    Ambient(g.base);
    glBindTexture(GL_TEXTURE_2D, textures_[static_cast<size_t>(g.texture)]);
    draw(g, 0);
  }
  // Ramp pass: the frame × the ramp looked up by the camera-space normal.
  glBlendFunc(GL_ZERO, GL_SRC_COLOR);
  Ambient(White);
  glBindTexture(GL_TEXTURE_2D, textures_[static_cast<size_t>(rampTexture_)]);
  for (GLenum c : {GL_S, GL_T, GL_R}) glTexGeni(c, GL_TEXTURE_GEN_MODE, GL_NORMAL_MAP);
  for (GLenum e : {GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_TEXTURE_GEN_R}) glEnable(e);
  glMatrixMode(GL_TEXTURE);
  glLoadMatrixf(&ramp_.m[0][0]);
  for (const GlGroup& g : groups_) draw(g, 0);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  for (GLenum e : {GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_TEXTURE_GEN_R}) glDisable(e);

  // Outline pass: back faces of the shell in the second half.
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glCullFace(GL_FRONT);
  for (const GlGroup& g : groups_) {
    Ambient(g.outline);
    glBindTexture(GL_TEXTURE_2D, textures_[static_cast<size_t>(g.texture)]);
    draw(g, static_cast<GLint>(vertexCount_));
  }
  glCullFace(GL_BACK);
}

std::vector<uint32_t> GlReference::ReadFrame() {
  std::vector<uint32_t> out(static_cast<size_t>(width_) * height_);
  if (!Enter()) return out;
  glBindFramebuffer(GL_READ_FRAMEBUFFER, frameBuffer_);
  glReadPixels(0, 0, width_, height_, GL_BGRA, GL_UNSIGNED_BYTE, out.data());
  Leave();
  for (uint32_t& p : out) p &= 0xFFFFFF;
  return out;
}
