// Metasequoia files written by another program: refused as "Ver 1.1", and
// read as "Ver 1.0" with the counts they state, then written and read back
// with the very same positions.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <sstream>

#include "PelarnFixture.h"
#include "ferrox/testing/ReadWhole.h"
#include "plugins/Pelarn/MqoParser.h"
#include "plugins/Pelarn/MqoSceneBuilder.h"
#include "vocore/geometry/VoIPolygon.h"

namespace pelarntest {
namespace {

using MqoPublicFiles = PelarnFixture;

const std::string kDir = std::string(SAVORA_SHARED_TESTDATA_DIR) + "/mqo-public/";

std::vector<std::string> Files(const char* ext) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(kDir, error))
    if (entry.path().extension() == ext) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// What a file states, counted apart from the reader: per object the
// vertices its blocks announce and the face lines of 2 to 4 corners.
struct Stated {
  std::string name;
  size_t vertices = 0, faces = 0;
};
std::vector<Stated> StatedCounts(const std::string& text) {
  std::vector<Stated> objects;
  std::istringstream lines(text);
  std::string line;
  bool inFaces = false;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::string word, rest;
    words >> word;
    if (word == "Object") {
      objects.push_back({line.substr(line.find('"') + 1, line.rfind('"') - line.find('"') - 1)});
    } else if (!objects.empty() && (word == "vertex" || word == "BVertex")) {
      size_t n = 0;
      words >> n;
      objects.back().vertices += n;
    } else if (!objects.empty() && word == "face") {
      inFaces = true;
    } else if (inFaces && word == "}") {
      inFaces = false;
    } else if (inFaces) {
      const int corners = std::atoi(word.c_str());
      objects.back().faces += corners >= 2 && corners <= 4 ? 1 : 0;
    }
  }
  return objects;
}

TEST_F(MqoPublicFiles, RefusedAsTheyAre) {
  std::vector<std::string> files = Files(".mqo");
  if (files.empty()) GTEST_SKIP() << "no public files in " << kDir;
  EXPECT_EQ(files.size(), 16u);
  for (const std::string& name : Files(".mqoz")) files.push_back(name);
  VoICharacter* c = Make<VoICharacter>(nullptr, "c");
  for (const std::string& name : files) {
    const std::string text = FrxTest::ReadWhole(kDir + name);
    Mqo::Document doc;
    std::string error;
    EXPECT_EQ(Mqo::ParseMqoDocument(text.c_str(), text.size(), 1.0f, doc, error), 0) << name;
    EXPECT_EQ(error, Mqo::kRefusedMessage) << name;
    if (name.ends_with(".mqoz")) continue;
    boxes.Clear();
    EXPECT_EQ(master.Import((kDir + name).c_str(), c, 0), nullptr) << name;
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{std::string(Mqo::kRefusedMessage) + "\n"}) << name;
    EXPECT_EQ(c->GetChildCount(), 0) << name;
  }
}

TEST_F(MqoPublicFiles, ReadAsVersion10KeepTheirCountsAndSurviveAWrite) {
  const std::vector<std::string> files = Files(".mqo");
  if (files.empty()) GTEST_SKIP() << "no public files in " << kDir;
  for (const std::string& name : files) {
    SCOPED_TRACE(name);
    std::string text = FrxTest::ReadWhole(kDir + name);
    const size_t version = text.find("Format Text Ver 1.1");
    ASSERT_NE(version, std::string::npos);
    text[version + std::strlen("Format Text Ver 1.")] = '0';

    VoICharacter* first = Make<VoICharacter>(nullptr, "first");
    ASSERT_EQ(Mqo::BuildMqoScene((kDir + name).c_str(), first, text.c_str(), text.size()), 1);
    const std::vector<Stated> stated = StatedCounts(text);
    const std::vector<VoIItem*> polygons = Children(first, VoIPolygon::CLASS_ID);
    ASSERT_EQ(polygons.size(), stated.size());
    for (size_t i = 0; i < stated.size(); ++i) {
      VoIPolygon* p = polygons[i]->IsPolygon();
      EXPECT_EQ(p->name, stated[i].name);
      EXPECT_EQ(p->GetNumVertex(), stated[i].vertices);
      EXPECT_EQ(p->GetNumFace(), stated[i].faces);
    }
    if (polygons.empty()) continue;

    const std::string written = Scratch("written.mqo");
    ASSERT_EQ(master.Export(written.c_str(), first, 0), 1);
    VoICharacter* second = Make<VoICharacter>(nullptr, "second");
    ASSERT_EQ(master.Import(written.c_str(), second, 0), second);
    const std::vector<VoIItem*> again = Children(second, VoIPolygon::CLASS_ID);
    ASSERT_EQ(again.size(), polygons.size());
    for (size_t i = 0; i < again.size(); ++i) {
      const VoIPolygon* a = polygons[i]->IsPolygon();
      const VoIPolygon* b = again[i]->IsPolygon();
      ASSERT_EQ(a->GetNumVertex(), b->GetNumVertex());
      EXPECT_EQ(std::memcmp(a->GetVertex()->Get(), b->GetVertex()->Get(), a->GetNumVertex() * sizeof(Frx::Pvector)), 0)
          << "positions differ";
      ASSERT_EQ(a->GetNumFace(), b->GetNumFace());
      for (unsigned long f = 0; f < a->GetNumFace(); ++f) {
        const VoFaceElement& x = a->GetFace()->array[f];
        const VoFaceElement& y = b->GetFace()->array[f];
        EXPECT_EQ(x.GetCount(), y.GetCount());
        EXPECT_EQ(std::memcmp(x.index, y.index, sizeof x.index), 0);
        EXPECT_EQ(x.material.Get() ? x.material->name : "", y.material.Get() ? y.material->name : "");
      }
    }
  }
}

}  // namespace
}  // namespace pelarntest
