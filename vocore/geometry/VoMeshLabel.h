// Connected parts of a face mesh: the labelling behind
// VoIPolygon::CreatePolygon_MeshDevide, also usable on its own.
#pragma once

#include <cstdint>
#include <vector>

class VoFace;

// Gives each of `numVertex` vertices the label (1, 2, ...) of its connected
// part; faces connect their corners. Parts are numbered in the order of
// their lowest vertex index, so a vertex of no face is a part of its own.
// Faces with a corner out of range connect nothing. Returns the number of
// parts. Iterative: mesh size is bounded by memory, not by the stack.
unsigned long VoLabelMeshParts(int numVertex, const VoFace* faces, std::vector<uint32_t>& labels);
