#pragma once
// The sample game folder: a pack of the sample data, the settings file and
// the program beside them.
#include <string>

namespace slvtools {

// Builds the folder `out` from the sources in `sourceData`; `program`, when
// not empty, is linked into the folder as "slvexe".
bool BuildSampleGame(const std::string& sourceData, const std::string& out, const std::string& program,
                     std::string* error);

// The settings a windowed 640 x 480 game with sound needs, on the
// rasterizer device, written to `path`.
bool WriteSampleSettings(const std::string& path, const std::string& gameFolder);

}  // namespace slvtools
