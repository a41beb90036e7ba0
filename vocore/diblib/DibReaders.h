// Image file readers. Each fills `image` and returns true, or returns false
// leaving the image without blocks or as far as it got. The *Memory forms parse
// a whole file already in memory (the path forms read the file and call them);
// they never read outside [data, data + size).
#pragma once

#include <cstddef>
#include <cstdint>

#include "vocore/diblib/DibHeader.h"

class DibImage;

// Bit-count mask of accepted BMP depths: 1 -> 1, 4 -> 2, 8 -> 4, 16 -> 8,
// 24 -> 16, 32 -> 32.
constexpr int DibBmpAllDepths = 63;

bool ReadBmpMemory(const uint8_t* data, size_t size, DibImage* image, int depthMask = DibBmpAllDepths);
bool ReadTgaMemory(const uint8_t* data, size_t size, DibImage* image);
bool ReadPpmMemory(const uint8_t* data, size_t size, DibImage* image,
                   DibProgressProc progress = nullptr, void* context = nullptr);
bool ReadIffMemory(const uint8_t* data, size_t size, DibImage* image);
bool ReadTimMemory(const uint8_t* data, size_t size, DibImage* image);

// Paths are system (Shift-JIS) paths.
bool ReadBmp(const char* path, DibImage* image, int depthMask = DibBmpAllDepths);
bool ReadTga(const char* path, DibImage* image);
bool ReadPpm(const char* path, DibImage* image, DibProgressProc progress = nullptr,
             void* context = nullptr);
bool ReadIff(const char* path, DibImage* image);
bool ReadTim(const char* path, DibImage* image);
// Through the optional decoder modules zenjpg / zenpng; false without them.
bool ReadJpg(const char* path, DibImage* image, DibProgressProc progress = nullptr,
             void* context = nullptr);
bool ReadPng(const char* path, DibImage* image, DibProgressProc progress = nullptr,
             void* context = nullptr);

// Writes a BMP file (bottom-up, positive height); false when it cannot be created.
bool SaveBmp(const DibImage* image, const char* path);
