// The class ids of the plain keyed controls, defined here so each control's
// table lives in the engine alone.
#include "vocore/motion/VoIControlInt.h"
#include "vocore/motion/VoIControlFloat.h"
#include "vocore/motion/VoIControlBool.h"
#include "vocore/motion/VoIControlRefer.h"

unsigned long VoIControlInt::GetClassID() { return CLASS_ID; }
unsigned long VoIControlFloat::GetClassID() { return CLASS_ID; }
unsigned long VoIControlBool::GetClassID() { return CLASS_ID; }
unsigned long VoIControlRefer::GetClassID() { return CLASS_ID; }
