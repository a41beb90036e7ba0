#include "platform/d3d8/device/StagePrograms.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdio>
#include <initializer_list>
#include <string>

namespace D3D8Impl {
namespace {

// The stage argument as a GLSL expression: rgb (vec3) or alpha (float).
std::string Arg(uint32_t arg, unsigned stage, bool alpha) {
  std::string s;
  switch (arg & D3DTA_SELECTMASK) {
    case D3DTA_DIFFUSE: s = "diffuse"; break;
    case D3DTA_CURRENT: s = "current"; break;
    case D3DTA_TEXTURE: s = "texel"; break;
    case D3DTA_TFACTOR: s = "gl_TextureEnvColor[" + std::to_string(stage) + "]"; break;
    default: s = "specular"; break;
  }
  const bool replicate = alpha || (arg & D3DTA_ALPHAREPLICATE);
  s = replicate ? (alpha ? s + ".a" : "vec3(" + s + ".a)") : s + ".rgb";
  if (arg & D3DTA_COMPLEMENT) s = "(1.0 - " + s + ")";
  return s;
}

// The operation's result before saturation; x1, x2 the arguments, x0 LERP's third.
std::string Operation(uint32_t op, const std::string& x1, const std::string& x2, const std::string& x0) {
  switch (op) {
    case D3DTOP_SELECTARG1: return x1;
    case D3DTOP_SELECTARG2: return x2;
    case D3DTOP_MODULATE: return x1 + " * " + x2;
    case D3DTOP_MODULATE2X: return "2.0 * " + x1 + " * " + x2;
    case D3DTOP_MODULATE4X: return "4.0 * " + x1 + " * " + x2;
    case D3DTOP_ADD: return x1 + " + " + x2;
    case D3DTOP_ADDSIGNED: return x1 + " + " + x2 + " - 0.5";
    case D3DTOP_ADDSIGNED2X: return "2.0 * (" + x1 + " + " + x2 + " - 0.5)";
    case D3DTOP_SUBTRACT: return x1 + " - " + x2;
    case D3DTOP_ADDSMOOTH: return x1 + " + " + x2 + " - " + x1 + " * " + x2;
    case D3DTOP_BLENDDIFFUSEALPHA: return "mix(" + x2 + ", " + x1 + ", diffuse.a)";
    case D3DTOP_BLENDTEXTUREALPHA: return "mix(" + x2 + ", " + x1 + ", texel.a)";
    case D3DTOP_BLENDFACTORALPHA: return "mix(" + x2 + ", " + x1 + ", factor.a)";
    case D3DTOP_BLENDTEXTUREALPHAPM: return x1 + " + " + x2 + " * (1.0 - texel.a)";
    case D3DTOP_BLENDCURRENTALPHA: return "mix(" + x2 + ", " + x1 + ", current.a)";
    case D3DTOP_LERP: return "mix(" + x2 + ", " + x1 + ", " + x0 + ")";
    default: return x1;  // refused by ValidateDevice
  }
}

GLuint Compile(const std::string& source) {
  GLuint shader = glCreateShader(GL_FRAGMENT_SHADER);
  const char* text = source.c_str();
  glShaderSource(shader, 1, &text, nullptr);
  glCompileShader(shader);
  GLint ok = 0;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (!ok) {
    char log[512] = {};
    glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    std::fprintf(stderr, "d3d8: stage program rejected: %s\n", log);
    glDeleteShader(shader);
    return 0;
  }
  GLuint program = glCreateProgram();
  glAttachShader(program, shader);
  glLinkProgram(program);
  glDeleteShader(shader);  // freed with the program
  glGetProgramiv(program, GL_LINK_STATUS, &ok);
  if (!ok) {
    glDeleteProgram(program);
    return 0;
  }
  for (GLint unit = 0; unit < static_cast<GLint>(StagePrograms::Stages); ++unit) {
    const std::string name = "stage" + std::to_string(unit);
    GLint at = glGetUniformLocation(program, name.c_str());
    if (at >= 0) glProgramUniform1i(program, at, unit);
  }
  return program;
}

bool ReadsSpecular(uint32_t op, uint32_t arg1, uint32_t arg2, uint32_t arg0) {
  auto specular = [](uint32_t a) { return (a & D3DTA_SELECTMASK) == D3DTA_SPECULAR; };
  if (op == D3DTOP_DISABLE) return false;
  if (specular(arg1) && op != D3DTOP_SELECTARG2) return true;
  if (specular(arg2) && op != D3DTOP_SELECTARG1) return true;
  return op == D3DTOP_LERP && specular(arg0);
}

// The stages as GLSL: fixed-function inputs, one block per stage, each result saturated.
std::string Source(const StagePrograms::StageStates* stages, unsigned active, bool addSpecular) {
  constexpr unsigned Stages = StagePrograms::Stages;
  std::string s = "#version 120\n";
  for (unsigned i = 0; i < active && i < Stages; ++i) s += "uniform sampler2D stage" + std::to_string(i) + ";\n";
  s += "void main() {\n"
       "  vec4 diffuse = gl_Color, specular = gl_SecondaryColor, current = diffuse, texel, factor;\n"
       "  vec3 rgb;\n"
       "  float alpha;\n";
  for (unsigned i = 0; i < active && i < Stages; ++i) {
    const uint32_t* t = stages[i];
    const std::string n = std::to_string(i);
    s += "  texel = texture2DProj(stage" + n + ", gl_TexCoord[" + n + "]);\n";
    s += "  factor = gl_TextureEnvColor[" + n + "];\n";
    if (t[D3DTSS_COLOROP] == D3DTOP_DOTPRODUCT3) {
      // The dot product fills all four channels.
      s += "  alpha = 4.0 * dot(" + Arg(t[D3DTSS_COLORARG1], i, false) + " - 0.5, " +
           Arg(t[D3DTSS_COLORARG2], i, false) + " - 0.5);\n";
      s += "  current = clamp(vec4(alpha), 0.0, 1.0);\n";
      continue;
    }
    s += "  rgb = " +
         Operation(t[D3DTSS_COLOROP], Arg(t[D3DTSS_COLORARG1], i, false), Arg(t[D3DTSS_COLORARG2], i, false),
                   Arg(t[D3DTSS_COLORARG0], i, false)) +
         ";\n";
    // A disabled alpha operation under a live colour stage passes the alpha on.
    const uint32_t alphaOp = t[D3DTSS_ALPHAOP];
    s += "  alpha = " +
         (alphaOp == D3DTOP_DISABLE || alphaOp == D3DTOP_DOTPRODUCT3
              ? std::string("current.a")
              : Operation(alphaOp, Arg(t[D3DTSS_ALPHAARG1], i, true), Arg(t[D3DTSS_ALPHAARG2], i, true),
                          Arg(t[D3DTSS_ALPHAARG0], i, true))) +
         ";\n";
    s += "  current = clamp(vec4(rgb, alpha), 0.0, 1.0);\n";
  }
  // Direct3D adds the specular colour after the stages when asked.
  if (addSpecular) s += "  current.rgb = min(current.rgb + specular.rgb, 1.0);\n";
  s += "  gl_FragColor = current;\n}\n";
  return s;
}

}  // namespace

bool StagePrograms::Needed(const StageStates* stages, unsigned active, bool modulateAdd) {
  for (unsigned s = 0; s < active && s < Stages; ++s) {
    const uint32_t* t = stages[s];
    if (ReadsSpecular(t[D3DTSS_COLOROP], t[D3DTSS_COLORARG1], t[D3DTSS_COLORARG2], t[D3DTSS_COLORARG0]) ||
        ReadsSpecular(t[D3DTSS_ALPHAOP], t[D3DTSS_ALPHAARG1], t[D3DTSS_ALPHAARG2], t[D3DTSS_ALPHAARG0]))
      return true;
    if (!modulateAdd)
      for (uint32_t op : {t[D3DTSS_COLOROP], t[D3DTSS_ALPHAOP]})
        if (op == D3DTOP_ADDSMOOTH || op == D3DTOP_BLENDTEXTUREALPHAPM) return true;
  }
  return false;
}

unsigned StagePrograms::For(const StageStates* stages, unsigned active, bool addSpecular) {
  Key key{};
  for (unsigned i = 0; i < active && i < Stages; ++i) {
    const uint32_t* t = stages[i];
    const uint32_t parts[8] = {t[D3DTSS_COLOROP],   t[D3DTSS_COLORARG1], t[D3DTSS_COLORARG2], t[D3DTSS_COLORARG0],
                               t[D3DTSS_ALPHAOP],   t[D3DTSS_ALPHAARG1], t[D3DTSS_ALPHAARG2], t[D3DTSS_ALPHAARG0]};
    for (unsigned k = 0; k < 8; ++k) key[i * 8 + k] = parts[k];
  }
  key[Stages * 8] = active;
  key[Stages * 8 + 1] = addSpecular;
  auto it = programs_.find(key);
  if (it != programs_.end()) return it->second;
  const unsigned program = Compile(Source(stages, active, addSpecular));
  programs_.emplace(key, program);  // a failure is remembered too, and not retried
  return program;
}

void StagePrograms::Clear() {
  for (auto& [key, program] : programs_)
    if (program) glDeleteProgram(program);
  programs_.clear();
}

}  // namespace D3D8Impl
