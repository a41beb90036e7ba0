// What SerialBMP does for each motion: the view camera placed for it, the
// character in its standard pose, then the motion rendered frame by frame
// with a numbered screenshot every step frames.
#pragma once

class HostInterface;
class VoICharacter;
class VoIMotion;
struct SerialBmpAnswers;

// The host's view camera (when it has a coordinate) at (1440, 288, 0) turned
// (-10, 90, 0) degrees; for a motion named "<text>[R<text>]" at
// (-1440, 288, 0) turned (-10, 270, 0).
void PlaceShotCamera(HostInterface& host, const char* motionName);

// The skeleton back in its standard position, then the character's motion
// "standard", when it has one, evaluated at frame 0.
void SetStandardPose(VoICharacter& character);

// The frames of one motion from `first`: a looping motion up to but not
// including `end` (the first frame always), any other up to `end`. Every
// step-th frame is shot, and the end of a motion that does not loop.
class FrameWalk {
 public:
  FrameWalk(long first, long end, unsigned step, bool loops);
  // The next frame and whether to shoot it; false when the walk is over.
  bool Next(long& frame, bool& shoot);

 private:
  long next_, end_;
  unsigned step_;
  bool loops_, done_ = false;
  unsigned long count_ = 0;
};

// Binds the motion, plays it through the host and writes its screenshots;
// false when the back buffer cannot be read (reported through theFerrox),
// which ends the whole command.
bool ShootMotion(HostInterface& host, VoICharacter& character, VoIMotion& motion,
                 const SerialBmpAnswers& answers);
