#include "plugins/Tandrel/MotionConverter.h"

#include "ferrox/ferrox/Ferrox.h"
#include "plugins/Tandrel/ConvertSession.h"
#include "plugins/frame/PluginFrame.h"
#include "plugins/host/HostInterface.h"
#include "vocore/item/VoDescent.h"
#include "vocore/item/VoIBranch.h"
#include "vocore/scene/VoICharacter.h"

#define KVC_WHICH "表示中のキャラクタを変換先、\n選択されたキャラクタを変換元と認識します。\n"

char* MotionConverter::MenuName() {
  static char name[] = "モーションコンバータ";
  return name;
}

int CheckConvertItems(VoIItem* destination, VoIItem* source) {
  if (!destination) {
    ShowMessage(0, "変換先のアイテムが指定されていません。\n" KVC_WHICH);
    return 0;
  }
  if (!source) {
    ShowMessage(0, "変換元のアイテムが指定されていません。\n" KVC_WHICH);
    return 0;
  }
  if (!destination->IsCharacter()) {
    ShowMessage(0, "変換先のアイテム %s\nはキャラクタではありません。\n" KVC_WHICH,
                destination->GetFullName(nullptr).Get());
    return 0;
  }
  // The motions made go one level below it, their controls two.
  if (Vo::Depth(destination) + 2 > VoIBranch::MaxDepth) {
    ShowMessage(0, "変換先のキャラクタ %s\nの下は階層が深すぎるためモーションを作れません。\n", destination->GetName());
    return 0;
  }
  if (!source->IsCharacter()) {
    ShowMessage(0, "変換元のアイテム %s\nはキャラクタではありません。\n" KVC_WHICH, source->GetFullName(nullptr).Get());
    return 0;
  }
  if (destination == source) {
    ShowMessage(0, "変換元と変換先が同一アイテムです。\n" KVC_WHICH);
    return 0;
  }
  if (!source->IsCharacter()->GetMotion()) {
    ShowMessage(0, "変換元のキャラクタ %s\nにモーションが設定されていません。\n", source->GetFullName(nullptr).Get());
    return 0;
  }
  return 1;
}

int MotionConverter::Execute(VoIItem* destination, VoIItem* source, unsigned long flags) {
  HostInterface* host = HostFromFlags(flags);
  if (!host) {
    Frx::theFerrox.Error("Savora.exe が見つかりませんでした。\n");
    return 0;
  }
  if (!CheckConvertItems(destination, source)) return 0;
  ConvertSession session(destination->IsCharacter(), source->IsCharacter());
  const bool ok = (asker_ ? *asker_ : InitialPairsAsker()).AskPairs(session);
  const int converted = ok ? session.ConvertMotions() : 0;
  host->RefreshTreeItem(destination);
  return converted;
}
