#include "vocore/skeleton/VoILocate.h"

VoILocate::VoILocate(VoIBranch* p) : VoIObject(p) {}

// Minimal bodies: the forward and inverse passes come with the skeleton work.
void VoILocate::ConvL2W(const Frx::Pmatrix&, int) { changed = 0; }
void VoILocate::ConvW2L(const Frx::Pmatrix&, int) {}
void VoILocate::ConvTransW2L(int) {}
void VoILocate::ConvRotateW2L(int) {}
void VoILocate::MakeWorldMatrix(const Frx::Pmatrix&) {}
void VoILocate::StandardPosition() { pos = spos; }
