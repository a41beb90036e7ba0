// The BVH writer: the skeleton of a character as a hierarchy (ROOT with six
// channels, joints with three, always Z Y X) and its current motion sampled
// at a chosen frame rate, written in text mode (CR LF).
#pragma once

#include <cstddef>
#include <string>

class VoIBranch;
class VoICharacter;

namespace Bvh {

// Where composed text goes, piece by piece (a file is written as it is made).
class TextSink {
 public:
  virtual ~TextSink() = default;
  virtual void Put(const char* text, size_t size) = 0;
};

// Whether the character can be written: a skeleton with a coordinate to be a
// ROOT, and a live current motion.
bool CanWriteBvh(VoICharacter* character);

// Whether the character's motion ends within VoIMotion::MaxOutputFrames.
bool FitsOutput(VoICharacter* character);

// The file text (lines end with LF) of a character that CanWriteBvh and
// FitsOutput, its motion sampled every 60 / fps engine frames from 0 to the
// end frame; fps must lie in (0, 60]. The character's time stays at the last
// sample.
void ComposeBvhText(VoICharacter* character, float fps, TextSink& out);
std::string ComposeBvhText(VoICharacter* character, float fps);

// The export: 0 without writing when the branch is no character that
// CanWriteBvh, and 0 with a message when it does not FitsOutput; then asks
// the frame rate (Cancel: 1, nothing written); a rate of 0 or outside the
// dialog's range is refused with a message (0). Otherwise writes the file,
// which replaces the target only when written whole: 1, or 0 when it could
// not be.
int WriteBvhFile(const char* path, VoIBranch* branch);

}  // namespace Bvh
