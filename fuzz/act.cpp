// Animation files with their companion sprite: a 4-byte little-endian length
// n, n bytes of the sprite file, and the rest the animation file. Any bytes
// load or fail; what loads is whole.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "engine/ActRes.h"
#include "engine/FileStream.h"
#include "engine/ResMgr.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

void Put(const std::filesystem::path& path, const uint8_t* data, size_t size) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// A game folder of our own as the working directory; its sprite folder.
std::filesystem::path SpriteFolder() {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("slv-fuzz-act-" + std::to_string(std::random_device()()));
  std::filesystem::create_directories(dir / "data" / "sprite");
  std::filesystem::current_path(dir);
  return dir / "data" / "sprite";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::filesystem::path folder = SpriteFolder();
  if (size < 4) return 0;
  const size_t n = std::min<size_t>(size - 4, data[0] | data[1] << 8 | data[2] << 16 | static_cast<size_t>(data[3]) << 24);
  Put(folder / "f.spr", data + 4, n);
  Put(folder / "f.act", data + 4 + n, size - 4 - n);
  SetResDirectory("\\sprite\\");
  {
    CActRes act;
    if (act.Load("f.act")) {
      for (int a = 0; a < act.GetActionCount(); ++a) {
        for (const ActMotion& motion : act.GetAction(a)->motions) {
          const char* event = act.GetEventName(motion.eventIndex);
          Check(event == nullptr || motion.eventIndex < act.GetEventCount());
        }
      }
    } else {
      Check(act.GetActionCount() == 0 && act.GetEventCount() == 0);
    }
  }
  CResMgr::GetInstance().UnloadResources();  // the companion sprite, loaded anew each run
  return 0;
}
