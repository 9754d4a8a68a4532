// The steps the primitive kinds share: fading, animation, the trail, the
// wander drift and the ground rules.
#include <algorithm>
#include <cmath>

#include "effect/EffectPrimitive.h"
#include "effect/SelvarinEffect.h"
#include "engine/ActRes.h"
#include "engine/ResMgr.h"
#include "field/SelvarinContext.h"
#include "platform/Random.h"
#include "render/3dAttr.h"

namespace {
namespace effectprimitivesteps {

constexpr float kPulseFloor = 64.0f;
constexpr float kBounce = -0.6666667f;

int32_t ClampByte(int32_t value) { return std::clamp(value, 0, 255); }

// A drift of 0.05 to 0.09, either way.
float WanderDrift() {
  const float drift = static_cast<float>(platform::Rand() % 5 + 5) * 0.01f;
  return platform::Rand() % 2 == 0 ? -drift : drift;
}

}  // namespace effectprimitivesteps
}  // namespace

int32_t CEffectPrimitive::WholeNumber(float value) {
  if (std::isnan(value)) return 0;
  return static_cast<int32_t>(std::clamp(value, -2147483520.0f, 2147483520.0f));
}

uint32_t CEffectPrimitive::PackColour(float alpha) const {
  const int32_t a = effectprimitivesteps::ClampByte(WholeNumber(alpha));
  return (static_cast<uint32_t>(a) << 24) + (static_cast<uint32_t>(effectprimitivesteps::ClampByte(m_red)) << 16) +
         (static_cast<uint32_t>(effectprimitivesteps::ClampByte(m_green)) << 8) + static_cast<uint32_t>(effectprimitivesteps::ClampByte(m_blue));
}

void CEffectPrimitive::AdvanceFade() {
  const int32_t age = m_tickCount;
  if (m_pulsing != 0) {
    if ((m_alphaStep >= 0.0f && m_alpha >= m_alphaMax) || (m_alphaStep < 0.0f && m_alpha <= effectprimitivesteps::kPulseFloor)) {
      m_alphaStep = -m_alphaStep;
    }
  }
  // A primitive outliving its effect fades out with it; with no frames left
  // it is gone at once.
  if (m_fading == 0 && m_effect != nullptr) {
    const int32_t effectLeft = m_effect->m_lifetime - m_effect->m_tickCount;
    if (effectLeft < m_lifetime - age) {
      m_fading = 1;
      m_pulsing = 0;
      m_alphaStep = effectLeft > 0 ? -(m_alpha / static_cast<float>(effectLeft)) : m_alphaMin - m_alpha;
    }
  }
  if (age == m_fadeStartFrame) {
    m_pulsing = 0;
    const int32_t left = m_lifetime - age;
    m_alphaStep = left > 0 ? -(m_alpha / static_cast<float>(left)) * m_fadeFactor : m_alphaMin - m_alpha;
  }
  m_alpha = std::clamp(m_alpha + m_alphaStep, m_alphaMin, m_alphaMax);
  m_packedColour = PackColour(m_alpha);
}

// The number of motions of the current action, the action index held to the
// resource's actions; 0 without a resource.
int32_t CEffectPrimitive::AnimationLength() const {
  if (m_kind == SwirlRing || m_kind == FlatQuad || m_kind == TumbleQuad || m_kind == CrossQuad) {
    return std::max(m_textureCount, 0);
  }
  if (m_actName.empty()) return 0;
  const auto* actions = dynamic_cast<const CActRes*>(CResMgr::GetInstance().GetResStr(m_actName));
  if (actions == nullptr || actions->GetActionCount() == 0) return 0;
  const ActAction* action = actions->GetAction(std::clamp(m_action, 0, actions->GetActionCount() - 1));
  return action != nullptr ? static_cast<int32_t>(action->motions.size()) : 0;
}

void CEffectPrimitive::AdvanceAnimation() {
  const int32_t step = std::max(m_frameStep, 1);
  if (m_tickCount % step != 0) return;
  const int32_t length = AnimationLength();
  m_motion = length > 0 ? (m_motion + 1) % length : 0;
  if (m_motion < 0) m_motion = 0;
}

// Each older slot takes the one before it, with alpha and size thinned by
// its place from the current values; slot 0 the current state.
void CEffectPrimitive::ShiftTrail() {
  m_trailCount = std::clamp(m_trailCount, 1, kMaxTrail);
  const float count = static_cast<float>(m_trailCount);
  for (int32_t k = m_trailCount - 1; k >= 1; --k) {
    TrailSlot& slot = m_trail[static_cast<size_t>(k)];
    slot = m_trail[static_cast<size_t>(k - 1)];
    const float kf = static_cast<float>(k);
    const float alpha = m_alpha - kf * (m_alpha / count);
    slot.alpha = effectprimitivesteps::ClampByte(WholeNumber(alpha));
    slot.size = m_size - kf * (m_size / count) * 0.5f;
    slot.red = m_red;
    slot.green = m_green;
    slot.blue = m_blue;
    slot.packedColour = PackColour(alpha);
  }
  m_trail[0] = CurrentTrailSlot();
}

void CEffectPrimitive::FillTrail() {
  m_trailCount = std::clamp(m_trailCount, 1, kMaxTrail);
  std::fill_n(m_trail.begin(), m_trailCount, CurrentTrailSlot());
}

TrailSlot CEffectPrimitive::CurrentTrailSlot() const {
  TrailSlot current;
  current.position = m_pos;
  current.p1 = m_p1;
  current.p2 = m_p2;
  current.p3 = m_p3;
  current.p4 = m_p4;
  current.radius = m_radius;
  current.size = m_size;
  current.yaw = m_yaw;
  current.matrix = m_matrix;
  current.alpha = effectprimitivesteps::ClampByte(WholeNumber(m_alpha));
  current.red = m_red;
  current.green = m_green;
  current.blue = m_blue;
  current.packedColour = m_packedColour;
  return current;
}

// New drifts when due: the period first, then x and z, each a size and a
// side. A period of 0 is due at once.
void CEffectPrimitive::Wander(int32_t basePeriod, int32_t periodSpread) {
  if ((m_primitiveFlags & kWanderFlag) == 0) return;
  if (m_wanderPeriod <= 0 || m_tickCount % m_wanderPeriod == 0) {
    m_wanderPeriod = basePeriod + platform::Rand() % periodSpread;
    m_wanderDrift.x = effectprimitivesteps::WanderDrift();
    m_wanderDrift.z = effectprimitivesteps::WanderDrift();
  }
  m_offset.x += m_wanderDrift.x;
  m_offset.z += m_wanderDrift.z;
}

bool CEffectPrimitive::GroundHeight(float x, float z, float* height) {
  const CSelvarinContext* context = GetFieldContext();
  if (context == nullptr || context->m_pAttr == nullptr) return false;
  *height = context->m_pAttr->GetHeight(x, z);
  return true;
}

// The vertical axis points down: a ground height smaller than y lies above
// the point.
bool CEffectPrimitive::BelowGround() const {
  float ground = 0.0f;
  return GroundHeight(m_pos.x, m_pos.z, &ground) && ground < m_pos.y;
}

void CEffectPrimitive::Bounce() {
  if (m_riseSpeed > 0.0f && BelowGround()) m_riseSpeed *= effectprimitivesteps::kBounce;
}
