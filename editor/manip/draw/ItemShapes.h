// The marks and wire shapes of skeleton items and cameras, drawn every frame
// whether or not the item is selected: locate marks, world-locate marks,
// coordinate axes, bone shapes and the camera pyramid. Shapes are drawn at
// depth 0 (over the scene); every function puts the device's transforms back.
#pragma once

#include "editor/manip/draw/Canvas.h"

class VoIBone;
class VoICamera;
class VoICoordinate;
class VoILocate;
class VoIWLocate;

void DrawLocateMark(Canvas& canvas, VoILocate* locate);
void DrawWLocateMark(Canvas& canvas, VoIWLocate* locate);
void DrawCoordinateAxes(Canvas& canvas, VoICoordinate* coordinate);
void DrawBoneShape(Canvas& canvas, VoIBone* bone);
void DrawSiblingBoneShape(Canvas& canvas, VoIBone* bone);
void DrawCameraShape(Canvas& canvas, VoICamera* camera);

// Saves one of the device's transforms and puts it back when it goes.
class TransformGuard {
 public:
  TransformGuard(IDirect3DDevice8* device, D3DTRANSFORMSTATETYPE state);
  ~TransformGuard();
  TransformGuard(const TransformGuard&) = delete;
  TransformGuard& operator=(const TransformGuard&) = delete;

  const Frx::Pmatrix& Saved() const { return saved_; }

 private:
  IDirect3DDevice8* device_;
  D3DTRANSFORMSTATETYPE state_;
  Frx::Pmatrix saved_ = Frx::Pmatrix::id;
};

// projection × scaling (1, 1, 0): what is drawn with it lands at depth 0.
void FlattenProjection(IDirect3DDevice8* device, const Frx::Pmatrix& projection);
