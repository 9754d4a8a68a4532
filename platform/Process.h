#pragma once
// Starting other programs: the launcher starts the game, the patcher opens
// the readme.
#include <string>
#include <vector>

namespace platform {
// Starts `program` with `args` (argv[1..]), no shell, not waited for. False when it could not start.
bool StartProgram(const std::string& program, const std::vector<std::string>& args);
// The same, with `folder` as the program's working folder.
bool StartProgramIn(const std::string& program, const std::vector<std::string>& args, const std::string& folder);
// Opens `path` with the desktop's opener (xdg-open found on PATH), not waited for.
bool OpenWithDesktop(const std::string& path);
// Whether the desktop's opener is there.
bool HasDesktopOpener();
}  // namespace platform
