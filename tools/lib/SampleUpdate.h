#pragma once
// The sample update kit: what `patcher`, run inside it, installs into the
// sample game folder.
#include <string>

namespace slvtools {

// Builds the kit `out` from the sources in `sourceFolder` (picture sources
// and "readme.txt" in UTF-8): "data21.pak" with the pictures, "readme.txt" in
// code page 949, and links "slvexe" and "selvarin" to the two programs.
bool BuildSampleUpdate(const std::string& sourceFolder, const std::string& out, const std::string& program,
                       const std::string& launcher, std::string* error);

}  // namespace slvtools
