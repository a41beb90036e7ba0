#include "plugins/Quovin/KvmReader.h"

#include <cstdarg>
#include <cstring>

#include "ferrox/string/Pstring.h"
#include "ferrox/string/Sjis.h"
#include "ferrox/text/Pscanf.h"
#include "ferrox/text/TextFormat.h"

namespace Kvm {

int FindCurveKind(const char* name) {
  static const char* const kinds[] = {"linear", "spline", "spline2"};
  for (int i = 0; i < 3; ++i)
    if (name && std::strcmp(name, kinds[i]) == 0) return i;
  return 0;
}

namespace {

// Text values of the format hold at most 255 bytes.
constexpr int kValueSize = 256;

// The control blocks a motion holds, in the order they are tried. The older
// Trans and Rotate blocks make a Vector and a Quaternion control.
enum class Layout { CURRENT, TRANS, ROTATE };
struct ControlBlock {
  const char* opener;
  ControlKind kind;
  Layout layout;
};
const ControlBlock kControlBlocks[] = {
    {" Trans {", ControlKind::VECTOR, Layout::TRANS},
    {" Rotate {", ControlKind::QUATERNION, Layout::ROTATE},
    {" Vector {", ControlKind::VECTOR, Layout::CURRENT},
    {" Quaternion {", ControlKind::QUATERNION, Layout::CURRENT},
    {" String {", ControlKind::STRING, Layout::CURRENT},
    {" Refer {", ControlKind::REFER, Layout::CURRENT},
    {" Time {", ControlKind::TIME, Layout::CURRENT},
};

// A value of at most 255 bytes, cut between characters, so that a name made
// from a read value reads back as it was written.
std::string CutValue(std::string text) {
  size_t keep = 0;
  while (keep < text.size()) {
    const size_t n = size_t(Frx::Sjis::CharLength(reinterpret_cast<const unsigned char*>(text.c_str()) + keep));
    if (keep + n > size_t(kValueSize - 1)) break;
    keep += n;
  }
  text.resize(keep);
  return text;
}

bool HasCurve(ControlKind kind) { return kind == ControlKind::VECTOR || kind == ControlKind::QUATERNION; }

class Reader {
 public:
  Reader(const char* text, size_t size, Document& doc) : p_(text), end_(text + size), doc_(doc) {}

  ReadResult Run();
  const std::string& Error() const { return error_; }

 private:
  bool Fail(int line);
  // Pscanf at the cursor; a match that would not move the cursor counts as
  // none, so no loop can stand still.
  bool Match(const char* pattern, ...);
  bool ReadMotion(Motion& motion, int depth);
  bool ReadControl(Control& control, Layout layout);
  bool ReadHeadLine(Control& control, char (&className)[kValueSize]);
  bool ReadLegacyLine(Control& control, Layout layout);
  bool ReadKey(Control& control);
  // When the cursor is at the opening of a block ("Word {"), the cursor goes
  // past that block and the result is true. False otherwise, or (error_ set)
  // when the text ends inside the block.
  bool SkipUnknownBlock();
  // Past the end of the block the cursor is in; false for a cut text.
  bool LeaveBlock(int line);

  const char* p_;
  const char* end_;
  Document& doc_;
  std::string error_;
};

bool Reader::Fail(int line) {
  Frx::Pstring text;
  text.Format("インポート中にエラーが発生しました。\nエラーが発生した場所(%s:%d)\n", __FILE_NAME__, line);
  error_ = text.Std();
  return false;
}

bool Reader::Match(const char* pattern, ...) {
  const char* before = p_;
  va_list args;
  va_start(args, pattern);
  const bool matched = Frx::Pscanf(p_, pattern, args) != nullptr;
  va_end(args);
  return matched && p_ != before;
}

bool Reader::LeaveBlock(int line) {
  const char* after = Frx::TextFormat::ExitSection(p_, 1, end_);
  if (!after) return Fail(line);
  p_ = after;
  return true;
}

bool Reader::SkipUnknownBlock() {
  const char* q = p_;
  while (*q >= 1 && *q <= 32) ++q;
  // A block opens with a word and "{", as every block of the format does.
  const char* word = q;
  while ((*q >= 'a' && *q <= 'z') || (*q >= 'A' && *q <= 'Z') || (*q >= '0' && *q <= '9') || *q == '_') ++q;
  if (q == word) return false;
  while (*q == ' ' || *q == '\t') ++q;
  if (*q != '{') return false;
  p_ = q + 1;
  return LeaveBlock(__LINE__);
}

ReadResult Reader::Run() {
  if (!Match("Savora Motion Ver %d", &doc_.version)) return ReadResult::REFUSED;
  for (;;) {
    if (Match(" Motion {")) {
      doc_.motions.emplace_back();
      if (!ReadMotion(doc_.motions.back(), 0)) return ReadResult::BROKEN;
      continue;
    }
    // The end mark counts only after a motion.
    if (!doc_.motions.empty() && Match(" Eof")) return ReadResult::DONE;
    if (SkipUnknownBlock()) continue;
    if (error_.empty()) Fail(__LINE__);
    return ReadResult::BROKEN;
  }
}

bool Reader::ReadMotion(Motion& motion, int depth) {
  char value[kValueSize] = "";
  for (;;) {
    int number = 0;
    if (Match(" name = \"%s\"", value, kValueSize)) {
      motion.name = value;
      continue;
    }
    if (Match(" endframe = %d", &number)) {
      motion.endframe = number;
      continue;
    }
    if (Match(" loop = %d", &number)) {
      motion.loop = number;
      continue;
    }
    const ControlBlock* block = nullptr;
    for (const ControlBlock& b : kControlBlocks)
      if (Match(b.opener)) {
        block = &b;
        break;
      }
    if (block) {
      // The control stays in the motion even when its block breaks off.
      motion.children.emplace_back();
      Control& control = motion.children.back().control;
      control.kind = block->kind;
      if (!ReadControl(control, block->layout)) return false;
      continue;
    }
    if (Match(" Motion {")) {
      if (depth + 1 > MaxMotionDepth) {
        if (!LeaveBlock(__LINE__)) return false;
        continue;
      }
      motion.children.emplace_back();
      Child& child = motion.children.back();
      child.motion = std::make_unique<Motion>();
      if (!ReadMotion(*child.motion, depth + 1)) return false;
      continue;
    }
    if (Match(" }")) return true;
    if (SkipUnknownBlock()) continue;
    return error_.empty() ? Fail(__LINE__) : false;
  }
}

// Lines of a control block until its "}". Text that is none of them ends the
// block there (the control keeps what it has); only a cut text fails.
bool Reader::ReadControl(Control& control, Layout layout) {
  char className[kValueSize] = "";
  bool ok = true;
  for (;;) {
    // Key lines start with a number, the other lines with a word: the order
    // of trying them changes nothing but the time taken.
    if (ReadKey(control)) continue;
    if (layout == Layout::CURRENT ? ReadHeadLine(control, className) : ReadLegacyLine(control, layout)) continue;
    if (Match(" }")) {
      // The older blocks name what they drive only once they are whole.
      if (layout == Layout::TRANS) control.bindings.push_back({"Locate", "pos"});
      if (layout == Layout::ROTATE) control.bindings.push_back({"Coordinate", "rot"});
      break;
    }
    if (SkipUnknownBlock()) continue;
    ok = error_.empty() && LeaveBlock(__LINE__);
    break;
  }
  SettleKeys(control.numbers);
  SettleKeys(control.texts);
  return ok;
}

bool Reader::ReadHeadLine(Control& control, char (&className)[kValueSize]) {
  char value[kValueSize];
  int number = 0;
  if (Match(" name = \"%s\"", value, kValueSize)) {
    control.name = value;
    return true;
  }
  if (Match(" class = \"%s\"", className, kValueSize)) return true;
  // A member line binds with the class read before it, if any.
  if (Match(" member = \"%s\"", value, kValueSize)) {
    control.bindings.push_back({className, value});
    return true;
  }
  if (control.kind != ControlKind::TIME && Match(" endframe = %d", &number)) {
    control.endframe = number;
    return true;
  }
  if (HasCurve(control.kind) && Match(" curve = \"%s\"", value, kValueSize)) {
    control.curve = FindCurveKind(value);
    return true;
  }
  return false;
}

bool Reader::ReadLegacyLine(Control& control, Layout layout) {
  char value[kValueSize];
  int number = 0;
  if (Match(" attach = \"%s\"", value, kValueSize)) {
    control.name = layout == Layout::TRANS ? CutValue(std::string("j_") + value) : std::string(value);
    return true;
  }
  if (Match(" endframe = %d", &number)) {
    control.endframe = number;
    return true;
  }
  return false;
}

bool Reader::ReadKey(Control& control) {
  int frame = 0;
  NumberKey key;
  switch (control.kind) {
    case ControlKind::VECTOR:
      if (!Match(" %d ( %f %f %f )", &frame, &key.v[0], &key.v[1], &key.v[2])) return false;
      break;
    case ControlKind::QUATERNION:
      if (!Match(" %d ( %f %f %f %f )", &frame, &key.v[0], &key.v[1], &key.v[2], &key.v[3])) return false;
      break;
    case ControlKind::TIME:
      if (!Match(" %d ( %f )", &frame, &key.v[0])) return false;
      break;
    case ControlKind::STRING:
    case ControlKind::REFER: {
      char text[kValueSize];
      if (!Match(" %d \"%s\"", &frame, text, kValueSize)) return false;
      control.texts.push_back({frame, text});
      return true;
    }
  }
  key.frame = frame;
  control.numbers.push_back(key);
  return true;
}

}  // namespace

ReadResult ReadKvmDocument(const char* text, size_t size, Document& doc, std::string& error) {
  if (!text) return ReadResult::REFUSED;
  Reader reader(text, size, doc);
  const ReadResult result = reader.Run();
  if (result == ReadResult::BROKEN) error = reader.Error();
  return result;
}

}  // namespace Kvm
