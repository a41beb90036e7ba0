#include "plugins/Pelarn/MqoWriter.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <unordered_map>

#include "ferrox/file/TextFile.h"
#include "ferrox/string/FormatText.h"
#include "ferrox/math/Pmatrix.h"
#include "plugins/frame/PluginFrame.h"
#include "vocore/geometry/VoFace.h"
#include "vocore/geometry/VoIPolygon.h"
#include "vocore/geometry/VoVertex.h"
#include "vocore/scene/VoIMaterial.h"
#include "vocore/scene/VoITexture.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/vocore/VoMaster.h"

namespace Mqo {

namespace {

using ItemList = std::list<VoRefer<VoIItem>>;

using Frx::AppendFormat;

void AppendFloat(std::string& out, float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const char bytes[4] = {char(bits & 0xFF), char(bits >> 8 & 0xFF), char(bits >> 16 & 0xFF), char(bits >> 24)};
  out.append(bytes, 4);
}

// Materials in list order; their positions are the faces' M values.
std::unordered_map<VoIMaterial*, int> AppendMaterials(std::string& out, ItemList& materials) {
  std::unordered_map<VoIMaterial*, int> index;
  AppendFormat(out, "Material %d {\n", int(materials.size()));
  int at = 0;
  for (VoRefer<VoIItem>& ref : materials) {
    VoIMaterial* m = ref ? ref->IsMaterial() : nullptr;
    if (!m) continue;
    index.emplace(m, at++);
    AppendFormat(out,
           "\t\"%s\" col(%0.3f %0.3f %0.3f %0.3f) dif(%0.3f) amb(%0.3f) emi(%0.3f) spc(%0.3f) power(%0.2f)",
           m->GetName(), m->r, m->g, m->b, m->a, m->dif, m->amb, m->emi, m->spc, m->power);
    if (VoITexture* texture = m->texture) AppendFormat(out, " tex(\"%s\")", texture->GetName());
    out += "\n";
  }
  out += "}\n";
  return index;
}

// Positions in world space: the standard frame of the polygon's coordinate
// followed by its world matrix. The identity leaves them bit for bit.
void AppendVertices(std::string& out, VoIPolygon* polygon, const VoVertex* vertex) {
  VoICoordinate* coordinate = polygon->GetLocalCoordinate();
  const Frx::Pmatrix m = coordinate ? coordinate->GetMatrixS2W() : Frx::Pmatrix::id;
  const bool identity = std::memcmp(&m, &Frx::Pmatrix::id, sizeof m) == 0;
  const int n = vertex->GetNum();
  AppendFormat(out, "\tBVertex %d {\n\t\tVector %d [%d]\n", n, n, n * 12);
  out.reserve(out.size() + size_t(n) * 12 + 64);
  for (int i = 0; i < n; ++i) {
    const Frx::Pvector p = identity ? vertex->Get(i) : m * vertex->Get(i);
    AppendFloat(out, p.x);
    AppendFloat(out, p.y);
    AppendFloat(out, p.z);
  }
  out += "\n}\n";
}

void AppendFaces(std::string& out, const VoFace* face, int numVertex,
                 const std::unordered_map<VoIMaterial*, int>& materials) {
  // Only faces of 2 to 4 corners that all name a vertex can be written.
  int writable = 0;
  for (int f = 0; f < face->count; ++f) writable += face->array[f].GetValidCount(numVertex) >= 2 ? 1 : 0;
  AppendFormat(out, "\tface %d {\n", writable);
  for (int f = 0; f < face->count; ++f) {
    const VoFaceElement& e = face->array[f];
    const int n = e.GetValidCount(numVertex);
    if (n < 2) continue;
    const int v0 = int(e.index[0]), v1 = int(e.index[1]);
    if (n == 2) {
      AppendFormat(out, "\t\t2 V(%d %d)\n", v0, v1);
      continue;
    }
    if (n == 3)
      AppendFormat(out, "\t\t3 V(%d %d %d)", v0, v1, int(e.index[2]));
    else
      AppendFormat(out, "\t\t4 V(%d %d %d %d)", v0, v1, int(e.index[2]), int(e.index[3]));
    if (VoIMaterial* material = e.material) {
      auto found = materials.find(material);
      AppendFormat(out, " M(%d) UV(", found == materials.end() ? -1 : found->second);
      for (int k = 0; k < n; ++k) AppendFormat(out, k ? " %0.5f %0.5f" : "%0.5f %0.5f", e.uv[k][0], e.uv[k][1]);
      out += ")";
    }
    out += "\n";
  }
  out += "\t}\n";
}

}  // namespace

Compose ComposeMqoText(ItemList& items, std::string& out) {
  VoMaster* master = VoMaster::This();
  bool anyPolygon = false;
  for (VoRefer<VoIItem>& ref : items) anyPolygon = anyPolygon || (ref && ref->IsPolygon());
  if (!master || !anyPolygon) return Compose::NOTHING;

  ItemList materials, polygons;
  master->ListWeedOut(materials, items, VoIMaterial::CLASS_ID);
  master->ListWeedOut(polygons, items, VoIPolygon::CLASS_ID);
  out = "Metasequoia Document\nFormat Text Ver 1.0\n\n";
  const std::unordered_map<VoIMaterial*, int> index = AppendMaterials(out, materials);
  for (VoRefer<VoIItem>& ref : polygons) {
    VoIPolygon* polygon = ref ? ref->IsPolygon() : nullptr;
    if (!polygon) continue;
    VoVertex* vertex = polygon->GetVertex();
    VoFace* face = polygon->GetFace();
    if (!vertex || !face || polygon->IsHide() == 1) continue;
    if (vertex->GetNum() > INT_MAX / 12) return Compose::TOO_LARGE;
    AppendFormat(out, "Object \"%s\" {\n", polygon->GetName());
    out += "\tvisible 15\n\tlocking 0\n\tshading 1\n\tfacet 59.5\n\tcolor 0.898 0.498 0.698\n";
    AppendVertices(out, polygon, vertex);
    AppendFaces(out, face, vertex->GetNum(), index);
    out += "}\n";
  }
  out += "Eof\n";
  return Compose::DONE;
}

int WriteMqoFile(const char* path, ItemList& items) {
  std::string text;
  const Compose composed = ComposeMqoText(items, text);
  if (composed == Compose::NOTHING) {
    ShowMessage(0, "エクスポートでるアイテムがありません。\n");
    return 0;
  }
  if (composed == Compose::TOO_LARGE) {
    ShowMessage(0, "ファイルに書き込めませんでした。\nファイル名:%s", path ? path : "");
    return 0;
  }
  FILE* file = path ? Frx::File::Open(path, "wb") : nullptr;
  if (!file) {
    ShowMessage(0, "ファイルがオープンできませんでした。\nファイル名:%s", path ? path : "");
    return 0;
  }
  // The stream writes a temporary file; closing renames it over the target,
  // or drops it when a write failed.
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    ShowMessage(0, "ファイルに書き込めませんでした。\nファイル名:%s", path);
    return 0;
  }
  return 1;
}

}  // namespace Mqo
