// Helpers of the image tests: reference rasters decoded by other programs,
// pixels of a DibImage as plain RGB, and file access to the fixtures. A
// program using them links the image layer itself: the engine, or the image
// objects alone.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ferrox/string/Pstring.h"
#include "ferrox/testing/Scopes.h"

class DibImage;

struct Rgb {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;    // red, green, blue, top row first
  std::vector<uint8_t> alpha;  // when the source has one
};

// Raw PPM (P6), PGM (P5) or PBM (P4) as RGB; false when unreadable.
bool LoadNetpbm(const std::string& path, Rgb* out);
// The picture of an image as RGB, top row first, decoded here independently
// of the library's own conversions.
Rgb ToRgb(const DibImage& image);
// Largest channel difference; -1 when the sizes differ.
int MaxDifference(const Rgb& a, const Rgb& b);
uint64_t Fnv1a(const std::vector<uint8_t>& bytes);

std::vector<uint8_t> ReadBytes(const std::string& path);
std::string ImagesDir();  // testdata/images/
std::string AssimpDir();  // the models of assimp-testmodels, or "" when absent
std::vector<std::string> ListDir(const std::string& dir);

// The image modules (zenjpg, zenpng) load from theFerrox's system path: the
// program folder for the life of the object.
class ModulesFromProgramFolder {
 public:
  ModulesFromProgramFolder();

 private:
  FrxTest::ValueScope<Frx::Pstring> systemPath_;
};
