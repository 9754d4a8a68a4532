// Model files as the resource manager loads them: any bytes load or fail,
// a failed load keeps nothing, and the node tree has no loop.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/ResMgr.h"
#include "fuzz/DataFileFuzzEnv.h"
#include "render/3dModelRes.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static DataFileFuzzEnv env("rsm");
  env.Run("model/f.rsm", data, size, [] {
    const auto* model = dynamic_cast<const C3dModelRes*>(CResMgr::GetInstance().GetRes("f.rsm"));
    if (model != nullptr) {
      for (const auto& node : model->m_nodes) {
        size_t depth = 0;
        for (const C3dModelNode* up = node->parent; up != nullptr; up = up->parent) {
          Check(++depth <= model->m_nodes.size());
        }
        for (const ModelFace& face : node->mesh.faces) {
          for (int k = 0; k < 3; ++k) {
            Check(face.vertex[k] < node->mesh.vertices.size() && face.texVertex[k] < node->mesh.texVertices.size());
          }
          Check(face.smoothGroup >= 0 && face.smoothGroup < kSmoothGroups);
        }
      }
    }
    CResMgr::GetInstance().UnloadResources();  // the next input loads anew
  });
  return 0;
}
