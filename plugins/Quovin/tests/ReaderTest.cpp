// The motion file reader alone: what each block becomes in the document,
// what it skips, and what it refuses or fails on, with no master.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "plugins/Quovin/KvmReader.h"

namespace {

using Kvm::ReadResult;

const char kBroken[] = "インポート中にエラーが発生しました。\nエラーが発生した場所(KvmReader.cpp:";

std::string Num(float f) {
  char b[32];
  std::snprintf(b, sizeof b, "%g", double(f));
  return b;
}

// A compact picture of a motion: M"name" e<endframe> l<loop>{children}, a
// control as <class id>"name" [class.member]... e<endframe> c<curve> {keys}.
std::string Picture(const Kvm::Motion& m) {
  std::string s = "M\"" + m.name + "\" e" + std::to_string(m.endframe) + " l" + std::to_string(m.loop) + "{";
  for (const Kvm::Child& child : m.children) {
    if (&child != &m.children.front()) s += " ";
    if (child.motion) {
      s += Picture(*child.motion);
      continue;
    }
    const Kvm::Control& c = child.control;
    s += std::to_string(static_cast<unsigned long>(c.kind)) + "\"" + c.name + "\"";
    for (const Kvm::Binding& b : c.bindings) s += "[" + b.className + "." + b.member + "]";
    if (c.endframe) s += " e" + std::to_string(c.endframe);
    if (c.curve) s += " c" + std::to_string(c.curve);
    s += " {";
    for (const Kvm::NumberKey& k : c.numbers) {
      s += (&k == &c.numbers.front() ? "" : " ") + std::to_string(k.frame) + ":";
      const int n = c.kind == Kvm::ControlKind::VECTOR ? 3 : c.kind == Kvm::ControlKind::QUATERNION ? 4 : 1;
      for (int i = 0; i < n; ++i) s += (i ? "," : "") + Num(k.v[i]);
    }
    for (const Kvm::TextKey& k : c.texts)
      s += (&k == &c.texts.front() ? "" : " ") + std::to_string(k.frame) + ":\"" + k.text + "\"";
    s += "}";
  }
  return s + "}";
}

std::string Picture(const Kvm::Document& doc) {
  std::string s;
  for (const Kvm::Motion& m : doc.motions) s += (s.empty() ? "" : " ") + Picture(m);
  return s;
}

ReadResult Read(const std::string& text, Kvm::Document& doc, std::string& error) {
  return Kvm::ReadKvmDocument(text.c_str(), text.size(), doc, error);
}

TEST(KvmReader, BlocksBecomeRecords) {
  struct Case {
    const char* name;
    std::string motions;  // between the header and the end mark
    std::string picture;
  };
  const std::string big(300, 'x');
  const Case cases[] = {
      {"every control block",
       "Motion {\n\tname = \"walk\"\n\tendframe = 96\n\tloop = 1\n"
       "\tVector {\n\t\tname = \"j_hips\"\n\t\tclass = \"Locate\"\n\t\tmember = \"pos\"\n\t\tcurve = \"spline\"\n"
       "\t\t0 (1.5 -2 3)\n\t\t8 (0.25 0 -0.5)\n\t}\n"
       "\tQuaternion { name = \"arm\" class = \"Coordinate\" member = \"rot\" curve = \"spline2\" endframe = 9 "
       "4 (0 0.5 0 1) }\n"
       "\tString { name = \"s\" class = \"Note\" member = \"text\" endframe = 7 2 \"two words\" 0 \"\" }\n"
       "\tRefer { name = \"r\" 1 \"hand\" }\n"
       "\tTime { name = \"t\" 3 (0.5) }\n"
       "\tMotion { name = \"sub\" loop = 0 }\n}\n",
       "M\"walk\" e96 l1{99\"j_hips\"[Locate.pos] c1 {0:1.5,-2,3 8:0.25,0,-0.5} "
       "100\"arm\"[Coordinate.rot] e9 c2 {4:0,0.5,0,1} 101\"s\"[Note.text] e7 {0:\"\" 2:\"two words\"} "
       "102\"r\" {1:\"hand\"} 112\"t\" {3:0.5} M\"sub\" e0 l0{}}"},
      {"older blocks",
       "Motion { Trans { attach = \"arm\" endframe = 5 0 ( 1 2 3 ) } Rotate { attach = \"arm\" 2 ( 0 0 0 1 ) } }\n",
       "M\"\" e0 l0{99\"j_arm\"[Locate.pos] e5 {0:1,2,3} 100\"arm\"[Coordinate.rot] {2:0,0,0,1}}"},
      {"an older block that breaks off binds nothing",
       "Motion { Trans { attach = \"leg\" 0 (1 1 1) name = \"x\" } Rotate { attach = \"leg\" } }\n",
       "M\"\" e0 l0{99\"j_leg\" {0:1,1,1} 100\"leg\"[Coordinate.rot] {}}"},
      {"keys in any order, the last line of a frame wins",
       "Motion { Vector { 5 (5 5 5) 1 (1 1 1) 5 (6 6 6) 3 (3 3 3) 1 (2 2 2) } }\n",
       "M\"\" e0 l0{99\"\" {1:2,2,2 3:3,3,3 5:6,6,6}}"},
      {"curve names compare byte for byte",
       "Motion { Vector { curve = \"cubic\" } Vector { curve = \"SPLINE\" } Quaternion { curve = \"spline2\" } }\n",
       "M\"\" e0 l0{99\"\" {} 99\"\" {} 100\"\" c2 {}}"},
      {"a member line before the class line binds no class",
       "Motion { Vector { member = \"pos\" class = \"Locate\" } }\n", "M\"\" e0 l0{99\"\"[.pos] {}}"},
      {"blocks of other kinds are skipped at every level",
       "Info { a { b } }\nMotion { Extra {\n x = 1 { }\n}\n Vector { Curve2 {\n} 0 (1 2 3) }\n}\nMore {\n}\n",
       "M\"\" e0 l0{99\"\" {0:1,2,3}}"},
      {"text a control block does not know ends it, the motion goes on",
       "Motion { Time { endframe = 4 1 (2) } Vector { 1 (1 2 3 4) 2 (1 2 3) } name = \"after\" }\n",
       "M\"after\" e0 l0{112\"\" {} 99\"\" {}}"},
      {"two motions, nested ones, letters in any case",
       "motion { NAME = \"a\" MOTION { name = \"b\" Motion { name = \"c\" } } }\nMotion { name = \"d\" }\n",
       "M\"a\" e0 l0{M\"b\" e0 l0{M\"c\" e0 l0{}}} M\"d\" e0 l0{}"},
      {"text values keep 255 bytes, names made of them too",
       "Motion { name = \"" + big + "\" Trans { attach = \"" + big + "\" } }\n",
       "M\"" + big.substr(0, 255) + "\" e0 l0{99\"j_" + big.substr(0, 253) + "\"[Locate.pos] {}}"},
      {"Shift-JIS names pass through", "Motion { name = \"歩き\" Vector { name = \"腕\" } }\n",
       "M\"歩き\" e0 l0{99\"腕\" {}}"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Kvm::Document doc;
    std::string error;
    ASSERT_EQ(Read("Savora Motion Ver 2\r\n" + c.motions + "Eof\r\n", doc, error), ReadResult::DONE) << error;
    EXPECT_EQ(Picture(doc), c.picture);
    EXPECT_EQ(doc.version, 2);
  }
}

TEST(KvmReader, RefusesOtherTextsAndFailsOnBrokenMotions) {
  struct Case {
    const char* name;
    std::string text;
    ReadResult result;
  };
  const Case cases[] = {
      {"empty", "", ReadResult::REFUSED},
      {"no version", "Savora Motion\nMotion { }\nEof\n", ReadResult::REFUSED},
      {"header not at the start", "\nSavora Motion Ver 2\nMotion { }\nEof\n", ReadResult::REFUSED},
      {"no motion before the end mark", "Savora Motion Ver 2\nEof\n", ReadResult::BROKEN},
      {"no end mark", "Savora Motion Ver 2\nMotion { }\n", ReadResult::BROKEN},
      {"a line a motion does not know", "Savora Motion Ver 2\nMotion { speed = 3 }\nEof\n", ReadResult::BROKEN},
      {"a number that is none", "Savora Motion Ver 2\nMotion { endframe = x }\nEof\n", ReadResult::BROKEN},
      {"a motion cut short", "Savora Motion Ver 2\nMotion { name = \"a\"\n", ReadResult::BROKEN},
      {"a control cut short", "Savora Motion Ver 2\nMotion { Vector { 0 (1 2 3)\n", ReadResult::BROKEN},
      {"a key cut short", "Savora Motion Ver 2\nMotion { Vector { 0 (1 2", ReadResult::BROKEN},
      {"an unknown block cut short", "Savora Motion Ver 2\nMotion { Extra {\n", ReadResult::BROKEN},
      {"a zero byte ends the text", std::string("Savora Motion Ver 2\nMotion { }") + '\0' + "Eof\n", ReadResult::BROKEN},
      {"text between motions", "Savora Motion Ver 2\nMotion { }\nstray\nEof\n", ReadResult::BROKEN},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Kvm::Document doc;
    std::string error;
    EXPECT_EQ(Read(c.text, doc, error), c.result);
    if (c.result == ReadResult::BROKEN)
      EXPECT_EQ(error.rfind(kBroken, 0), 0u) << error;
    else
      EXPECT_TRUE(error.empty());
  }
}

TEST(KvmReader, CutTextsAndDeepNestsEndCleanly) {
  const std::string whole =
      "Savora Motion Ver 2\r\nMotion {\r\n\tname = \"m\"\r\n\tTrans {\r\n\t\tattach = \"a\"\r\n\t\t0 ( 1 2 3 )\r\n\t}\r\n"
      "\tString {\r\n\t\t1 \"x\"\r\n\t}\r\n\tMotion {\r\n\t\tQuaternion {\r\n\t\t\t0 (0 0 0 1)\r\n\t\t}\r\n\t}\r\n}\r\nEof\r\n";
  const size_t eof = whole.find("Eof");
  for (size_t n = 0; n <= whole.size(); ++n) {
    const std::string cut = whole.substr(0, n);
    Kvm::Document doc;
    std::string error;
    const ReadResult result = Read(cut, doc, error);
    const ReadResult expected = n < 20 ? ReadResult::REFUSED : n < eof + 3 ? ReadResult::BROKEN : ReadResult::DONE;
    ASSERT_EQ(result, expected) << "cut at " << n;
  }

  // Motions nested past the cap are skipped whole; an open nest of any
  // depth fails without going deeper than the cap.
  std::string nest;
  std::string closes;
  for (int i = 0; i < 100; ++i) nest += "Motion { name = \"" + std::to_string(i) + "\"\n", closes += "}\n";
  Kvm::Document doc;
  std::string error;
  ASSERT_EQ(Read("Savora Motion Ver 2\n" + nest + closes + "Eof\n", doc, error), ReadResult::DONE);
  int depth = 0;
  for (const Kvm::Motion* m = &doc.motions.at(0); m; ++depth)
    m = m->children.empty() ? nullptr : m->children.front().motion.get();
  EXPECT_EQ(depth, Kvm::MaxMotionDepth + 1);
  std::string open = "Savora Motion Ver 2\n";
  for (int i = 0; i < 200000; ++i) open += "Motion {\n";
  EXPECT_EQ(Read(open, doc, error), ReadResult::BROKEN);
}

}  // namespace
