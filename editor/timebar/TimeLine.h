// TimeLine: the document as the time bar, the key bars and the timeline
// companions see it: the current frame, the ruler's scroll and scale, the
// scoped character, the count of key edits that makes key bars rebuild, and
// what a key drag or the choice of a motion starts (a question, playback).
// The document implements it and installs itself as the current one.
#pragma once

class VoICharacter;

class TimeLine {
 public:
  virtual float GetCurrentFrame() = 0;
  virtual void SetCurrentFrame(float frame) = 0;
  // The scoped character; null when none.
  virtual VoICharacter* GetCurrentCharacter() = 0;
  // Window x of frame 0 is -TimeScroll; PixelsPerFrame is the scale.
  virtual int GetTimeScroll() = 0;
  virtual void SetTimeScroll(int scroll) = 0;
  virtual int GetPixelsPerFrame() = 0;
  // Edits that may move keys: a key bar whose count differs rebuilds.
  virtual unsigned GetKeyEdits() = 0;
  virtual void CountKeyEdit() = 0;
  // Playback as the view frame's play button starts it.
  virtual int Play() = 0;
  // Asks `question` with Yes and No; true on Yes.
  virtual bool Confirm(const char* question) = 0;

 protected:
  ~TimeLine() = default;
};

// The time line the companions use (not owned); null when there is none.
TimeLine* CurrentTimeLine();
void SetCurrentTimeLine(TimeLine* timeLine);
