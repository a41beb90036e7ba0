// The one instance of each engine reference type (see the end of VoRefer.h).
#include "vocore/geometry/VoFace.h"
#include "vocore/geometry/VoIPolygon.h"
#include "vocore/geometry/VoVertex.h"
#include "vocore/item/VoIBranch.h"
#include "vocore/item/VoIObject.h"
#include "vocore/item/VoRefer.h"
#include "vocore/motion/VoIControl.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/scene/VoIMaterial.h"
#include "vocore/scene/VoITexture.h"
#include "vocore/scene/VoIValue.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoILocate.h"
#include "vocore/skeleton/VoISkelton.h"

template class VoRefer<VoFace>;
template class VoRefer<VoIBone>;
template class VoRefer<VoIBranch>;
template class VoRefer<VoICharacter>;
template class VoRefer<VoIControl>;
template class VoRefer<VoICoordinate>;
template class VoRefer<VoIItem>;
template class VoRefer<VoILocate>;
template class VoRefer<VoIMaterial>;
template class VoRefer<VoIMotion>;
template class VoRefer<VoIObject>;
template class VoRefer<VoIPolygon>;
template class VoRefer<VoISkelton>;
template class VoRefer<VoITexture>;
template class VoRefer<VoIValue>;
template class VoRefer<VoVertex>;
