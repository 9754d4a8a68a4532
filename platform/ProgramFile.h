#pragma once
// Whether a file is a program this machine can run, so that an installer can
// refuse one that would leave the game unable to start.
#include <string>

namespace platform {
// An ELF executable of the running program's own class, byte order and
// machine, whose program headers and loaded segments lie inside the file. An
// empty file, a text, a cut-short copy or another machine's program is not.
bool IsProgramForThisMachine(const std::string& path);
}  // namespace platform
