// The engine library's own descriptor table and its two entries.
#include "vocore/vocore/VoBuiltinItemDesc.h"
#include "vocore/vocore/VoImageImportDesc.h"
#include "vocore/vocore/VoPlugin.h"

#include "vocore/geometry/VoIGeometry.h"
#include "vocore/geometry/VoIPolygon.h"
#include "vocore/item/VoIItem.h"
#include "vocore/item/VoIObject.h"
#include "vocore/motion/VoIControl.h"
#include "vocore/motion/VoIControlQuaternion.h"
#include "vocore/motion/VoIControlRefer.h"
#include "vocore/motion/VoIControlString.h"
#include "vocore/motion/VoIControlTime.h"
#include "vocore/motion/VoIControlVector.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/motion/VoIMotionSet.h"
#include "vocore/scene/VoICamera.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/scene/VoIFile.h"
#include "vocore/scene/VoILight.h"
#include "vocore/scene/VoIMaterial.h"
#include "vocore/scene/VoIModifier.h"
#include "vocore/scene/VoINote.h"
#include "vocore/scene/VoITexture.h"
#include "vocore/scene/VoIValue.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoILocate.h"
#include "vocore/skeleton/VoISiblingBone.h"
#include "vocore/skeleton/VoISkelton.h"
#include "vocore/skeleton/VoISpring.h"
#include "vocore/skeleton/VoIWLocate.h"

namespace {

constexpr int BuiltinCount = 37;

// Built on first use, so no other static object depends on this file's
// initialisation order.
VoClassDesc* const* BuiltinTable() {
  static VoBuiltinItemDesc<VoIItem> item("Item", 1, 0, 1);
  static VoBuiltinItemDesc<VoIMaterial> material("Material", 67, 1, 31);
  static VoBuiltinItemDesc<VoITexture> texture("Texture", 65, 1, 31);
  static VoBuiltinItemDesc<VoIModifier> modifier("Modifier", 34, 1, 1);
  static VoBuiltinItemDesc<VoIObject> object("Object", 33, 1, 17);
  static VoBuiltinItemDesc<VoIGeometry> geometry("Geometry", 35, 33, 17);
  static VoBuiltinItemDesc<VoIPolygon> polygon("Polygon", 36, 35, 17);
  static VoBuiltinItemDesc<VoISkelton> skelton("Skelton", 6, 1, 13);
  static VoBuiltinItemDesc<VoICharacter> character("Character", 3, 33, 18);
  static VoBuiltinItemDesc<VoICamera> camera("Camera", 37, 33, 11);
  static VoBuiltinItemDesc<VoILight> light("Light", 38, 33, 19);
  static VoBuiltinItemDesc<VoILocate> locate("Locate", 17, 33, 16);
  static VoBuiltinItemDesc<VoICoordinate> coordinate("Coordinate", 18, 17, 14);
  static VoBuiltinItemDesc<VoIBone> bone("Bone", 19, 18, 14);
  static VoBuiltinItemDesc<VoIWLocate> wlocate("WLocate", 20, 17, 16);
  static VoBuiltinItemDesc<VoISiblingBone> siblingBone("SiblingBone", 21, 19, 14);
  static VoBuiltinItemDesc<VoISpring> spring("Spring", 22, 1, 14);
  static VoBuiltinItemDesc<VoIMotionSet> motionSet("MotionSet", 8, 1, 24);
  static VoBuiltinItemDesc<VoIMotion> motion("Motion", 97, 96, 24);
  static VoBuiltinItemDesc<VoIControl> control("Control", 96, 1, 24);
  static VoBuiltinItemDesc<VoIControlVector> vector("Vector", 99, 96, 24);
  static VoBuiltinItemDesc<VoIControlQuaternion> quaternion("Quaternion", 100, 96, 24);
  static VoBuiltinItemDesc<VoIControlString> string("String", 101, 96, 24);
  static VoBuiltinItemDesc<VoIControlRefer> refer("Refer", 102, 96, 24);
  static VoBuiltinItemDesc<VoIControlTime> time("Time", 112, 96, 24);
  static VoBuiltinItemDesc<VoIValue> value("Value", 69, 1, 31);
  static VoBuiltinItemDesc<VoIFile> file("File", 4, 1, 27);
  static VoBuiltinItemDesc<VoINote> note("Note", 68, 1, 31);
  static VoImageImportDesc bmp("ImportBMP", "Bitmap Image Files (*.bmp)", "bmp");
  static VoImageImportDesc tga("ImportTGA", "TGA Image Files (*.tga)", "tga");
  static VoImageImportDesc ppm("ImportPPM", "PPM Image Files (*.ppm)", "ppm");
  static VoImageImportDesc pgm("ImportPGM", "PGM Image Files (*.pgm)", "pgm");
  static VoImageImportDesc iff("ImportIFF", "IFF Image Files (*.iff)", "iff");
  static VoImageImportDesc tim("ImportTIM", "TIM Image Files (*.tim)", "tim");
  static VoImageImportDesc jpg("ImportJPG", "JPEG Image Files (*.jpg)", "jpg");
  static VoImageImportDesc jpeg("ImportJPEG", "JPEG Image Files (*.jpeg)", "jpeg");
  static VoImageImportDesc png("ImportPNG", "PNG Image Files (*.png)", "png");
  static VoClassDesc* const table[BuiltinCount] = {
      &item,     &material, &texture,     &modifier, &object,    &geometry,   &polygon,
      &skelton,  &character, &camera,     &light,    &locate,    &coordinate, &bone,
      &wlocate,  &siblingBone, &spring,   &motionSet, &motion,   &control,    &vector,
      &quaternion, &string,  &refer,      &time,     &value,     &file,       &note,
      &bmp,      &tga,      &ppm,         &pgm,      &iff,       &tim,        &jpg,
      &jpeg,     &png};
  return table;
}

}  // namespace

VO_PLUGIN_EXPORT int PluginVersion() { return VoPluginVersion; }

VO_PLUGIN_EXPORT VoClassDesc* PluginClassDesc(int index) {
  if (index < 0 || index >= BuiltinCount) return nullptr;
  return BuiltinTable()[index];
}
