// slvlauncher: the sample folder's launcher.
//
//   slvlauncher SOURCE_DIR PROGRAM OUT GAME_DIR
//
// Writes OUT: PROGRAM with the menu pack built from SOURCE_DIR (pictures and
// launcher.ini) appended. The game folder GAME_DIR gets the manual
// (SOURCE_DIR/manual); slvsample links OUT into it as "selvarin".
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "tools/lib/LauncherPack.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fputs("usage: slvlauncher SOURCE_DIR PROGRAM OUT GAME_DIR\n", stderr);
    return 2;
  }
  const fs::path source = argv[1], out = fs::absolute(argv[3]), game = argv[4];
  std::string error;
  if (!slvtools::WriteLauncherProgram(argv[2], source, out, &error)) {
    std::fprintf(stderr, "slvlauncher: %s\n", error.c_str());
    return 1;
  }
  std::error_code ec;
  fs::create_directories(game, ec);
  if (!ec) {
    fs::copy(source / "manual", game / "manual", fs::copy_options::recursive | fs::copy_options::overwrite_existing,
             ec);
  }
  if (ec) {
    std::fprintf(stderr, "slvlauncher: %s: %s\n", game.string().c_str(), ec.message().c_str());
    return 1;
  }
  return 0;
}
