// slvupdate: builds the sample update kit, the folder in which `patcher`
// installs the update into the sample game folder.
//
//   slvupdate SOURCE_DIR OUT_DIR PROGRAM LAUNCHER
//
// OUT_DIR gets data21.pak (the pictures of SOURCE_DIR), readme.txt (code page
// 949) and links "slvexe" and "selvarin" to the two programs.
#include <cstdio>
#include <string>

#include "tools/lib/SampleUpdate.h"

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fputs("usage: slvupdate SOURCE_DIR OUT_DIR PROGRAM LAUNCHER\n", stderr);
    return 2;
  }
  std::string error;
  if (!slvtools::BuildSampleUpdate(argv[1], argv[2], argv[3], argv[4], &error)) {
    std::fprintf(stderr, "slvupdate: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
