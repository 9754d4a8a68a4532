// Ground files: any bytes load (possibly empty), light, answer heights and
// draw without touching memory outside the file or the grid.
#include <cstddef>
#include <cstdint>

#include "engine/ResMgr.h"
#include "fuzz/DataFileFuzzEnv.h"
#include "render/3dGround.h"
#include "render/GroundPick.h"
#include "render/RC.h"

namespace {

// Every texture "loads" without pixels: the ground only links batches.
platform::Result NameOnly(CTexture& texture, const char* name) {
  texture.m_name = name;
  return platform::S_OK;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static DataFileFuzzEnv env("gnd");
  static CTextureMgr textures(NameOnly);
  static CResMgr resources;
  static CRC565 rc;
  env.Run("f.gnd", data, size, [] {
    {
      C3dGround ground(textures, resources);
      ground.Load("f.gnd");
      ground.ComputeLighting({0.3f, 0.8f, 0.5f}, {1.0f, 1.0f, 1.0f}, {0.2f, 0.2f, 0.2f});
      for (float x = -100.0f; x <= 100.0f; x += 12.5f) ground.GetHeight(x, -x * 0.5f);
      rc.SetViewSize(64, 48);
      Matrix view;
      view.MakeLookAt({5.0f, -60.0f, 60.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
      CGroundPickList picks;
      ground.Render(rc, view, 0.0f, 1.0f, 1, 30, 2, &picks, 1, 1);
      C3dGroundPickInfo::Pick(picks, 32.0f, 24.0f);
      rc.ClearQueues();
    }
    textures.ReleaseAll();
  });
  return 0;
}
