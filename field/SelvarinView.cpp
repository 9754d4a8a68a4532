#include "field/SelvarinView.h"

#include "field/SelvarinContext.h"
#include "render/3dGround.h"
#include "render/RC.h"

SLV_REGISTER_CLASS(CSelvarinView);

void CSelvarinView::SetLookAt(const Vec3& position) {
  m_lookAt = position;
  m_targetLookAt = position;
}

void CSelvarinView::Render(CRC& rc) {
  const CSelvarinContext* context = GetFieldContext();
  if (context != nullptr) {
    CullNodes(rc, context->m_tree);
    rc.ApplyFog();
    FlushDrawList(rc, 0);
    if (context->m_pGround != nullptr) {
      context->m_pGround->Render(rc, m_viewMatrix, 0.0f, 0.0f, m_waterSet, m_waveWater, m_extendClip, nullptr, -1, -1);
    }
    rc.DrawOpaqueTextureBatches();
    rc.DrawAlphaTextureBatches();
    rc.DrawFlaggedTextureBatches(true);
    // Still to come here: the actors' and effects' drawing.
    rc.FlushQuads();
    rc.FlushTrisZLess();
    rc.FlushEffectQuads();
    rc.FlushAlphaTestTris();
    rc.FlushQuadsA();
    rc.FlushQuadsB();
    rc.FlushSpriteQuads();
    FlushDrawList(rc, 1);
    rc.FlushBlendTris();
    rc.FlushBlendTrisTested();
    rc.FlushAdditiveTris();
    rc.FlushTrisZLessEqual();
    rc.FlushTrisNoDepthTest();
    rc.FlushOverlayQuads();
  }
  C3dView::Render(rc);
  m_visibleNodes.clear();
}

void CSelvarinView::SaveCamera() {
  m_saved = SavedCamera{m_pitch,       m_yaw,       m_distance,       m_lookAt,
                        m_targetPitch, m_targetYaw, m_targetDistance, m_targetLookAt};
}

void CSelvarinView::RestoreCamera() {
  m_pitch = m_saved.pitch;
  m_yaw = m_saved.yaw;
  m_distance = m_saved.distance;
  m_lookAt = m_saved.lookAt;
  m_targetPitch = m_saved.targetPitch;
  m_targetYaw = m_saved.targetYaw;
  m_targetDistance = m_saved.targetDistance;
  m_targetLookAt = m_saved.targetLookAt;
}
