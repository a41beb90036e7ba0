// The motion file reader alone, with no master: what it refuses or fails on,
// and texts cut anywhere or nested too deep. What blocks become is in the
// golden folders testdata/kvm.
#include <gtest/gtest.h>

#include <string>

#include "plugins/Quovin/KvmReader.h"

namespace {

using Kvm::ReadResult;

const char kBroken[] = "インポート中にエラーが発生しました。\nエラーが発生した場所(KvmReader.cpp:";

ReadResult Read(const std::string& text, Kvm::Document& doc, std::string& error) {
  return Kvm::ReadKvmDocument(text.c_str(), text.size(), doc, error);
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
