#include "vocore/item/VoDescent.h"

#include "vocore/item/VoIBranch.h"

namespace {
int depths[static_cast<int>(Vo::Walk::Count)] = {};
}  // namespace

Vo::Descent::Descent(Walk walk) : depth_(depths[static_cast<int>(walk)]) {
  ++depth_;
  within_ = depth_ <= VoIBranch::MaxDepth;
}

Vo::Descent::~Descent() { --depth_; }
