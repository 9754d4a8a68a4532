// slvsample: builds the sample game folder that `./play` runs and the
// end-to-end tests use.
//
//   slvsample SOURCE_DATA_DIR OUT_DIR [PROGRAM [LAUNCHER]]
//
// OUT_DIR gets data.pak (every file staged under data/, compressed),
// registry.ini (the settings a windowed game with sound needs) and, when
// programs are named, links to them ("slvexe", and "selvarin" for the
// launcher, which marks the folder as installed), so the game runs from its
// own folder.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "tools/lib/SampleGame.h"

int main(int argc, char** argv) {
  if (argc < 3 || argc > 5) {
    std::fputs("usage: slvsample SOURCE_DATA_DIR OUT_DIR [PROGRAM [LAUNCHER]]\n", stderr);
    return 2;
  }
  std::string error;
  if (!slvtools::BuildSampleGame(argv[1], argv[2], argc >= 4 ? argv[3] : "", argc == 5 ? argv[4] : "", &error)) {
    std::fprintf(stderr, "slvsample: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
