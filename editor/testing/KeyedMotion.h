// A long motion for tests and benchmarks of the time bar and key rows.
#pragma once

class SavoraHost;
class VoICharacter;
class VoIMotion;
class VoMaster;

// A motion named `name` of `frames` frames under `character`, with a control
// for each of the character's items, every rotation and position control
// keyed at rest on every other frame, set as the character's motion.
VoIMotion* MakeKeyedMotion(VoMaster& master, SavoraHost& host, VoICharacter* character, const char* name,
                           long frames);
