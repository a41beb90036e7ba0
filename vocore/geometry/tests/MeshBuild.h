// Small mesh builders shared by the geometry tests.
#pragma once

#include <initializer_list>
#include <vector>

#include "ferrox/math/Pvector.h"
#include "vocore/geometry/VoIPolygon.h"

namespace geotest {

using Frx::Pvector;

// Positions with fix type `fix`, and one face per corner list (2..4 corners,
// written straight into the table as importers do).
void Fill(VoIPolygon& polygon, const std::vector<Pvector>& points,
          const std::vector<std::vector<uint32_t>>& faces, VoVertex::VoFixType fix = VoVertex::FIX_MOVED);

// A w x h grid of unit quads in the z = 0 plane starting at `origin`,
// appended to the polygon's positions and faces.
void AppendGrid(VoIPolygon& polygon, int w, int h, const Pvector& origin);

// The eight corners and six quads of an axis-aligned box.
void FillBox(VoIPolygon& polygon, const Pvector& min, const Pvector& max);

}  // namespace geotest
