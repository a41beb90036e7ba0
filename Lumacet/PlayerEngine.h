// PlayerEngine: the one engine of the process, shared by every player
// control. The engine's items reach "the" master of the process, so two
// masters would serve each other's items; instead the first control starts
// one master (with the plug-ins Pelarn, Quovin, Osmira and Uvesk) and the
// last one to leave shuts it down. Each control keeps its own character and
// renderer: render objects are made by the renderer of the control whose
// call is running (RendererScope).
#pragma once

#include "vocore/Renddx/VoDirectX7.h"
#include "vocore/vocore/VoMaster.h"

class PlayerEngine {
 public:
  // The engine, started for the first user. Each call is one user.
  static PlayerEngine& Acquire();
  // Drops one user; the last one shuts the engine down (plug-ins freed), so
  // every item of that user must be released first.
  static void Release();
  // Users now (0 when the engine is down).
  static int Users();

  VoMaster& Master();

  // While it lives, render objects the engine makes belong to `renderer`;
  // scopes nest, the innermost wins.
  class RendererScope {
   public:
    explicit RendererScope(VoDirectX7* renderer);
    ~RendererScope();
    RendererScope(const RendererScope&) = delete;
    RendererScope& operator=(const RendererScope&) = delete;

   private:
    VoDirectX7* previous_;
  };

 private:
  PlayerEngine();
  ~PlayerEngine();
  struct State;
  State* state_;
};
