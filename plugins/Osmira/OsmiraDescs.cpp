#include "plugins/Osmira/OsmiraDescs.h"

#include "plugins/Osmira/DeformerConstruction.h"
#include "plugins/Osmira/Osmiraform.h"
#include "plugins/Osmira/SphericalDeform.h"

VoIItem* OsmiraformDesc::Create(VoIBranch* parent) { return new Osmiraform(parent); }

void OsmiraformDesc::ImportConstruction(VoIBranch* branch, VoIBranch* /*object*/) {
  Osmira::ConstructDeformers(branch, {"bdef:%S", "Osmiraform", "ボーンディフォームの生成\n"});
}

VoIItem* SphericalDeformDesc::Create(VoIBranch* parent) { return new SphericalDeform(parent); }

void SphericalDeformDesc::ImportConstruction(VoIBranch* branch, VoIBranch* /*object*/) {
  Osmira::ConstructDeformers(branch, {"sdef:%S", "SphericalDeform", "スフィリカルディフォームの生成\n"});
}
