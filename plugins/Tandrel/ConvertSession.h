// ConvertSession: what the motion converter's dialog works on. Made when the
// dialog opens, it lists the locates of both skeletons (depth first) with the
// matrices they have at that moment, which the conversion measures the
// motions against, and holds the pairs the user makes: each destination
// locate may be paired with one source item. The session holds counts on the
// characters and the listed items.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "ferrox/math/Pmatrix.h"
#include "vocore/item/VoRefer.h"
#include "vocore/skeleton/VoILocate.h"

class VoICharacter;

struct ConvertEntry {
  VoRefer<VoILocate> locate;
  VoRefer<VoIItem> pair;  // destination entries: the source item, or empty
  Frx::Pmatrix world = Frx::Pmatrix::id;     // the locate's world matrix
  Frx::Pmatrix local = Frx::Pmatrix::id;     // coordinates: their local matrix
  Frx::Pmatrix standard = Frx::Pmatrix::id;  // coordinates: their standard matrix
};

class ConvertSession {
 public:
  ConvertSession(VoICharacter* destination, VoICharacter* source);

  VoICharacter* Destination() const { return destination_.Get(); }
  VoICharacter* Source() const { return source_.Get(); }
  std::vector<ConvertEntry>& DestinationList() { return destinationList_; }
  const std::vector<ConvertEntry>& SourceList() const { return sourceList_; }
  // The source list's entry of the item; -1 when it has none.
  int SourceIndex(VoIItem* item) const;

  // Pairs the destination locate with the source item (null unpairs).
  void Pair(VoILocate* destination, VoIItem* source);
  VoIItem* PairOf(VoILocate* destination) const;
  // The destination tree's label: the locate's GetNameEx text, then
  // " <= " and the paired item's name when it has one.
  std::string Label(VoILocate* destination) const;

  // The dialog's "開く" and "保存" with the chosen file's full path; 1 when
  // the file was read or written. Read pairs are added to those made. Pairs
  // whose names the file cannot carry are left out of it, with a message.
  int ReadConvertFile(const char* path);
  int WriteConvertFile(const char* path);

  // The dialog's OK (see MotionRetarget.h).
  int ConvertMotions();

 private:
  VoRefer<VoICharacter> destination_, source_;
  std::vector<ConvertEntry> destinationList_, sourceList_;
  std::unordered_map<VoIItem*, int> sourceIndex_, destinationIndex_;
};
