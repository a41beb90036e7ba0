// The MQO reader on texts written for the case: what it keeps, what it skips
// and what it refuses, without a master.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "plugins/Pelarn/MqoParser.h"

namespace {

struct Parsed {
  int ok = 0;
  Mqo::Document doc;
  std::string error;
};

Parsed Parse(const std::string& text, float scale = 1.0f) {
  Parsed p;
  p.ok = Mqo::ParseMqoDocument(text.c_str(), text.size(), scale, p.doc, p.error);
  return p;
}

std::string WithCrLf(const std::string& text) {
  std::string out;
  for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return out;
}

std::string BVertexBlock(std::initializer_list<float> values, int stated, int bytes) {
  std::string block = "\tBVertex " + std::to_string(stated) + " {\n\t\tVector " + std::to_string(stated) + " [" +
                      std::to_string(bytes) + "]\n";
  for (float v : values) block.append(reinterpret_cast<const char*>(&v), 4);  // the host is little-endian
  return block + "\n}\n";
}

const char kSample[] =
    "metasequoia document\n"
    "format text ver 1.0\n\n"
    "Scene {\n\tpos 0 0 1500\n\tdirlights 1 {\n\t\tlight {\n\t\t}\n\t}\n}\n"
    "Thumbnail 2 2 24 rgb raw {\n\t00FF00\n}\n"
    "Material 4 {\n"
    "\t\"skin\" col(1.000 0.500 0.250 0.900) dif(0.800) amb(0.600) emi(0.100) spc(0.200) power(5.00) "
    "tex(\"skin.bmp\") bump(\"invedge.bmp\")\n"
    "\t\"bare\"\n"
    "\t\"late\" shader(3) vcol(1) col(0.1 0.2 0.3 0.4) reflect(0.188) proj_pos(0 \"a)\" 0) tex(\"late.tga\")\n"
    "\tcol(1 1 1 1)\n"
    "}\n"
    "MaterialEx2 1 {\n\tmaterial 0 {\n\t\tshadertype \"hlsl\"\n\t}\n}\n"
    "Object \"body\" {\n"
    "\tdepth 0\n\tfacet 59.5\n\tvertexattr {\n\t\tweit {\n\t\t\t0 0.5\n\t\t}\n\t}\n"
    "\tvertex 3 {\n\t\t0 0 0\n\t\t1.5 -2 3.25\n\t\t4 5 6\n\t}\n";

const char kSampleTail[] =
    "\tface 6 {\n"
    "\t\t3 V(0 1 2) M(0) UV(0 0 1 0 1 1) COL(1 2 3)\n"
    "\t\t5 V(0 1 2 3 4)\n"
    "\t\t2 V(0 4)\n"
    "\t\t3 V(2 1 0)\n"
    "\t\t4 V(0 1 2 3) M(1) UV(0 0.5 1 0.5 1 1 0 1)\n"
    "\t\t3 M(0)\n"
    "\t}\n"
    "}\n"
    "Eof\n";

TEST(MqoParser, KeepsWhatItKnowsAndSkipsTheRest) {
  const std::string text = std::string(kSample) + BVertexBlock({7, 8, 9}, 1, 12) + kSampleTail;
  for (const std::string& variant : {text, WithCrLf(text)}) {
    SCOPED_TRACE(variant.size());
    Parsed p = Parse(variant, 2.0f);
    ASSERT_EQ(p.ok, 1) << p.error;
    ASSERT_EQ(p.doc.materials.size(), 4u);
    const Mqo::Material& skin = p.doc.materials[0];
    EXPECT_EQ(skin.name, "skin");
    EXPECT_FLOAT_EQ(skin.col[1], 0.5f);
    EXPECT_FLOAT_EQ(skin.col[3], 0.9f);
    EXPECT_FLOAT_EQ(skin.power, 5.0f);
    EXPECT_EQ(skin.tex, "skin.bmp");
    EXPECT_EQ(skin.bump, "invedge.bmp");
    const Mqo::Material& bare = p.doc.materials[1];
    EXPECT_EQ(bare.name, "bare");
    EXPECT_EQ(bare.vcol, 0);
    EXPECT_TRUE(bare.tex.empty() && bare.aplane.empty() && bare.bump.empty());
    // Fields of later formats before tex do not hide it.
    EXPECT_EQ(p.doc.materials[2].vcol, 1);
    EXPECT_FLOAT_EQ(p.doc.materials[2].col[2], 0.3f);
    EXPECT_EQ(p.doc.materials[2].tex, "late.tga");
    EXPECT_TRUE(p.doc.materials[3].name.empty());

    ASSERT_EQ(p.doc.objects.size(), 1u);
    const Mqo::Object& body = p.doc.objects[0];
    EXPECT_EQ(body.name, "body");
    EXPECT_FLOAT_EQ(body.facet, 59.5f);
    // The vertex block, then the BVertex block, all scaled.
    ASSERT_EQ(body.vertices.size(), 4u);
    EXPECT_FLOAT_EQ(body.vertices[1].x, 3.0f);
    EXPECT_FLOAT_EQ(body.vertices[1].y, -4.0f);
    EXPECT_FLOAT_EQ(body.vertices[1].z, 6.5f);
    EXPECT_FLOAT_EQ(body.vertices[3].z, 18.0f);
    // The five-corner face, the face without corners and the line naming
    // vertex 4 of four are not stored, and are noted.
    ASSERT_EQ(body.faces.size(), 3u);
    EXPECT_EQ(body.faces[0].n, 3);
    EXPECT_EQ(body.faces[0].m, 0);
    EXPECT_FLOAT_EQ(body.faces[0].uv[2], 1.0f);
    EXPECT_EQ(body.faces[0].colCount, 3);
    EXPECT_EQ(body.faces[0].col[2], 3);
    EXPECT_EQ(body.faces[1].m, -1);
    EXPECT_EQ(body.faces[1].colCount, 0);
    EXPECT_EQ(body.faces[2].n, 4);
    EXPECT_EQ(body.faces[2].m, 1);
    EXPECT_FLOAT_EQ(body.faces[2].uv[7], 1.0f);
    EXPECT_EQ(p.doc.skipped.count[Mqo::Skipped::FACE], 2);
    EXPECT_EQ(p.doc.skipped.count[Mqo::Skipped::STRAY_FACE], 1);
  }
}

TEST(MqoParser, StatedCountsOnlyBoundTheBlocks) {
  const std::string text =
      "Metasequoia Document\nFormat Text Ver 1.0\n"
      "Material 2000000000 {\n\t\"only\"\n}\n"
      "Object \"o\" {\n\tvertex 2000000000 {\n\t\t1 2 3\n\t\t4 5 6\n\t}\n"
      "\tface 2000000000 {\n\t\t2 V(0 1)\n\t}\n"
      "\tvertex 1 {\n\t\t7 8 9\n\t\t10 11 12\n\t}\n"
      "\tvertex 2000000000 {\n\t\t\x82\xA0 1 2\n\t}\n}\nEof\n";
  Parsed p = Parse(text);
  ASSERT_EQ(p.ok, 1) << p.error;
  EXPECT_EQ(p.doc.materials.size(), 1u);
  ASSERT_EQ(p.doc.objects.size(), 1u);
  // A smaller count stops early and the rest of its block is skipped; a
  // line that is no vertex ends the block's vertices.
  EXPECT_EQ(p.doc.objects[0].vertices.size(), 3u);
  EXPECT_EQ(p.doc.objects[0].faces.size(), 1u);
  EXPECT_LT(p.doc.objects[0].vertices.capacity(), 1000u);
}

TEST(MqoParser, RefusesOtherTextsAndFailsOnBrokenStructure) {
  const std::string head = "Metasequoia Document\nFormat Text Ver 1.0\n";
  const std::string object = "Object \"o\" {\n";
  const std::string structure = Mqo::StructureError("", 0).substr(0, 20);
  struct Row {
    const char* what;
    std::string text;
    std::string message;  // the error text starts with it
  } rows[] = {
      {"newer version", "Metasequoia Document\r\nFormat Text Ver 1.1\r\n\r\nEof\r\n", Mqo::kRefusedMessage},
      {"no header", "Format Text Ver 1.0\nEof\n", Mqo::kRefusedMessage},
      {"empty", "", Mqo::kRefusedMessage},
      {"no end mark", head + "Material 0 {\n}\n", structure},
      {"cut in an object", head + object + "\tvertex 1 {\n\t\t1 2 3\n", structure},
      {"cut in a skipped block", head + "Scene {\n\tpos 1 2 3\n", structure},
      {"zero byte ends the text", head + std::string(1, '\0') + "Eof\n", structure},
      {"BVertex shorter than its vertices", head + object + BVertexBlock({1, 2, 3}, 1, 8) + "}\nEof\n", structure},
      {"BVertex past the text", head + object + "\tBVertex 1 {\n\t\tVector 1 [12]\n\x01\x02", structure},
      {"BVertex huge", head + object + "\tBVertex 1 {\n\t\tVector 300000000 [2147483647]\n}\n}\nEof\n", structure},
      {"negative BVertex", head + object + "\tBVertex 1 {\n\t\tVector -1 [0]\n\n}\n}\nEof\n", structure},
  };
  for (const Row& row : rows) {
    Parsed p = Parse(row.text);
    EXPECT_EQ(p.ok, 0) << row.what;
    EXPECT_EQ(p.error.compare(0, row.message.size(), row.message), 0) << row.what << ": " << p.error;
  }
  Mqo::Document doc;
  std::string error;
  EXPECT_EQ(Mqo::ParseMqoDocument(nullptr, 0, 1.0f, doc, error), 0);
  EXPECT_EQ(error, "pdata が NULL");
}

}  // namespace
