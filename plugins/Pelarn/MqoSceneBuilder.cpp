#include "plugins/Pelarn/MqoSceneBuilder.h"

#include <string>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/file/Path.h"
#include "ferrox/text/Pscanf.h"
#include "plugins/Pelarn/MqoParser.h"
#include "plugins/Pelarn/MqoRecordSteps.h"
#include "plugins/Pelarn/MqoTextures.h"
#include "vocore/geometry/VoFace.h"
#include "vocore/geometry/VoIPolygon.h"
#include "vocore/geometry/VoVertex.h"
#include "vocore/scene/VoIMaterial.h"
#include "vocore/scene/VoITexture.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/vocore/VoClassDescItem.h"
#include "vocore/vocore/VoMaster.h"

namespace Mqo {

namespace {

// The materials of the document, in its order: its faces' material numbers.
std::vector<VoIMaterial*> BuildMaterials(VoMaster& master, const Document& doc, const char* folder,
                                         VoIBranch* parent) {
  std::vector<VoIMaterial*> made;
  TextureFinder textures(master, folder, parent);
  for (const Material& m : doc.materials) {
    auto* material = master.NewItem<VoIMaterial>(parent);
    material->SetName(m.name.c_str());
    material->r = m.col[0], material->g = m.col[1], material->b = m.col[2], material->a = m.col[3];
    material->dif = m.dif, material->amb = m.amb, material->emi = m.emi, material->spc = m.spc;
    material->power = m.power;
    made.push_back(material);
    if (m.tex.empty()) continue;
    if (VoITexture* texture = textures.Find(m.tex)) material->texture = texture;
    const char* bump = m.bump.c_str();
    if (Frx::Pscanf(bump, "invedge%.")) material->edge = 1;
  }
  return made;
}

bool FaceFits(const Face& f, size_t vertices) {
  if (f.n < 2 || f.n > VoFaceElement::MaxCorners) return false;
  for (int k = 0; k < f.n; ++k)
    if (f.v[k] < 0 || size_t(f.v[k]) >= vertices) return false;
  return true;
}

VoIPolygon* BuildPolygon(VoMaster& master, const Object& object, const std::vector<VoIMaterial*>& materials,
                         VoIBranch* parent) {
  auto* polygon = master.NewItem<VoIPolygon>(parent);
  polygon->SetName(object.name.c_str());

  VoVertex* vertex = master.CreateVertex();
  const int numVertex = int(object.vertices.size());
  vertex->Alloc(numVertex);
  for (int i = 0; i < numVertex; ++i) vertex->positions.array[i] = object.vertices[size_t(i)];
  vertex->FlushLock(VoVertex::FIX_RIGID);

  // Faces whose corners are not all vertices of the object are dropped here.
  int kept = 0;
  for (const Face& f : object.faces) kept += FaceFits(f, object.vertices.size()) ? 1 : 0;
  VoFace* face = master.CreateFace();
  face->resize(kept);
  int at = 0;
  for (const Face& f : object.faces) {
    if (!FaceFits(f, object.vertices.size())) continue;
    VoFaceElement& e = face->array[at++];
    e.SetCount(f.n);
    for (int k = 0; k < f.n; ++k) e.index[k] = uint32_t(f.v[k]);
    if (f.n >= 3)
      for (int k = 0; k < f.n; ++k) e.uv[k][0] = f.uv[2 * k], e.uv[k][1] = f.uv[2 * k + 1];
    if (f.m >= 0 && size_t(f.m) < materials.size()) e.material = materials[size_t(f.m)];
  }
  polygon->AttachVertex(vertex);
  polygon->AttachFace(face);
  polygon->ValidateFaces();
  return polygon;
}

}  // namespace

void BuildItems(VoMaster& master, Document& doc, const char* textureFolder, VoIBranch* parent) {
  // Face material numbers count this file's materials only: a branch that
  // holds the materials of other files keeps them for their own faces.
  const std::vector<VoIMaterial*> materials = BuildMaterials(master, doc, textureFolder, parent);
  const std::vector<VoIBone*> bones = BuildSkeletonItems(master, doc, parent);

  // Each polygon is made in its place, which the depth check counted, and
  // no subtree is walked again to move it there.
  std::vector<VoIPolygon*> polygons(doc.objects.size(), nullptr);
  for (size_t i : PolygonsParentsFirst(doc)) {
    const Object& object = doc.objects[i];
    const int above = object.parent;
    VoIBranch* under =
        above >= 0 && size_t(above) < polygons.size() && polygons[size_t(above)] ? polygons[size_t(above)] : parent;
    polygons[i] = BuildPolygon(master, object, materials, under);
    if (object.coordinate >= 0 && size_t(object.coordinate) < bones.size())
      polygons[i]->SetCoordinate(bones[size_t(object.coordinate)]);
  }
  doc.Clear();

  if (Frx::theFerrox.debug) Frx::theFerrox.LogOut("エフェクタの生成\n");
  // Walked on a copy, so a construction that registers descriptors cannot
  // disturb the walk.
  const std::list<VoClassDescItem*> descs = master.GetItemDescList();
  for (VoClassDescItem* desc : descs) desc->ImportConstruction(parent, nullptr);
  if (Frx::theFerrox.debug) Frx::theFerrox.LogOut("MQO インポート：終了\n");
}

int BuildMqoScene(const char* path, VoIBranch* parent, const char* text, size_t size) {
  VoMaster* master = VoMaster::This();
  if (!master || !parent) return 0;
  const Frx::Pstring folder = Frx::Path::GetPath(Frx::Pstring(path ? path : ""));
  Document doc;
  std::string error;
  // Nothing is built that the engine's walks could not reach: the branch's
  // own depth counts.
  const int limit = VoIBranch::MaxDepth - master->ImportDepth(parent);
  if (!ParseMqoDocument(text, size, 1.0f, doc, error) || !RunRecordSteps(doc, limit, error)) {
    Frx::theFerrox.Error("%s\n", error.c_str());
    return 0;
  }
  LogSkipped(path, text, size, doc.skipped);
  BuildItems(*master, doc, folder, parent);
  return 1;
}

}  // namespace Mqo
