#include "battle/SpawnedBattleObjects.h"

#include <cmath>

#include "platform/Random.h"

namespace {
constexpr float kDegree = 0.017453289f;
}

void CBattleIllusion::CopyFrom(const CSelvarinActor& source) {
  m_source = &source;
  m_sprName = source.m_sprName;
  m_actName = source.m_actName;
  m_name = source.m_name;
  const float angle = static_cast<float>(platform::Rand() % 360) * kDegree;
  const float distance = static_cast<float>(12 + platform::Rand() % 10);
  m_pos = Vec3{source.m_pos.x + std::sin(angle) * distance, source.m_pos.y, source.m_pos.z - std::cos(angle) * distance};
  m_angle = source.m_angle;
}

void CBattleBoundObject::Bind(CSelvarinActor* user, CSelvarinActor* target, int32_t kind) {
  m_user = user;
  m_target = target;
  m_kind = kind;
  if (user == nullptr) return;
  m_pos = user->m_pos;
  if (const auto* owner = dynamic_cast<const CBattleObject*>(user)) m_ownerPosition = owner->m_ownerPosition;
}
