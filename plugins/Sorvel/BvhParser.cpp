#include "plugins/Sorvel/BvhParser.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdint>
#include <cstring>
#include <map>
#include <vector>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/string/Pstring.h"
#include "plugins/Sorvel/BvhRotation.h"

namespace Bvh {

std::string StructureError(const char* file, int line) {
  Frx::Pstring text;
  text.Format("インポート中にエラーが発生しました。\nエラーが発生した場所(%s:%d)\n", file, line);
  return text.Std();
}

namespace {

// Bytes 1 to 32 separate tokens; a zero byte ends the text before they are read.
bool IsBlank(char c) { return c >= 1 && c <= 32; }
bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c; }

class Parser {
 public:
  Parser(const char* text, const char* end, Document& doc)
      : begin_(text), p_(text), end_(end), doc_(doc), lines_(text) {}

  bool Run();
  const std::string& Error() const { return error_; }
  // The line of the token reading stopped before.
  int TextLine() const {
    const char* q = p_;
    while (q < end_ && IsBlank(*q)) ++q;
    return 1 + int(std::count(begin_, q, '\n'));
  }

 private:
  bool Fail(int line);
  // Fails with the text line of `at` as where reading stopped.
  bool FailAt(const char* at, int line) {
    p_ = at;
    return Fail(line);
  }
  void SkipBlank() {
    while (p_ < end_ && IsBlank(*p_)) ++p_;
  }
  bool AtTokenEnd(const char* q) const { return q >= end_ || IsBlank(*q); }
  bool Keyword(const char* words, bool wholeWord = true);
  bool Number(float& value);
  bool Integer(int& value);
  bool Name(std::string& name);
  bool Offset(Frx::Pvector& offset);
  bool ReadBvhHierarchy(int parent, int depth);
  bool ReadJoint(int parent, int depth);
  bool RefuseDepth(int depth);
  bool ReadChannels(Node& joint);
  bool ReadEndSite(int parent);
  bool ReadMotion();
  // One frame on one line; false with where and why it is refused.
  bool ReadFrame(const char*& refused, int& sourceLine);
  // The motion's values read across line ends from `values`; false unless
  // they number exactly frames times channels.
  bool ReadWrappedFrames(const char* values);
  void NoteUnread();

  const char* const begin_;
  const char* p_;
  const char* const end_;
  Document& doc_;
  std::string error_;
  TextLines lines_;
  std::map<std::string, int> jointLines_;  // name -> line of the last joint of that name
};

bool Parser::Fail(int line) {
  error_ = StructureError(__FILE_NAME__, line);
  Frx::theFerrox.Log("Error: %s(%d) Not BVH format\n", __FILE_NAME__, line);
  return false;
}

// Blanks in `words` match any run of blanks, letters match in either case.
// A whole word must be followed by a blank or the end; a keyword that a
// number follows ("Frames:") need not be.
bool Parser::Keyword(const char* words, bool wholeWord) {
  const char* q = p_;
  while (q < end_ && IsBlank(*q)) ++q;
  for (const char* w = words; *w; ++w) {
    if (*w == ' ') {
      while (q < end_ && IsBlank(*q)) ++q;
    } else if (q < end_ && Lower(*q) == Lower(*w)) {
      ++q;
    } else {
      return false;
    }
  }
  if (wholeWord && !AtTokenEnd(q)) return false;
  p_ = q;
  return true;
}

// A plain decimal: optional sign, digits with an optional "." and fraction,
// then a blank or the end. An exponent, a stray letter or a value beyond a
// float's range is no number, and the cursor stays.
bool Parser::Number(float& value) {
  const char* q = p_;
  while (q < end_ && IsBlank(*q)) ++q;
  const bool negative = q < end_ && *q == '-';
  if (q < end_ && (*q == '-' || *q == '+')) ++q;
  const char* digits = q;
  // Up to 19 digits gathered exactly; the fraction's length scales them.
  uint64_t mantissa = 0;
  int count = 0, fraction = 0;
  bool point = false;
  for (; q < end_; ++q) {
    if (IsDigit(*q)) {
      if (count < 19) mantissa = mantissa * 10 + uint64_t(*q - '0');
      count += count > 0 || *q != '0' ? 1 : 0;
      fraction += point ? 1 : 0;
    } else if (*q == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  const bool any = q - digits > (point ? 1 : 0);
  if (!any || !AtTokenEnd(q)) return false;
  float parsed = 0.0f;
  if (count <= 15 && fraction <= 22) {
    // Both exact in a double, so the quotient is the value correctly
    // rounded to a double (and then to a float).
    static constexpr double kPowers[23] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                           1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    parsed = float(double(mantissa) / kPowers[fraction]);
  } else {
    const auto result = std::from_chars(digits, q, parsed, std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range) {
      // Too small for a float reads as 0; too large is refused.
      if (count > fraction) return false;
      parsed = 0.0f;
    } else if (result.ec != std::errc() || result.ptr != q) {
      return false;
    }
  }
  value = negative ? -parsed : parsed;
  p_ = q;
  return true;
}

// A decimal integer; saturates at the limits of int.
bool Parser::Integer(int& value) {
  const char* q = p_;
  while (q < end_ && IsBlank(*q)) ++q;
  const bool negative = q < end_ && *q == '-';
  if (q < end_ && (*q == '-' || *q == '+')) ++q;
  long long n = 0;
  const char* digits = q;
  while (q < end_ && IsDigit(*q)) n = std::min<long long>(n * 10 + (*q++ - '0'), 1LL << 32);
  if (q == digits || !AtTokenEnd(q)) return false;
  n = negative ? -n : n;
  value = int(std::clamp<long long>(n, INT_MIN, INT_MAX));
  p_ = q;
  return true;
}

// The rest of the keyword's line without the blanks around it.
bool Parser::Name(std::string& name) {
  while (p_ < end_ && IsBlank(*p_) && !IsLineEnd(*p_)) ++p_;
  const char* start = p_;
  while (p_ < end_ && !IsLineEnd(*p_)) ++p_;
  const char* last = p_;
  while (last > start && IsBlank(last[-1])) --last;
  name.assign(start, last);
  return !name.empty();
}

bool Parser::Offset(Frx::Pvector& offset) {
  return Keyword("OFFSET", false) && Number(offset.x) && Number(offset.y) && Number(offset.z);
}

bool Parser::Run() {
  if (!Keyword("HIERARCHY")) return Fail(__LINE__);
  if (!ReadBvhHierarchy(-1, 0)) return false;
  if (doc_.nodes.empty()) return Fail(__LINE__);
  return ReadMotion();
}

// The joints and End Sites at one level, up to the first token that is
// neither (normally the parent's "}"), which stays for the caller.
bool Parser::ReadBvhHierarchy(int parent, int depth) {
  for (;;) {
    if (Keyword("ROOT") || Keyword("JOINT")) {
      if (!ReadJoint(parent, depth)) return false;
    } else if (parent >= 0 && Keyword("End Site")) {
      if (!ReadEndSite(parent)) return false;
    } else {
      return true;
    }
  }
}

bool Parser::ReadJoint(int parent, int depth) {
  if (depth >= kMaxDepth) return RefuseDepth(depth);
  Node joint;
  joint.parent = parent;
  const int line = lines_.At(p_);
  // A missing name is reported on its keyword's line.
  if (!Name(joint.name)) return FailAt(p_ - 1, __LINE__);
  if (!Keyword("{") || !Offset(joint.offset)) return Fail(__LINE__);
  if (!ReadChannels(joint)) return false;
  // Joints of one name share their controls: the later one's keys replace
  // the earlier one's.
  auto [seen, fresh] = jointLines_.try_emplace(joint.name, line);
  if (!fresh) {
    doc_.skipped.Add(line, std::to_string(seen->second) + " 行目の関節 \"" + joint.name +
                               "\" のキー (同じ名前の関節が後にあるため)");
    seen->second = line;
  }
  const int index = int(doc_.nodes.size());
  doc_.nodes.push_back(std::move(joint));
  if (!ReadBvhHierarchy(index, depth + 1)) return false;
  if (!Keyword("}")) return Fail(__LINE__);
  return true;
}

// A joint at `depth` (its keyword just read) lies deeper than the reader
// takes. The rest of the hierarchy is walked by its braces alone to log how
// deep the deepest joint lies; the refusal is the structure message.
bool Parser::RefuseDepth(int depth) {
  const char* at = p_;
  std::string name, deepest;
  Name(name);
  int level = depth, most = 0;
  bool joint = true;        // the next "{" opens a joint
  std::vector<bool> open;   // the blocks opened since: joints or End Sites
  for (SkipBlank(); p_ < end_ && !Keyword("MOTION"); SkipBlank()) {
    if (Keyword("ROOT") || Keyword("JOINT")) {
      joint = true;
      Name(name);
    } else if (Keyword("{")) {
      open.push_back(joint);
      if (joint && ++level > most) most = level, deepest = name;
      joint = false;
    } else if (Keyword("}")) {
      // A brace closing a block opened before the walk closes a joint.
      level -= open.empty() || open.back() ? 1 : 0;
      if (!open.empty()) open.pop_back();
    } else {
      while (p_ < end_ && !IsBlank(*p_)) ++p_;
    }
  }
  p_ = at;
  Frx::theFerrox.Log("　　関節 \"%s\" の階層が深すぎます (%d 段、上限 %d 段)。\n", deepest.c_str(), most, kMaxDepth);
  error_ = StructureError(__FILE_NAME__, __LINE__);
  return false;
}

// "CHANNELS n" and n channel names: the three rotations in any order, and the
// position group "Xposition Yposition Zposition" before, between or after
// them. Anything else, a channel named twice or a count that disagrees with
// the names is refused: reading on would shift every later value.
bool Parser::ReadChannels(Node& joint) {
  SkipBlank();
  const char* line = p_;
  int count = 0;
  if (!Keyword("CHANNELS", false) || !Integer(count) || count < 0 || count > 6) return Fail(__LINE__);
  int used = 0, rotations = 0;
  unsigned seen = 0;
  while (used < count) {
    const int at = doc_.channels + used;
    if (Keyword("Xposition Yposition Zposition")) {
      if (joint.position >= 0) return Fail(__LINE__);
      joint.position = at;
      used += 3;
      continue;
    }
    int axis = 0;
    if (Keyword("Xrotation"))
      axis = 1;
    else if (Keyword("Yrotation"))
      axis = 2;
    else if (Keyword("Zrotation"))
      axis = 3;
    if (axis == 0 || (seen & (1u << axis))) return Fail(__LINE__);
    seen |= 1u << axis;
    joint.order = uint16_t(joint.order | axis << (4 * rotations));
    joint.rotation[rotations++] = at;
    used += 1;
  }
  if (used != count || rotations != 3 || !FindRotationOrder(joint.order)) return FailAt(line, __LINE__);
  doc_.channels += count;
  return true;
}

bool Parser::ReadEndSite(int parent) {
  Node site;
  site.kind = Node::END_SITE;
  site.parent = parent;
  if (!Keyword("{") || !Offset(site.offset) || !Keyword("}")) return Fail(__LINE__);
  doc_.nodes.push_back(std::move(site));
  return true;
}

bool Parser::ReadMotion() {
  if (!Keyword("MOTION") || !Keyword("Frames:", false) || !Integer(doc_.frames)) return Fail(__LINE__);
  if (doc_.frames < 0) return FailAt(p_ - 1, __LINE__);
  if (!Keyword("Frame Time:", false) || !Number(doc_.frameTime)) return Fail(__LINE__);
  // The stated count only bounds the reading; what the text can hold (two
  // bytes a value at least) bounds the reservation.
  const size_t stated = size_t(doc_.frames) * size_t(doc_.channels);
  doc_.values.reserve(std::min(stated, size_t(end_ - p_) / 2));
  const char* values = p_;
  for (int i = 0; i < doc_.frames; ++i) {
    const char* refused = nullptr;
    int sourceLine = 0;
    if (ReadFrame(refused, sourceLine)) continue;
    // A frame whose values run on over the next lines is taken only when the
    // whole motion adds up; any other short or long line is refused.
    if (!ReadWrappedFrames(values)) return FailAt(refused, sourceLine);
    // A short line and a long one add up as well as wrapped lines do, and
    // then every value between them stands a channel off: say so.
    Frx::theFerrox.Log("　　%d 行目: フレームの行の値が %d 個ではありません。%d フレームの値を行をまたいで順に読みました。\n",
                       lines_.At(refused), doc_.channels, doc_.frames);
    break;
  }
  NoteUnread();
  return true;
}

// One frame: a line of exactly `channels` values (blank lines before it are
// passed over). A short or long line is not taken, never borrowed from.
bool Parser::ReadFrame(const char*& refused, int& sourceLine) {
  SkipBlank();
  const char* line = p_;
  refused = line;
  if (p_ >= end_) return sourceLine = __LINE__, false;
  for (int c = 0; c < doc_.channels; ++c) {
    while (p_ < end_ && IsBlank(*p_) && !IsLineEnd(*p_)) ++p_;
    float value = 0.0f;
    if (p_ >= end_ || IsLineEnd(*p_) || !Number(value)) return sourceLine = __LINE__, false;
    doc_.values.push_back(value);
  }
  while (p_ < end_ && IsBlank(*p_) && !IsLineEnd(*p_)) ++p_;
  if (p_ < end_ && !IsLineEnd(*p_)) return sourceLine = __LINE__, false;
  return true;
}

bool Parser::ReadWrappedFrames(const char* values) {
  const size_t wanted = size_t(doc_.frames) * size_t(doc_.channels);
  p_ = values;
  doc_.values.clear();
  float value = 0.0f;
  while (doc_.values.size() <= wanted && Number(value)) doc_.values.push_back(value);
  return doc_.values.size() == wanted;
}

// Text after the last frame is not read.
void Parser::NoteUnread() {
  SkipBlank();
  if (p_ >= end_) return;
  doc_.skipped.Add(lines_.At(p_), "Frames: " + std::to_string(doc_.frames) + " の後の \"" + LineSnippet(p_, end_) +
                                      "\" から終わりまで");
}

}  // namespace

int ParseBvhDocument(const char* text, size_t size, Document& doc, std::string& error, int* textLine) {
  if (!text) size = 0;
  const char* end = text ? static_cast<const char*>(std::memchr(text, 0, size)) : nullptr;
  if (!end) end = text + size;
  Parser parser(text, end, doc);
  if (parser.Run()) {
    // What follows a zero byte is not read.
    const char* rest = end;
    while (rest < text + size && (*rest == 0 || IsBlank(*rest))) ++rest;
    if (rest < text + size)
      doc.skipped.Add(1 + int(std::count(text, end, '\n')),
                      "0 のバイトから後の " + std::to_string(text + size - end) + " バイト");
    return 1;
  }
  error = parser.Error();
  if (textLine) *textLine = parser.TextLine();
  return 0;
}

}  // namespace Bvh
