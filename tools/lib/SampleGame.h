#pragma once
// The sample game folder: a pack of the sample data, the settings file and
// the program beside them.
#include <filesystem>
#include <string>

namespace slvtools {

// Builds the folder `out` from the sources in `sourceData`; `program` and
// `launcher`, when not empty, are linked into the folder as "slvexe" and
// "selvarin" (the launcher's file marks the folder as installed).
bool BuildSampleGame(const std::string& sourceData, const std::string& out, const std::string& program,
                     const std::string& launcher, std::string* error);

// Every file under `stage` packed, compressed, as "data/<its path>".
bool PackDataFolder(const std::filesystem::path& stage, const std::filesystem::path& pack, std::string* error);

// Replaces `link` with a link to `program`.
bool LinkProgram(const std::string& program, const std::filesystem::path& link, std::string* error);

// The settings a windowed 640 x 480 game with sound needs, on the
// rasterizer device, written to `path`.
bool WriteSampleSettings(const std::string& path, const std::string& gameFolder);

}  // namespace slvtools
