#pragma once
// The launcher's menu pack: the folder entry "images", the set-up dialog's
// filtering previews, the pictures drawn from the "*.picture" sources of the
// launcher's data folder, and the menu script "launcher.ini", all
// LZSS-compressed. The pack is appended to the
// launcher program, whose file it then ends.
#include <filesystem>
#include <string>

#include "tools/lib/PackWriter.h"

namespace slvtools {

bool BuildLauncherPack(const std::filesystem::path& source, const std::string& fontFolder, PackWriter* pack,
                       std::string* error);

// Writes `out`: the program's bytes followed by the pack, executable.
bool WriteLauncherProgram(const std::filesystem::path& program, const std::filesystem::path& source,
                          const std::filesystem::path& out, std::string* error);

}  // namespace slvtools
