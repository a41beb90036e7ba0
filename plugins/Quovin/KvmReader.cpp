#include "plugins/Quovin/KvmReader.h"

#include <cstdarg>
#include <cstring>

#include "ferrox/string/Pstring.h"
#include "ferrox/string/Sjis.h"
#include "ferrox/text/Pscanf.h"
#include "ferrox/text/TextFormat.h"

namespace Kvm {

std::string ImportError(const char* file, int line) {
  Frx::Pstring text;
  text.Format("インポート中にエラーが発生しました。\nエラーが発生した場所(%s:%d)\n", file, line);
  return text.Std();
}

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
  const char* name;
  ControlKind kind;
  Layout layout;
};
const ControlBlock kControlBlocks[] = {
    {" Trans {", "Trans", ControlKind::VECTOR, Layout::TRANS},
    {" Rotate {", "Rotate", ControlKind::QUATERNION, Layout::ROTATE},
    {" Vector {", "Vector", ControlKind::VECTOR, Layout::CURRENT},
    {" Quaternion {", "Quaternion", ControlKind::QUATERNION, Layout::CURRENT},
    {" String {", "String", ControlKind::STRING, Layout::CURRENT},
    {" Refer {", "Refer", ControlKind::REFER, Layout::CURRENT},
    {" Time {", "Time", ControlKind::TIME, Layout::CURRENT},
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

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

bool IsBlank(char c) { return c >= 1 && c <= 32; }

bool HasCurve(ControlKind kind) { return kind == ControlKind::VECTOR || kind == ControlKind::QUATERNION; }

class Reader {
 public:
  Reader(const char* text, size_t size, Document& doc) : p_(text), end_(text + size), doc_(doc), lines_(text) {}

  ReadResult Run();
  const std::string& Error() const { return error_; }

 private:
  bool Fail(int line);
  // Pscanf at the cursor; a match that would not move the cursor counts as
  // none, so no loop can stand still.
  bool Match(const char* pattern, ...);
  bool ReadMotion(Motion& motion, int depth);
  bool ReadControl(Control& control, const ControlBlock& block, const Motion& motion);
  bool ReadHeadLine(Control& control, std::string& className);
  bool ReadLegacyLine(Control& control, Layout layout);
  bool ReadKey(Control& control);
  // When the cursor is at the opening of a block ("Word {"), the cursor goes
  // past that block, which is noted as skipped in `where`, and the result is
  // true. False otherwise, or (error_ set) when the text ends inside the block.
  bool SkipUnknownBlock(const std::string& where);
  // Notes what is skipped at the first token from `at`.
  void Note(const char* at, const std::string& what);
  // A text value read at `at`, cut to 255 bytes (noted when it is).
  std::string Value(const std::string& text, const char* at);
  // Past the end of the block the cursor is in; false for a cut text.
  bool LeaveBlock(int line);

  const char* p_;
  const char* end_;
  Document& doc_;
  std::string error_;
  TextLines lines_;
};

void Reader::Note(const char* at, const std::string& what) {
  while (at < end_ && IsBlank(*at)) ++at;
  doc_.skipped.Add(lines_.At(at), what);
}

std::string Reader::Value(const std::string& text, const char* at) {
  std::string value = CutValue(text);
  if (value.size() < text.size())
    Note(at, Quoted(LineSnippet(text.data(), text.data() + text.size())) + " の 255 バイトを超える部分");
  return value;
}

bool Reader::Fail(int line) {
  error_ = ImportError(__FILE_NAME__, line);
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

bool Reader::SkipUnknownBlock(const std::string& where) {
  const char* q = p_;
  while (IsBlank(*q)) ++q;
  // A block opens with a word and "{", as every block of the format does.
  const char* word = q;
  while ((*q >= 'a' && *q <= 'z') || (*q >= 'A' && *q <= 'Z') || (*q >= '0' && *q <= '9') || *q == '_') ++q;
  if (q == word) return false;
  const std::string name(word, q);
  while (*q == ' ' || *q == '\t') ++q;
  if (*q != '{') return false;
  Note(word, where + Quoted(name) + " ブロック");
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
    if (SkipUnknownBlock("")) continue;
    if (error_.empty()) Fail(__LINE__);
    return ReadResult::BROKEN;
  }
}

bool Reader::ReadMotion(Motion& motion, int depth) {
  Frx::Pstring value;
  for (;;) {
    int number = 0;
    const char* at = p_;
    if (Match(" name = \"%S\"", &value)) {
      motion.name = Value(value.Std(), at);
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
      if (!ReadControl(control, *block, motion)) return false;
      continue;
    }
    if (Match(" Motion {")) {
      if (depth + 1 > MaxMotionDepth) {
        Note(at, "モーション " + Quoted(motion.name) + " の中の " + std::to_string(MaxMotionDepth) +
                     " 段より深いモーション");
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
    if (SkipUnknownBlock("モーション " + Quoted(motion.name) + " の中の ")) continue;
    return error_.empty() ? Fail(__LINE__) : false;
  }
}

// Lines of a control block until its "}". Text that is none of them ends the
// block there (the control keeps what it has, the rest is noted as skipped);
// only a cut text fails.
bool Reader::ReadControl(Control& control, const ControlBlock& block, const Motion& motion) {
  const Layout layout = block.layout;
  std::string className;
  bool ok = true;
  auto where = [&] { return "モーション " + Quoted(motion.name) + " の " + block.name + " " + Quoted(control.name); };
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
    if (SkipUnknownBlock(where() + " の中の ")) continue;
    if (!error_.empty()) return false;
    const char* line = p_;
    while (line < end_ && IsBlank(*line)) ++line;
    Note(line, where() + " の " + Quoted(LineSnippet(line, end_)) + " から \"}\" まで");
    ok = LeaveBlock(__LINE__);
    break;
  }
  SettleKeys(control.numbers);
  SettleKeys(control.texts);
  return ok;
}

bool Reader::ReadHeadLine(Control& control, std::string& className) {
  Frx::Pstring value;
  int number = 0;
  const char* at = p_;
  if (Match(" name = \"%S\"", &value)) {
    control.name = Value(value.Std(), at);
    return true;
  }
  if (Match(" class = \"%S\"", &value)) {
    className = Value(value.Std(), at);
    return true;
  }
  // A member line binds with the class read before it, if any.
  if (Match(" member = \"%S\"", &value)) {
    control.bindings.push_back({className, Value(value.Std(), at)});
    return true;
  }
  if (control.kind != ControlKind::TIME && Match(" endframe = %d", &number)) {
    control.endframe = number;
    return true;
  }
  if (HasCurve(control.kind) && Match(" curve = \"%S\"", &value)) {
    control.curve = FindCurveKind(Value(value.Std(), at).c_str());
    return true;
  }
  return false;
}

bool Reader::ReadLegacyLine(Control& control, Layout layout) {
  Frx::Pstring value;
  int number = 0;
  const char* at = p_;
  if (Match(" attach = \"%S\"", &value)) {
    control.name = Value(layout == Layout::TRANS ? "j_" + value.Std() : value.Std(), at);
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
      Frx::Pstring text;
      const char* at = p_;
      if (!Match(" %d \"%S\"", &frame, &text)) return false;
      control.texts.push_back({frame, Value(text.Std(), at)});
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
