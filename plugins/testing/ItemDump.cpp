#include "plugins/testing/ItemDump.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "vocore/geometry/VoFace.h"
#include "vocore/geometry/VoIPolygon.h"
#include "vocore/geometry/VoVertex.h"
#include "vocore/item/VoIBranch.h"
#include "vocore/scene/VoIMaterial.h"
#include "vocore/scene/VoITexture.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoILocate.h"
#include "vocore/skeleton/VoISkelton.h"
#include "vocore/skeleton/VoISpring.h"

namespace plugtest {

namespace {

void Add(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
void Add(std::string& out, const char* format, ...) {
  char buffer[1024];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  out += buffer;
}

std::string F(float f) {
  double r = std::round(double(f) * 1e4) / 1e4;
  if (r == 0) r = 0;  // no "-0"
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%.10g", r);
  return buffer;
}

std::string V(const Frx::Pvector& v) { return "(" + F(v.x) + " " + F(v.y) + " " + F(v.z) + ")"; }

const char* NameOf(VoIItem* item) { return item ? item->GetName() : "-"; }

void DumpPolygon(std::string& out, VoIPolygon* p, const std::string& indent) {
  Add(out, " coordinate \"%s\"\n", NameOf(p->GetCoordinate()));
  if (VoVertex* v = p->GetVertex())
    for (int i = 0; i < v->GetNum(); ++i) Add(out, "%s  v %s fix %d\n", indent.c_str(), V(v->Get(i)).c_str(), int(v->GetFix(i)));
  VoFace* f = p->GetFace();
  for (int i = 0; f && i < f->count; ++i) {
    const VoFaceElement& e = f->array[i];
    Add(out, "%s  f %d (", indent.c_str(), e.GetCount());
    for (int k = 0; k < e.GetCount() && k < VoFaceElement::MaxCorners; ++k) Add(out, k ? " %u" : "%u", e.index[k]);
    Add(out, ") m \"%s\" uv (", NameOf(e.material.Get()));
    for (int k = 0; k < e.GetCount() && k < VoFaceElement::MaxCorners; ++k)
      out += (k ? " " : "") + F(e.uv[k][0]) + " " + F(e.uv[k][1]);
    out += ")\n";
  }
}

void Dump(std::string& out, VoIItem* item, const std::string& indent, int depth) {
  const char* cls = item->GetClassNameA();
  Add(out, "%s%s \"%s\"", indent.c_str(), cls ? cls : "?", item->GetName());
  if (VoIMaterial* m = item->IsMaterial()) {
    Add(out, " col(%s %s %s %s) dif %s amb %s emi %s spc %s power %s texture \"%s\" edge %d\n", F(m->r).c_str(),
        F(m->g).c_str(), F(m->b).c_str(), F(m->a).c_str(), F(m->dif).c_str(), F(m->amb).c_str(), F(m->emi).c_str(),
        F(m->spc).c_str(), F(m->power).c_str(), NameOf(m->texture.Get()), m->edge);
  } else if (VoITexture* t = item->IsTexture()) {
    Add(out, " %dx%dx%d\n", t->width, t->height, t->bits);
  } else if (VoISkelton* s = item->IsSkelton()) {
    Add(out, " springs %d\n", int(s->springs.size()));
    for (auto& ref : s->springs)
      if (VoISpring* spring = ref)
        Add(out, "%s  spring bone \"%s\" a \"%s\" b \"%s\" rest %s\n", indent.c_str(), NameOf(spring->bone.Get()),
            NameOf(spring->a.Get()), NameOf(spring->b.Get()), F(spring->rest).c_str());
  } else if (VoIBone* b = item->IsBone()) {
    // No head vector: the forward pass replaces it by a far point whose
    // last digits follow every rounding of the matrices.
    Add(out, " start \"%s\" end \"%s\" head \"%s\" length %s headLength %s world %s affect",
        NameOf(b->GetStartLocate()), NameOf(b->GetEndLocate()), NameOf(b->GetHeadLocate()), F(b->GetLength()).c_str(),
        F(b->GetHeadLength()).c_str(), V(b->GetWPos()).c_str());
    for (const VoIBone::AffectLocate& a : b->affect) Add(out, " \"%s\"%s", NameOf(a.locate.Get()), V(a.vector).c_str());
    out += "\n";
  } else if (VoILocate* l = item->IsLocate()) {
    Add(out, " world %s IKchain %d lock %d\n", V(l->GetWPos()).c_str(), l->IKchain, l->IsLock() ? 1 : 0);
  } else if (VoIPolygon* p = item->IsPolygon()) {
    DumpPolygon(out, p, indent);
  } else {
    out += "\n";
  }
  VoIBranch* branch = item->IsBranch();
  if (!branch || depth > 64) return;
  for (VoIItem* c = branch->GetFirstChild(); c; c = branch->GetNextChild(c)) Dump(out, c, indent + "  ", depth + 1);
}

}  // namespace

std::string DumpItems(VoIItem* root) {
  std::string out;
  if (root) Dump(out, root, "", 0);
  return out;
}

}  // namespace plugtest
