#pragma once
// The sample's opening movie, drawn by program: a still card with the game's
// name for the first second, then a moon rising over a lake, then a fade to
// black, with a short tune.
#include <string>

namespace slvtools {

inline constexpr int kSampleMovieWidth = 320;
inline constexpr int kSampleMovieHeight = 240;
inline constexpr int kSampleMovieRate = 15;  // frames a second
inline constexpr int kSampleMovieFrames = 60;
inline constexpr int kSampleMovieStillFrames = 15;

// Writes the movie as an AVI file; false with the reason in `error`.
bool WriteSampleMovie(const std::string& path, const std::string& fontFolder, std::string* error);

}  // namespace slvtools
