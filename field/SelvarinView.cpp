#include "field/SelvarinView.h"

SLV_REGISTER_CLASS(CSelvarinView);

void CSelvarinView::SetLookAt(const Vec3& position) {
  m_lookAt = position;
  m_targetLookAt = position;
}
