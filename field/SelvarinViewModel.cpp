// The game view's model on the HUD.
#include <algorithm>

#include "field/ModelDraw.h"
#include "field/SelvarinView.h"
#include "render/3dAnimModelRes.h"
#include "render/RC.h"

namespace {

constexpr float kHudScale = 0.025f;

}  // namespace

void CSelvarinView::DrawModel(CRC& rc, int x, int y, C3dAnimModelRes* model, float scale, float angleX,
                              float angleY, float angleZ, int frame) {
  // A model missing, without nodes or without frames draws nothing and is
  // never lit.
  if (model == nullptr || model->m_nodes.empty() || model->m_numFrames <= 0) return;
  const float k = scale * kHudScale * model->m_scale;
  Matrix m;
  m.MakeScale(k, k, k);
  m.Translate(model->m_offset * k);
  m.RotateY(angleY * kDegToRad);
  m.RotateX(angleX * kDegToRad);
  m.RotateZ(angleZ * kDegToRad);
  Matrix::Multiply(m, m, m_hudModelView);
  C3dAnimModelNode* first = model->m_nodes.front().get();
  if (model->m_lit == 0) {
    Vec3 light{1.0f, 1.0f, 0.0f};
    first->ComputeLighting(m, std::clamp(frame, 0, model->m_numFrames - 1), light.Normalize(), Vec3{1.0f, 1.0f, 1.0f},
                           Vec3{0.45f, 0.45f, 0.45f}, model->m_shadeType, model->m_alpha);
    model->m_lit = 1;
  }
  const int alpha = model->m_alpha != 255 ? 1 : 0;
  DrawModelNode(rc, m, frame, first, alpha, 0xFFFFFFFFu, 0, x - rc.m_centerX, 0, 0, y - rc.m_halfHeight, 1.0f, 1.0f);
  rc.FlushAlphaTestTris();
  rc.FlushBlendTris();
}
