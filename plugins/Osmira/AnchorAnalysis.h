// AnchorAnalysisJob: which target vertices each anchor holds, how deep inside
// it they lie, how two overlapping anchors share theirs, and the groups of
// vertices held by the same anchors. Both deformers bind from its result.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "plugins/Osmira/WeightRecord.h"

class VoFace;
class VoVertex;

namespace Osmira {

// One anchor: a closed mesh tied to one bone (index into the segments; -1
// when its coordinate is not a bone of the skeleton).
struct AnchorInput {
  std::string name;
  const VoVertex* positions = nullptr;
  const VoFace* faces = nullptr;
  int bone = -1;
};

struct AnchorAnalysis {
  struct Anchor {
    std::vector<unsigned char> holds;  // per target vertex
    std::vector<float> distance;       // per held vertex: to the nearest boundary point
    std::vector<Frx::Pvector> boundary;
  };
  // Two anchors sharing vertices. Mode 1 blends about the joint on the sphere.
  struct Overlap {
    int first = 0, second = 0;          // anchor indices, first before second
    int firstBone = -1, secondBone = -1;
    int mode = 0;
    Frx::Pvector joint{0.0f, 0.0f, 0.0f};
    Frx::Pvector firstCrossing{0.0f, 0.0f, 0.0f};   // first's mesh with second's bone
    Frx::Pvector secondCrossing{0.0f, 0.0f, 0.0f};  // second's mesh with first's bone
    std::vector<int> vertices;  // ascending
    std::vector<float> blend;   // per vertex: the weight of the first anchor's bone
    // The blend value of vertex v; 0.5 when the overlap does not hold it.
    float BlendOf(int v) const;
  };
  // Vertices held by exactly the same anchors.
  struct Group {
    std::vector<int> vertices;  // ascending
    std::vector<int> anchors;   // ascending
    std::vector<int> overlaps;  // those holding the group's first vertex
  };

  std::vector<Anchor> anchors;
  std::vector<Overlap> overlaps;
  std::vector<Group> groups;
};

struct AnchorAnalysisJob {
  // Inputs.
  const VoVertex* targetPositions = nullptr;
  const VoFace* targetFaces = nullptr;
  std::span<const Segment> bones;
  std::span<const AnchorInput> anchors;
  // The prepared meshes answer as the polygon's own tests either way; false
  // runs the plain form (for comparison).
  bool accelerate = true;

  // Outputs. Warnings, and the reason of a failure, are appended to the
  // message, each piece cut at 128 bytes.
  AnchorAnalysis* result = nullptr;
  std::string* message = nullptr;

  // False when an output or the target's positions are missing, or an
  // anchor's bone index is out of range.
  bool Validate() const;
  // 1, or 0 when validation fails or an anchor is tied to no bone.
  int Run() const;
};

// Appends text cut at 128 bytes between characters.
void AppendPiece(std::string& message, const std::string& text);

}  // namespace Osmira
