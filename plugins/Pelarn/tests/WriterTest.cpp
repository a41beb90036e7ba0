// The MQO writer: the exact bytes, posed positions, and failures that write
// nothing over a good file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <cstring>

#include "PelarnFixture.h"
#include "ferrox/testing/ReadWhole.h"
#include "plugins/Pelarn/MqoParser.h"
#include "vocore/geometry/VoIPolygon.h"
#include "vocore/scene/VoIMaterial.h"
#include "vocore/scene/VoITexture.h"
#include "vocore/skeleton/VoICoordinate.h"

namespace pelarntest {
namespace {

using MqoWriter = PelarnFixture;

void Fill(VoIPolygon* p, std::initializer_list<Frx::Pvector> points) {
  auto* v = new VoVertex;
  v->Alloc(int(points.size()));
  int i = 0;
  for (const Frx::Pvector& point : points) v->Set(i++, point);
  p->AttachVertex(v);
}

VoFaceElement& AddFace(VoFace* f, std::initializer_list<uint32_t> corners, VoIMaterial* m) {
  f->resize(f->count + 1);
  VoFaceElement& e = f->array[f->count - 1];
  e.SetCount(int(corners.size()));
  int k = 0;
  for (uint32_t c : corners) e.index[k] = c, e.uv[k][0] = 0.5f * float(k), e.uv[k][1] = 0.25f, ++k;
  e.material = m;
  return e;
}

std::string Floats(std::initializer_list<float> values) {
  std::string bytes;
  for (float v : values) bytes.append(reinterpret_cast<const char*>(&v), 4);  // the host is little-endian
  return bytes;
}

TEST_F(MqoWriter, WritesTheLinesItCanAndLeavesOutTheRest) {
  VoICharacter* c = Make<VoICharacter>(nullptr, "c");
  VoIMaterial* red = Make<VoIMaterial>(c, "red");
  red->r = 1, red->g = 0.5f, red->b = 0.25f, red->a = 1, red->dif = 0.8f, red->amb = 0.6f, red->power = 5;
  red->texture = Make<VoITexture>(c, "t.bmp");
  Make<VoIMaterial>(c, "blue")->b = 1;
  VoIMaterial* elsewhere = Make<VoIMaterial>(Make<VoICharacter>(nullptr, "other"), "elsewhere");

  VoIPolygon* mesh = Make<VoIPolygon>(c, "mesh");
  Fill(mesh, {{0, 0, 0}, {1, 2, 3}, {-1.5f, 0.25f, 8}, {4, 5, 6}});
  auto* f = new VoFace;
  AddFace(f, {0, 1}, red);                  // a line: never M or UV
  AddFace(f, {0, 1, 2}, nullptr);           // no material: no M or UV
  AddFace(f, {2, 1, 0}, red);
  AddFace(f, {0, 1, 2, 3}, elsewhere);      // a material not written: M(-1)
  AddFace(f, {0, 1, 2}, red).SetCount(0);   // deleted
  AddFace(f, {0, 9, 2}, red);               // a corner beyond the vertices
  mesh->AttachFace(f);
  VoIPolygon* hidden = Make<VoIPolygon>(c, "hidden");
  Fill(hidden, {{0, 0, 0}});
  hidden->AttachFace(new VoFace);
  hidden->SwHide(1);
  Fill(Make<VoIPolygon>(c, "no faces"), {{0, 0, 0}});

  const std::string path = Scratch("out.mqo");
  ASSERT_EQ(master.Export(path.c_str(), c, 0), 1);
  const std::string expected =
      "Metasequoia Document\nFormat Text Ver 1.0\n\nMaterial 2 {\n"
      "\t\"red\" col(1.000 0.500 0.250 1.000) dif(0.800) amb(0.600) emi(0.000) spc(0.000) power(5.00) tex(\"t.bmp\")\n"
      "\t\"blue\" col(0.000 0.000 1.000 0.000) dif(0.000) amb(0.000) emi(0.000) spc(0.000) power(0.00)\n}\n"
      "Object \"mesh\" {\n\tvisible 15\n\tlocking 0\n\tshading 1\n\tfacet 59.5\n\tcolor 0.898 0.498 0.698\n"
      "\tBVertex 4 {\n\t\tVector 4 [48]\n" +
      Floats({0, 0, 0, 1, 2, 3, -1.5f, 0.25f, 8, 4, 5, 6}) +
      "\n}\n\tface 4 {\n\t\t2 V(0 1)\n\t\t3 V(0 1 2)\n"
      "\t\t3 V(2 1 0) M(0) UV(0.00000 0.25000 0.50000 0.25000 1.00000 0.25000)\n"
      "\t\t4 V(0 1 2 3) M(-1) UV(0.00000 0.25000 0.50000 0.25000 1.00000 0.25000 1.50000 0.25000)\n"
      "\t}\n}\nEof\n";
  EXPECT_EQ(FrxTest::ReadWhole(path), expected);

  // Placed by its coordinate: written where it stands in the world.
  VoICoordinate* place = Make<VoICoordinate>(c, "place");
  place->SetWPos(Frx::Pvector(10, 0, -1));
  mesh->SetCoordinate(place);
  std::list<VoRefer<VoIItem>> items{mesh};
  ASSERT_EQ(master.Export(path.c_str(), items, 0), 1);
  const std::string text = FrxTest::ReadWhole(path);
  Mqo::Document doc;
  std::string error;
  ASSERT_EQ(Mqo::ParseMqoDocument(text.c_str(), text.size(), 1.0f, doc, error), 1) << error;
  ASSERT_EQ(doc.objects.size(), 1u);
  ASSERT_EQ(doc.objects[0].vertices.size(), 4u);
  EXPECT_FLOAT_EQ(doc.objects[0].vertices[1].x, 11.0f);
  EXPECT_FLOAT_EQ(doc.objects[0].vertices[1].z, 2.0f);
  EXPECT_TRUE(doc.materials.empty());
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});
}

TEST_F(MqoWriter, FailuresAreReportedAndLeaveTheTargetAlone) {
  VoICharacter* c = Make<VoICharacter>(nullptr, "c");
  Make<VoIMaterial>(c, "only a material");
  const std::string path = Scratch("good.mqo");
  scratch.Put("good.mqo", "good");
  ASSERT_EQ(master.Export(path.c_str(), c, 0), 0);
  ASSERT_EQ(boxes.Count(), 1);
  EXPECT_EQ(boxes.Texts()[0], "エクスポートでるアイテムがありません。\n");

  VoIPolygon* mesh = Make<VoIPolygon>(c, "mesh");
  Fill(mesh, {{1, 2, 3}});
  mesh->AttachFace(new VoFace);
  const std::string nowhere = Scratch("no/such/folder.mqo");
  EXPECT_EQ(master.Export(nowhere.c_str(), c, 0), 0);
  ASSERT_EQ(boxes.Count(), 2);
  EXPECT_EQ(boxes.Texts()[1], "ファイルがオープンできませんでした。\nファイル名:" + nowhere);

  // A write that fails half way (the file size limit) leaves the old file.
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  rlimit small = old;
  small.rlim_cur = 64;
  auto previous = signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const int written = master.Export(path.c_str(), c, 0);
  setrlimit(RLIMIT_FSIZE, &old);
  signal(SIGXFSZ, previous);
  EXPECT_EQ(written, 0);
  ASSERT_EQ(boxes.Count(), 3);
  EXPECT_EQ(boxes.Texts()[2], "ファイルに書き込めませんでした。\nファイル名:" + path);
  EXPECT_EQ(FrxTest::ReadWhole(path), "good");
  EXPECT_EQ(scratch.Count(), 1u) << "no temporary file is left behind";
}

}  // namespace
}  // namespace pelarntest
