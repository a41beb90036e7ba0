#include "plugins/Pelarn/MqoParser.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "ferrox/string/Pstring.h"
#include "ferrox/string/Sjis.h"
#include "ferrox/text/Pscanf.h"
#include "ferrox/text/TextFormat.h"

namespace Mqo {

const char* const kRefusedMessage = "対応している MQO 形式ではありません。";

std::string StructureError(const char* file, int line) {
  Frx::Pstring text;
  text.Format("インポート中にエラーが発生しました。\nエラーが発生した場所(%s:%d)\n", file, line);
  return text.Std();
}

namespace {

using Frx::Pscanf;

// Shortest lines of a vertex and a face block ("0 0 0\n", "2 V(0 1)\n"):
// what the rest of the text can hold bounds what a block reserves.
constexpr size_t kMinVertexLine = 6;
constexpr size_t kMinFaceLine = 9;

float LittleEndianFloat(const unsigned char* b) {
  const uint32_t bits = uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

class Parser {
 public:
  Parser(const char* text, size_t size, float scale, Document& doc)
      : begin_(text), p_(text), end_(text + size), scale_(scale), doc_(doc) {}

  bool Run();
  const std::string& Error() const { return error_; }

 private:
  bool Fail(int line) {
    error_ = StructureError(__FILE_NAME__, line);
    return false;
  }
  bool AtEnd() const { return p_ >= end_ || *p_ == '\0'; }
  // A skip of the text [at, to): the lines that hold any of it.
  void Note(Skipped::Kind kind, const char* at, const char* to) {
    while (to > at && to[-1] >= 1 && to[-1] <= 32) --to;
    const size_t lines = to > at ? 1 + size_t(std::count(at, to, '\n')) : 0;
    doc_.skipped.Note(kind, size_t(at - begin_), lines);
  }
  void NoteLine(Skipped::Kind kind, const char* at) { doc_.skipped.Note(kind, size_t(at - begin_), 1); }
  size_t Left() const { return p_ < end_ ? size_t(end_ - p_) : 0; }
  void SkipBlank() {
    while (p_ < end_ && *p_ >= 1 && *p_ <= 32) ++p_;
  }
  bool SkipLineOrBlock();
  bool CloseBlock(Skipped::Kind lines);
  bool SkipUnknownField();
  bool ReadMaterials(int count);
  void ReadMaterialFields(Material& m);
  bool ReadObject(Object& object);
  bool ReadVertices(Object& object, int count);
  bool ReadBVertex(Object& object);
  bool ReadFaces(Object& object, int count);
  bool ReadFaceFields(Face& f);
  void DropStrayFaces(Object& object, const char* at);

  const char* begin_;
  const char* p_;
  const char* end_;
  float scale_;
  Document& doc_;
  std::string error_;
};

bool Parser::Run() {
  if (!Pscanf(p_, " Metasequoia Document") || !Pscanf(p_, " Format Text Ver 1.0")) {
    error_ = kRefusedMessage;
    return false;
  }
  for (;;) {
    SkipBlank();
    if (AtEnd()) return Fail(__LINE__);  // no end mark: a cut file
    if (Pscanf(p_, " Eof")) return true;
    int count = 0;
    Frx::Pstring name;
    if (Pscanf(p_, " Material %d {", &count)) {
      if (!ReadMaterials(count)) return false;
    } else if (const char* at = p_; Pscanf(p_, " Object \"%S\" {", &name)) {
      Object object;
      object.name = name.Std();
      if (!ReadObject(object)) return false;
      DropStrayFaces(object, at);
      doc_.objects.push_back(std::move(object));
    } else {
      // A name with a tab or line break in it: the object is skipped whole.
      const char* q = p_;
      const bool unnamed = Pscanf(q, " Object") != nullptr;
      q = p_;
      if (!SkipLineOrBlock()) return Fail(__LINE__);
      if (unnamed) Note(Skipped::OBJECT, q, p_);
    }
  }
}

// A line that opens a block ("Scene {", "Thumbnail 128 128 24 rgb raw {",
// "vertexattr {") is skipped with its block, any other line by itself.
bool Parser::SkipLineOrBlock() {
  const auto* q = reinterpret_cast<const unsigned char*>(p_);
  const auto* stop = reinterpret_cast<const unsigned char*>(end_);
  while (q < stop && *q != '\0' && *q != '\n' && *q != '{') q += Frx::Sjis::CharLength(q, stop);
  if (q < stop && *q == '{') {
    const char* after = Frx::TextFormat::ExitSection(p_, 0, end_);
    if (!after) return false;
    p_ = after;
    return true;
  }
  p_ = Frx::TextFormat::NextParagraph(p_);
  return true;
}

// Leaves a block whose lines were read (or given up on) at its closing brace;
// lines left before it are noted as skipped, with how many there were.
bool Parser::CloseBlock(Skipped::Kind lines) {
  if (Pscanf(p_, " }")) return true;
  SkipBlank();
  const char* after = Frx::TextFormat::ExitSection(p_, 1, end_);
  if (!after) return Fail(__LINE__);
  Note(lines, p_, after - 1);  // up to the brace
  p_ = after;
  return true;
}

// A material field of a later format ("reflect(0.188)", "proj_pos(0 0 0)"):
// skipped on its line so the fields after it are still read.
bool Parser::SkipUnknownField() {
  const char* q = p_;
  while (*q == ' ' || *q == '\t') ++q;
  const char* word = q;
  while ((*q >= 'a' && *q <= 'z') || (*q >= 'A' && *q <= 'Z') || (*q >= '0' && *q <= '9') || *q == '_') ++q;
  if (q == word || *q != '(') return false;
  // '"' and ')' are never the second byte of a double-byte character.
  for (bool quoted = false; q < end_ && *q != '\0' && *q != '\n'; ++q) {
    if (*q == '"') quoted = !quoted;
    if (*q == ')' && !quoted) {
      p_ = q + 1;
      return true;
    }
  }
  return false;
}

bool Parser::ReadMaterials(int count) {
  for (int i = 0; i < count; ++i) {
    SkipBlank();
    if (AtEnd() || *p_ == '}') break;
    Material m;
    Frx::Pstring name;
    if (Pscanf(p_, " \"%S\"", &name)) m.name = name.Std();
    ReadMaterialFields(m);
    doc_.materials.push_back(std::move(m));
    p_ = Frx::TextFormat::NextParagraph(p_);
  }
  return CloseBlock(Skipped::MATERIAL);
}

// Fields in any order; the texture names too, so that a field of a later
// format before them does not hide them. A material is one line: the next
// line's fields are the next material's.
void Parser::ReadMaterialFields(Material& m) {
  Frx::Pstring text;
  int shader = 0;
  for (;;) {
    while (*p_ == ' ' || *p_ == '\t') ++p_;
    if (*p_ == '\r' || *p_ == '\n' || AtEnd()) return;
    if (Pscanf(p_, " col(%f %f %f %f)", &m.col[0], &m.col[1], &m.col[2], &m.col[3])) continue;
    if (Pscanf(p_, " shader(%d)", &shader)) continue;
    if (Pscanf(p_, " vcol(%d)", &m.vcol)) continue;
    if (Pscanf(p_, " dif( %f ) amb( %f ) emi( %f ) spc( %f ) power( %f )", &m.dif, &m.amb, &m.emi,
               &m.spc, &m.power))
      continue;
    if (Pscanf(p_, " tex(\"%S\")", &text)) {
      m.tex = text.Std();
      continue;
    }
    if (Pscanf(p_, " aplane(\"%S\")", &text)) {
      m.aplane = text.Std();
      continue;
    }
    if (Pscanf(p_, " bump(\"%S\")", &text)) {
      m.bump = text.Std();
      continue;
    }
    if (!SkipUnknownField()) return;
  }
}

bool Parser::ReadObject(Object& object) {
  for (;;) {
    SkipBlank();
    if (AtEnd()) return Fail(__LINE__);
    if (Pscanf(p_, " }")) return true;
    int count = 0;
    if (Pscanf(p_, " facet %f", &object.facet)) {
      p_ = Frx::TextFormat::NextParagraph(p_);
    } else if (Pscanf(p_, " vertex %d {", &count)) {
      if (!ReadVertices(object, count)) return false;
    } else if (Pscanf(p_, " BVertex %d {", &count)) {
      if (!ReadBVertex(object)) return false;
    } else if (Pscanf(p_, " face %d {", &count)) {
      if (!ReadFaces(object, count)) return false;
    } else if (!SkipLineOrBlock()) {
      return Fail(__LINE__);
    }
  }
}

bool Parser::ReadVertices(Object& object, int count) {
  p_ = Frx::TextFormat::NextParagraph(p_);
  if (count > 0) {
    const size_t room = Left() / kMinVertexLine;
    object.vertices.reserve(object.vertices.size() + std::min(size_t(count), room));
  }
  for (int i = 0; i < count; ++i) {
    Frx::Pvector v;
    // The scanner takes a byte of 0x80 and up for the end of a match, so a
    // match may leave the cursor where it was: that is no vertex either.
    SkipBlank();
    const char* before = p_;
    if (!Pscanf(p_, " %f %f %f", &v.x, &v.y, &v.z) || p_ == before) break;
    object.vertices.emplace_back(v.x * scale_, v.y * scale_, v.z * scale_);
  }
  return CloseBlock(Skipped::VERTEX);
}

// "Vector n [L]" and, from the next line on, L bytes of which the first
// n * 12 are little-endian float triples.
bool Parser::ReadBVertex(Object& object) {
  int n = 0, length = 0;
  if (!Pscanf(p_, " Vector %d [%d]", &n, &length)) return CloseBlock(Skipped::VERTEX);
  if (n < 0 || length < 0 || uint64_t(n) * 12 > uint64_t(length)) return Fail(__LINE__);
  const char* data = Frx::TextFormat::NextParagraph(p_);
  if (data > end_ || size_t(end_ - data) < size_t(length)) return Fail(__LINE__);
  const auto* bytes = reinterpret_cast<const unsigned char*>(data);
  object.vertices.reserve(object.vertices.size() + size_t(n));
  for (int i = 0; i < n; ++i, bytes += 12)
    object.vertices.emplace_back(LittleEndianFloat(bytes) * scale_, LittleEndianFloat(bytes + 4) * scale_,
                                 LittleEndianFloat(bytes + 8) * scale_);
  p_ = data + length;
  return CloseBlock(Skipped::VERTEX);
}

bool Parser::ReadFaces(Object& object, int count) {
  if (count > 0) {
    const size_t room = Left() / kMinFaceLine;
    object.faces.reserve(object.faces.size() + std::min(size_t(count), room));
  }
  for (int i = 0; i < count;) {
    SkipBlank();
    if (AtEnd() || *p_ == '}') break;
    Face f;
    const bool counted = Pscanf(p_, " %d", &f.n) != nullptr;
    if (counted) ++i;
    if (counted && ReadFaceFields(f))
      object.faces.push_back(f);
    else
      NoteLine(Skipped::FACE, p_);
    p_ = Frx::TextFormat::NextParagraph(p_);
  }
  return CloseBlock(Skipped::FACE);
}

// Faces whose corners are not all vertices of the object (vertex blocks may
// follow the face block) have nothing to stand for.
void Parser::DropStrayFaces(Object& object, const char* at) {
  const size_t vertices = object.vertices.size();
  const auto stray = [vertices](const Face& f) {
    for (int k = 0; k < f.n; ++k)
      if (f.v[k] < 0 || size_t(f.v[k]) >= vertices) return true;
    return false;
  };
  const auto kept = std::remove_if(object.faces.begin(), object.faces.end(), stray);
  for (auto it = kept; it != object.faces.end(); ++it) NoteLine(Skipped::STRAY_FACE, at);
  object.faces.erase(kept, object.faces.end());
}

// Fields by corner count, each optional but the corners: a face without
// them has nothing to stand for. Other corner counts are not stored.
bool Parser::ReadFaceFields(Face& f) {
  int* v = f.v;
  float* uv = f.uv;
  int* col = f.col;
  switch (f.n) {
    case 2:
      if (!Pscanf(p_, " V( %d %d )", &v[0], &v[1])) return false;
      Pscanf(p_, " M( %d )", &f.m);
      return true;
    case 3:
      if (!Pscanf(p_, " V( %d %d %d )", &v[0], &v[1], &v[2])) return false;
      Pscanf(p_, " M( %d )", &f.m);
      Pscanf(p_, " UV( %f %f %f %f %f %f )", &uv[0], &uv[1], &uv[2], &uv[3], &uv[4], &uv[5]);
      if (Pscanf(p_, " COL( %d %d %d )", &col[0], &col[1], &col[2])) f.colCount = 3;
      return true;
    case 4:
      if (!Pscanf(p_, " V( %d %d %d %d )", &v[0], &v[1], &v[2], &v[3])) return false;
      Pscanf(p_, " M( %d )", &f.m);
      Pscanf(p_, " UV( %f %f %f %f %f %f %f %f )", &uv[0], &uv[1], &uv[2], &uv[3], &uv[4], &uv[5],
             &uv[6], &uv[7]);
      if (Pscanf(p_, " COL( %d %d %d %d )", &col[0], &col[1], &col[2], &col[3])) f.colCount = 4;
      return true;
    default:
      return false;
  }
}

}  // namespace

int ParseMqoDocument(const char* text, size_t size, float scale, Document& doc, std::string& error) {
  if (!text) {
    error = "pdata が NULL";
    return 0;
  }
  Parser parser(text, size, scale, doc);
  if (parser.Run()) return 1;
  error = parser.Error();
  return 0;
}

}  // namespace Mqo
