// The motion page's choices: the common curve kind of a motion's keyed
// controls and the three curve buttons.
#pragma once

class VoIMotion;

namespace MotionCurves {

// -1 none (quaternion controls differ, or there are none), else the kind
// the motion's quaternion controls share.
int Common(VoIMotion* motion);
// 0 Linear: every vector and quaternion control 0; 1 Spline1: both 1;
// 2 Spline2: vectors 1, quaternions 2.
void Apply(VoIMotion* motion, int choice);

}  // namespace MotionCurves
