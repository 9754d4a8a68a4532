// The launcher's menu script: every line read, parsed into items, and each
// hot spot hit-tested and drawn into a back buffer smaller than its pictures.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "launcher/MemoryStream.h"
#include "launcher/MenuScript.h"
#include "launcher/ScriptReader.h"
#include "tools/lib/TextureImages.h"

namespace {

// A folder of our own with the three menu pictures as the working directory.
struct MenuFolder {
  MenuFolder()
      : root(std::filesystem::temp_directory_path() / ("slv-fuzz-menu-" + std::to_string(std::random_device()()))) {
    std::filesystem::create_directories(root / "images");
    std::filesystem::current_path(root);
    const slvtools::RgbaImage picture(16, 16, slvtools::Rgba{1, 2, 3, 255});
    for (const char* name : {"images/normal.bmp", "images/selected.bmp", "images/hide.bmp"}) {
      std::ofstream(root / name, std::ios::binary) << slvtools::WriteBmp24(picture);
    }
  }
  ~MenuFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
  }
  std::filesystem::path root;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const MenuFolder folder;
  MemoryStream stream(std::string_view(reinterpret_cast<const char*>(data), size));
  std::vector<uint8_t> buffer(12 * 40, 0);
  int line = 0;
  for (std::string text; ReadScriptLine(stream, &text) && line < 64; ++line) {
    ScriptSlots slots;
    ParseScriptCall(text, "check", &slots);
    std::unique_ptr<MenuItem> item = ParseMenuLine(text);
    if (item == nullptr) continue;
    item->HitTest(line % 20, line % 15);
    item->Draw(buffer.data(), 40, 12, 0.3f);
    item->Draw(buffer.data(), 40, 12, 0.3f);
  }
  return 0;
}
