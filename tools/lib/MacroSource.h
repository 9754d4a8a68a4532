#pragma once
// Macro sources: a cut-scene as text, for the sample data, built into the
// compiled macro ("rsa") the game plays.
//
//   length N                      the macro's length; it plays N / 10 x 12
//                                 frames
//   channel NAME WRITEBACK MODE   a channel and the actor it binds ("-" for
//                                 none); WRITEBACK 1 leaves the actor where
//                                 the scene left it; MODE is the channel's
//                                 mode value
//   KEY NAME COMMAND...           a command of the channel NAME on frame KEY:
//                                 the rest of the line as it is (UTF-8,
//                                 written in code page 949)
//   # ...                         a comment, on a line of its own
//
// Channels are written in the order they are declared, each with its
// commands in the order of the lines.
#include <filesystem>
#include <string>
#include <vector>

#include "tools/lib/GroundSource.h"

namespace slvtools {

// `macroName`.rsa. False, with the line and the reason in `error`, for a
// malformed source.
bool BuildMacroSource(const std::string& text, const std::string& macroName, std::vector<DataFile>* out,
                      std::string* error);

// Every "NAME.macro" of `sourceFolder` built into `dataFolder`.
bool BuildSampleMacros(const std::filesystem::path& sourceFolder, const std::filesystem::path& dataFolder,
                       std::string* error);

}  // namespace slvtools
