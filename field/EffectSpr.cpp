#include "field/EffectSpr.h"

#include <algorithm>

SLV_REGISTER_ACTOR(CEffectSpr, "effectspr");

namespace {
namespace effectspr {

constexpr int kEnd = 29;
constexpr int32_t kEnded = -1;

}  // namespace effectspr
}  // namespace

CEffectSpr::~CEffectSpr() { End(); }

void CEffectSpr::Init(CSelvarinActor* owner, const char* sprite, const char* animation, int32_t action) {
  CSelvarinActor::Init();
  m_owner = owner;
  m_sprName = sprite;
  m_actName = animation;
  m_actionId = action;
  m_action = action;
  m_motion = 0;
  m_drawShadow = 0;
  if (owner != nullptr) m_pos = Vec3{owner->m_pos.x, owner->m_pos.y - kAboveOwner, owner->m_pos.z};
}

void CEffectSpr::End() {
  m_state = effectspr::kEnded;
  if (m_owner != nullptr && m_owner->m_balloon == this) m_owner->m_balloon = nullptr;
  m_owner = nullptr;
}

bool CEffectSpr::OnProcess() {
  if (m_state == effectspr::kEnded) return false;
  if (m_hold != 0) {
    ++m_tick;
    return true;
  }
  if (m_owner != nullptr) m_pos = Vec3{m_owner->m_pos.x, m_owner->m_pos.y - kAboveOwner, m_owner->m_pos.z};
  m_action = m_actionId;
  m_motion = std::min(m_tick / kTicksPerFrame, kLastFrame);
  if (m_tick / kTicksPerFrame > kLastFrame || m_tick > m_lifetime) {
    End();
    return false;
  }
  ++m_tick;
  return true;
}

void CEffectSpr::OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) {
  if (code == effectspr::kEnd) {
    End();
    return;
  }
  CSelvarinActor::OnMessage(sender, code, value0, value1, value2);
}

void CEffectSpr::Render(CRC& rc, const Matrix& view) {
  if (m_visible == 0) return;
  ScreenRect drawn;
  QueueLayers(rc, view, 0xFFFFFFFFu, &drawn);
}
