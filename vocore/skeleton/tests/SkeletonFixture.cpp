#include "SkeletonFixture.h"

namespace skeltest {

Chain MasterTest::MakeChain() {
  Chain c{};
  c.skel = Make<VoISkelton>(nullptr, "");
  c.root = Make<VoILocate>(c.skel, "R");
  c.root->IKchain = 0;
  c.b1 = Make<VoIBone>(c.skel, "B1");
  c.middle = Make<VoILocate>(c.b1, "M");
  c.b2 = Make<VoIBone>(c.b1, "B2");
  c.tip = Make<VoILocate>(c.b2, "T");
  c.b1->SetStartLocate(c.root);
  c.b1->SetEndLocate(c.middle);
  c.b2->SetStartLocate(c.middle);
  c.b2->SetEndLocate(c.tip);
  c.b1->SetHeadVector(Frx::Pvector(0, 0, -1));
  c.b2->SetHeadVector(Frx::Pvector(0, 1, 0));
  c.root->SetWPos(Frx::Pvector(0, 0, 0));
  c.middle->SetWPos(Frx::Pvector(0, 10, 0));
  c.tip->SetWPos(Frx::Pvector(0, 10, 6));
  c.skel->InitialUpdate();
  return c;
}

}  // namespace skeltest
