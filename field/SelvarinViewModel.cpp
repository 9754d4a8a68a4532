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
  LightModelOnce(*model, m, frame);
  const int alpha = model->m_alpha != 255 ? 1 : 0;
  DrawModelNode(rc, m, frame, model->m_nodes.front().get(), alpha, 0xFFFFFFFFu, 0, x - rc.m_centerX, 0, 0, y - rc.m_halfHeight, 1.0f, 1.0f);
  rc.FlushAlphaTestTris();
  rc.FlushBlendTris();
}
