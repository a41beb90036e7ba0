// Frx::Pcvector: four floats (a colour or a homogeneous vector). The typed
// member accessors of items accept it; no engine class publishes one.
#pragma once

namespace Frx {
struct Pcvector {
  float x = 0.0f, y = 0.0f, z = 0.0f, w = 0.0f;
};
}  // namespace Frx
