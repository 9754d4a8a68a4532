// Animated model files as the resource manager loads them: any bytes load
// or fail, and lighting and drawing every node in every frame (the field's
// model drawing, wobbling, with outlines) stay inside their tables.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/ResMgr.h"
#include "field/ModelDraw.h"
#include "fuzz/DataFileFuzzEnv.h"
#include "render/3dAnimModelRes.h"
#include "render/PixelRC.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static DataFileFuzzEnv env("rsx");
  env.Run("model/f.rsx", data, size, [] {
    auto* model = dynamic_cast<C3dAnimModelRes*>(CResMgr::GetInstance().GetRes("f.rsx"));
    if (model != nullptr) {
      const Vec3 light{0.3f, -0.8f, 0.5f};
      for (const auto& node : model->m_nodes) {
        // Roots light their children; a frame past the model's is allowed.
        if (node->parent != nullptr) continue;
        for (int frame = -1; frame <= 2; ++frame) {
          node->ComputeLighting(Matrix{}, frame, light, Vec3{1, 1, 1}, Vec3{0.2f, 0.2f, 0.2f}, model->m_shadeType,
                                model->m_alpha);
        }
        static CRC565 rc;
        rc.SetViewSize(64, 48);
        Matrix ahead;
        ahead.MakeTranslation(0.0f, 0.0f, 50.0f);
        for (int frame = -1; frame <= 2; ++frame) {
          DrawModelNode(rc, ahead, frame, node.get(), frame & 1, 0x80000000u, 1, 0, frame + 1, 0, 0, 1.0f, 1.0f);
        }
        rc.ClearQueues();
      }
    }
    CResMgr::GetInstance().UnloadResources();  // the next input loads anew
  });
  return 0;
}
