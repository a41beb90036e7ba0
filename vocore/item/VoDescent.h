// Vo::Descent: one level down a recursive walk of the item tree. Walks whose
// signature carries no depth (Update, Arrange, the world and local passes,
// drawing, binding motions to nested characters) count their levels here and
// leave out what lies deeper than VoIBranch::MaxDepth; saving counts its
// blocks in VoSave. The engine runs on one thread: one counter per kind of
// walk, so walks of different kinds nest without sharing a budget.
#pragma once

namespace Vo {

enum class Walk { Update, Arrange, ToWorld, ToLocal, Start, Draw, Bind, Count };

class Descent {
 public:
  explicit Descent(Walk walk);
  ~Descent();
  Descent(const Descent&) = delete;
  Descent& operator=(const Descent&) = delete;

  // False once the walk is deeper than MaxDepth: the caller goes no further.
  explicit operator bool() const { return within_; }

 private:
  int& depth_;
  bool within_;
};

}  // namespace Vo
