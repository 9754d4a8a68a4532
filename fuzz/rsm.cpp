// Model files as the resource manager loads them: any bytes load or fail,
// a failed load keeps nothing, and the node tree has no loop. What loads is
// placed as a 3-D actor: animated, lit, drawn and asked the box queries.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/ResMgr.h"
#include "fuzz/DataFileFuzzEnv.h"
#include "render/3dActor.h"
#include "render/3dModelRes.h"
#include "render/PixelRC.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// Every node in turn, mirrored every other time; frames in and out of range.
void Place(const C3dModelRes& model) {
  static CRC565 rc;
  rc.SetViewSize(64, 48);
  Matrix view;
  view.MakeLookAt({10.0f, -40.0f, -120.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
  float sx = 1.0f;
  for (const auto& node : model.m_nodes) {
    C3dActor actor;
    actor.m_animLen = model.m_animLen;
    actor.m_shade = model.m_shadeType;
    actor.CopyNodeRecords(model.m_boxes);
    actor.SetPlacement(10.0f, 30.0f, 0.0f, 1.0f, 2.0f, 3.0f, sx, 1.0f, 1.0f);
    sx = -sx;
    actor.SetModel(node.get());
    for (int frame : {0, model.m_animLen / 2, std::max(model.m_animLen, 1) - 1, -1}) {
      actor.SetAnimFrame(frame);
      actor.UpdateNodeMatrices({0.3f, 0.8f, 0.5f}, {1.0f, 1.0f, 1.0f}, {0.2f, 0.2f, 0.2f});
      actor.Render(rc, view);
    }
    Vec3 point{1.0f, 0.0f, 3.0f};
    actor.IsInsideBox(point);
    actor.GetStandHeight(point, 0.0f);
    actor.PushOut(point);
  }
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
      Place(*model);
    }
    CResMgr::GetInstance().UnloadResources();  // the next input loads anew
  });
  return 0;
}
