// Text form of one key per value type: the writer's line and the reader's
// pattern. Frames go through int, as the text holds "%d".
#pragma once

#include <string>

#include "ferrox/math/Pquaternion.h"
#include "ferrox/math/Pvector.h"

class VoLoad;
class VoSave;

namespace VoKeyText {

void Write(VoSave& save, long frame, const Frx::Pvector& v);
void Write(VoSave& save, long frame, const Frx::Pquaternion& q);
void Write(VoSave& save, long frame, const std::string& text);
void Write(VoSave& save, long frame, int value);
void Write(VoSave& save, long frame, float value);

// 1 and the cursor past the line when the key line matches, else 0.
int Read(VoLoad& load, long& frame, Frx::Pvector& v);
int Read(VoLoad& load, long& frame, Frx::Pquaternion& q);
int Read(VoLoad& load, long& frame, std::string& text);
int Read(VoLoad& load, long& frame, int& value);
int Read(VoLoad& load, long& frame, float& value);

}  // namespace VoKeyText
