#pragma once
// Screenshots of the headless game, compared pixel for pixel with golden
// images kept beside the tests as PNG files (small, and viewable).
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

struct RgbImage {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;  // rows from the top
  bool operator==(const RgbImage&) const = default;
};

// The frame the display last presented (5-6-5), as 8-bit RGB.
RgbImage PresentedImage();

// Binary PPM ("P6", maxval 255), as the game writes its scripted screenshots.
bool ReadPpm(const std::filesystem::path& path, RgbImage* out);
// 8-bit RGB, not interlaced.
std::string EncodePng(const RgbImage& image);
// Reads what EncodePng writes (any filter type); false for anything else.
bool DecodePng(const std::string& bytes, RgbImage* out);

// Compares a screenshot with <folder>/<name>.png (folder below the source
// tree); with SLV_UPDATE_GOLDEN=1 in the environment it writes the golden
// image instead. An empty text means they match.
std::string CompareWithGolden(const std::string& name, const RgbImage& actual,
                              const std::string& folder = "tests/field/golden");

}  // namespace testsupport
