// Attribute-grid files: any bytes load or fail, and every query stays inside
// the grid.
#include <cstddef>
#include <cstdint>

#include "fuzz/DataFileFuzzEnv.h"
#include "render/3dAttr.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static DataFileFuzzEnv env("gat");
  env.Run("f.gat", data, size, [] {
    C3dAttr attr;
    attr.Load("f.gat");
    for (float x = -200.0f; x <= 200.0f; x += 7.5f) {
      attr.GetCellType(x, x * 0.3f);
      attr.GetHeight(-x, x);
    }
  });
  return 0;
}
