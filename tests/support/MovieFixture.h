#pragma once
// Small AVI clips written by the platform's writer for the movie tests.
#include <cstdint>
#include <filesystem>

#include "platform/AviWriter.h"

namespace testsupport {

// A different 5-6-5 value for every pixel of a frame up to 320 x 64, and
// for every frame: red from the column's low bits, green from the row, blue
// from the column's high bits and the frame.
uint16_t MoviePixel(int frame, int x, int y);

struct MovieClip {
  int width = 32;
  int height = 16;
  int frames = 4;
  uint32_t rate = 15;
  uint32_t scale = 1;
  const char* codec = "ffv1";
  uint32_t codecTag = 0;
  int audioRate = 0;  // 0: no sound
};

// Writes the clip of MoviePixel frames (and a quiet tone); false on failure.
bool WriteMovieClip(const std::filesystem::path& path, const MovieClip& clip);

}  // namespace testsupport
