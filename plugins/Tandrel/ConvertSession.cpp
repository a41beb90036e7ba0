#include "plugins/Tandrel/ConvertSession.h"

#include <cstring>
#include <list>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/file/TextFile.h"
#include "plugins/Tandrel/KvcFile.h"
#include "plugins/Tandrel/MotionRetarget.h"
#include "plugins/frame/PluginFrame.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoISkelton.h"
#include "vocore/vocore/VoMaster.h"

namespace {

// Every locate of the character's skeleton, depth first. Plain locates keep
// their world matrix too: positions are scaled by it.
std::vector<ConvertEntry> MakeList(VoICharacter* character) {
  std::vector<ConvertEntry> list;
  VoISkelton* skeleton = character ? character->GetSkelton() : nullptr;
  if (!skeleton) return list;
  std::list<VoILocate*> locates;
  for (VoIItem* item = skeleton->GetFirstChild(); item; item = skeleton->GetNextChild(item))
    if (VoILocate* locate = item->IsLocate()) locate->MakeSkeltonList(&locates);
  for (VoILocate* locate : locates) {
    ConvertEntry entry;
    entry.locate = locate;
    entry.world = locate->GetMatrixL2W();
    if (VoICoordinate* c = locate->IsCoordinate()) entry.local = c->GetMatrixP2L(), entry.standard = c->GetMatrixS();
    list.push_back(std::move(entry));
  }
  return list;
}

}  // namespace

ConvertSession::ConvertSession(VoICharacter* destination, VoICharacter* source)
    : destination_(destination), source_(source), destinationList_(MakeList(destination)),
      sourceList_(MakeList(source)) {
  for (size_t i = 0; i < sourceList_.size(); ++i)
    if (VoILocate* locate = sourceList_[i].locate.GetRaw()) sourceIndex_.emplace(locate, int(i));
  for (size_t i = 0; i < destinationList_.size(); ++i)
    if (VoILocate* locate = destinationList_[i].locate.GetRaw()) destinationIndex_.emplace(locate, int(i));
}

int ConvertSession::SourceIndex(VoIItem* item) const {
  auto found = sourceIndex_.find(item);
  return found == sourceIndex_.end() ? -1 : found->second;
}

void ConvertSession::Pair(VoILocate* destination, VoIItem* source) {
  auto found = destinationIndex_.find(destination);
  if (found != destinationIndex_.end()) destinationList_[size_t(found->second)].pair = source;
}

VoIItem* ConvertSession::PairOf(VoILocate* destination) const {
  auto found = destinationIndex_.find(destination);
  return found == destinationIndex_.end() ? nullptr : destinationList_[size_t(found->second)].pair.Get();
}

std::string ConvertSession::Label(VoILocate* destination) const {
  if (!destination) return std::string();
  std::string label = destination->GetNameEx().Get();
  if (VoIItem* source = PairOf(destination)) label += std::string(" <= ") + source->GetName();
  return label;
}

int ConvertSession::ReadConvertFile(const char* path) {
  VoMaster* master = VoMaster::This();
  if (!master || !path) return 0;
  if (Frx::theFerrox.debug) Frx::theFerrox.Log("KVC 読み込み : 開始\n");
  Frx::theFerrox.Log("%s\n", path);
  unsigned long size = 0;
  char* data = static_cast<char*>(master->AllocFileReadText(path, &size));
  if (!data) {
    ShowMessage(0, "ファイルが読み込めません。\nファイル名:%s", path);
    return 0;
  }
  // A host's buffer need not end with a zero byte; the parser's text must.
  const std::string text(data, strnlen(data, size));
  master->FreeFileData(data);
  const Kvc::Document doc = Kvc::Parse(text.c_str());

  // Names to entries once, so a long file against a large skeleton stays
  // linear: a source name takes the first item of that name, a destination
  // name every locate of it.
  std::unordered_map<std::string, VoIItem*> sources;
  for (const ConvertEntry& entry : sourceList_)
    if (VoILocate* locate = entry.locate.Get()) sources.emplace(locate->GetName(), locate);
  std::unordered_map<std::string, std::vector<ConvertEntry*>> destinations;
  for (ConvertEntry& entry : destinationList_)
    if (VoILocate* locate = entry.locate.Get()) destinations[locate->GetName()].push_back(&entry);

  bool missing = false;
  for (const Kvc::Pair& pair : doc.pairs) {
    auto source = sources.find(pair.source);
    if (source == sources.end()) {
      missing = true;
      continue;
    }
    auto found = destinations.find(pair.destination);
    if (found == destinations.end()) continue;
    for (ConvertEntry* entry : found->second) {
      entry->pair = source->second;
      if (Frx::theFerrox.debug)
        Frx::theFerrox.Log("  Attached %s <= %s\n", pair.destination.c_str(), pair.source.c_str());
    }
  }
  if (doc.closed && missing) ShowMessage(0, "すべてのアイテムを関連付けすることができませんでした。");
  if (doc.status != Kvc::Status::Done) {
    ShowMessage(0, "オープン中にエラーが発生しました。\nエラーが発生した場所(%s:%d)\n", path, doc.line);
    return 0;
  }
  if (Frx::theFerrox.debug) Frx::theFerrox.Log("KVC 読み込み : 終了\n");
  return 1;
}

int ConvertSession::WriteConvertFile(const char* path) {
  if (!path) return 0;
  if (Frx::theFerrox.debug) Frx::theFerrox.Log("KVC 保存 : 開始\n");
  std::vector<Kvc::Pair> pairs, refused;
  for (const ConvertEntry& entry : destinationList_) {
    VoILocate* locate = entry.locate.Get();
    VoIItem* source = entry.pair.Get();
    if (!locate || !source) continue;
    Kvc::Pair pair{locate->GetName(), source->GetName()};
    (Kvc::Writable(pair) ? pairs : refused).push_back(std::move(pair));
  }
  Frx::File::TextWriter out;
  if (!out.Open(path)) return 0;
  out.Write(Kvc::Text(pairs).c_str());
  const int written = out.Close();
  // A name the file cannot carry would break every pair after it on reading.
  if (written && !refused.empty())
    ShowMessage(0, "名前を保存できない関連付けを %d 個除いて保存しました。\n%s <= %s\n", int(refused.size()),
                refused[0].destination.c_str(), refused[0].source.c_str());
  if (Frx::theFerrox.debug) Frx::theFerrox.Log("KVC 保存 : 終了\n");
  return written;
}

int ConvertSession::ConvertMotions() { return ::ConvertMotions(*this); }
