#include "editor/document/CTireloDoc.h"
#include "editor/document/VoMasterSavora.h"
#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/file/Path.h"
#include "ferrox/math/Pquaternion.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICamera.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/scene/VoILight.h"
#include "vocore/scene/VoINote.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoISkelton.h"

namespace {

constexpr char kHelpText[] =
    "カメラの操作\r\n　　回転：右ドラッグ\r\n　　拡縮：左右ドラッグ\r\n"
    "　　移動：スクロールボタンドラッグ\r\n　　　　（カーソルキーでも同様の操作が可能）\r\n"
    "選択：\r\n　　左クリック\r\nＦＫ操作：\r\n　　ボーンをつまんで左ドラッグ\r\n"
    "ＩＫ操作：\r\n　　ボーンの端にある◎をつまんで左ドラッグ\r\n"
    "ボーンのひねり回転：\r\n　　ボーンを選択して、ホイールを回転\r\n"
    "　（RollUp, RollDown でも同様の操作が可能）\r\n"
    "視点の回転中心位置の設定：\r\n　　ロケート、ボーンを選択後、'W' キー\r\n"
    "視点の角度のグリッド：\r\n　　'G' キー\r\n";

}  // namespace

Frx::Pstring ProgramFolder() { return Frx::Path::GetPath(Frx::theFerrox.GetExeName()); }

int CTireloDoc::BuildStartupScene() {
  VoICharacter* p = NewCharacter(nullptr);
  p->SetName("project");
  project = p;
  current = p;

  VoICharacter* g = NewCharacter(nullptr);
  g->SetName("general");
  general = g;

  auto* skeleton = master->NewItem<VoISkelton>(g);
  skeleton->SetName("skelton");
  auto* eye = master->NewItem<VoICoordinate>(skeleton);
  eye->SetName("maincamera");
  eye->SetPos(Frx::Pvector(1440.0f, 288.0f, 0.0f));
  Frx::Pquaternion rot;
  rot.SetEulerXYZ(Frx::Pvector(-10.0f, 90.0f, 0.0f));
  eye->SetRotate(rot);

  auto* camera = master->NewItem<VoICamera>(g);
  camera->SetName("camera");
  camera->SetCoordinate(eye);

  auto* light = master->NewItem<VoILight>(g);
  light->SetName("light");
  light->SetType(0);
  light->r = light->g = light->b = 0.5f;
  light->a = 1.0f;

  auto* note = master->NewItem<VoINote>(g);
  note->SwLock(1);
  note->SetName("操作方法");
  note->SetText(kHelpText);

  ImportFile(ProgramFolder() + "general.mqo", g);

  VoIMotion* copy = NewMotion(g);
  copy->SetName("copy");
  copyMotion = copy;

  UpdateAllViews();
  return 1;
}
