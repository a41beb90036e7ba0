// The font's drawn strings: each string's coverage image, composed once, kept
// as an A8 texture of the device and drawn as one quad through the device's
// own pipeline. An editor frame draws the same few strings every time; a
// texture made once is never written again, so drawing never waits for the
// rasteriser to finish with it, and the device's state cache stays valid.
#pragma once

#include <cstdint>
#include <list>
#include <string>
#include <unordered_map>

#include "platform/d3d8/d3d8.h"

namespace D3D8Impl {

class Device;

class TextCache {
 public:
  struct Entry {
    IDirect3DTexture8* texture = nullptr;  // null: nothing to draw (no ink)
    int width = 0, height = 0;             // of the coverage image
    int textHeight = 0;                    // what DrawText returns
    // The part of the image with ink, [left, right) × [top, bottom): only
    // it is drawn (elsewhere the text would leave the picture as it is).
    int inkLeft = 0, inkTop = 0, inkRight = 0, inkBottom = 0;
  };

  explicit TextCache(Device* device) : device_(device) {}
  ~TextCache() { Clear(); }
  TextCache(const TextCache&) = delete;
  TextCache& operator=(const TextCache&) = delete;

  // The entry of `key`, now the most recently used; null when absent.
  const Entry* Find(const std::string& key);
  // Keeps a width × height coverage image under `key`; null when the
  // device cannot hold it (the caller draws it the slow way).
  const Entry* Add(const std::string& key, const uint8_t* coverage, int width, int height, int textHeight);
  // Draws the entry with its top-left corner at (x, y) in colour, clipped to
  // `clip` and the surface, blended over what is there; every state it sets
  // is put back.
  void Draw(const Entry& entry, int x, int y, D3DCOLOR colour, const RECT& clip);

  // Forgets every string and releases its texture.
  void Clear();

  // Largest side kept, and how many strings are kept at most.
  static constexpr int MaxSide = 2048;
  static constexpr size_t MaxEntries = 256;

 private:
  using Order = std::list<std::string>;
  struct Slot {
    Entry entry;
    Order::iterator used;
  };
  void Evict();

  Device* device_;
  std::unordered_map<std::string, Slot> slots_;
  Order order_;  // most recently used first
};

}  // namespace D3D8Impl
