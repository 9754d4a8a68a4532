#include "battle/BattleIllusion.h"

#include <cmath>

#include "battle/BattlePlayer.h"
#include "field/SelvarinContext.h"
#include "platform/Random.h"
#include "session/Session.h"

namespace {
namespace battleillusion {

constexpr float kDegree = 0.017453289f;
constexpr int kForgetEffect = 46;
constexpr uint32_t kClear = 0x00FFFFFFu;

int32_t SourceHp(const CBattleActor& source) {
  if (const auto* member = dynamic_cast<const CBattlePlayer*>(&source)) {
    return member->m_record != nullptr ? member->m_record->hp : 0;
  }
  const int slot = source.m_battleId[0];
  const CSession& session = CSession::GetInstance();
  return slot >= 0 && slot < CSession::kMaxEnemies ? session.enemies[static_cast<size_t>(slot)].hp : 0;
}

}  // namespace battleillusion
}  // namespace

CBattleIllusion::CBattleIllusion() { m_isDecoy = 1; }

void CBattleIllusion::CopyFrom(CBattleActor& source) {
  m_decoyHp = battleillusion::SourceHp(source);
  m_source = &source;
  // The whole pair, so that whatever is aimed at the decoy finds a participant.
  m_battleId = source.m_battleId;
  m_sprName = source.m_sprName;
  m_actName = source.m_actName;
  m_name = source.m_name;
  SetAnimation(0, 6, kPlayLoop);
  m_angle = source.m_angle;
  const float a1 = static_cast<float>(platform::Rand() % 360) * battleillusion::kDegree;
  const float a2 = static_cast<float>(platform::Rand() % 360) * battleillusion::kDegree;
  const float d1 = static_cast<float>(12 + platform::Rand() % 10);
  const float d2 = static_cast<float>(12 + platform::Rand() % 10);
  m_pos.x = source.m_pos.x + std::sin(a1) * d1;
  m_pos.z = source.m_pos.z + std::cos(a2) * d2;
  const CSelvarinContext* context = GetFieldContext();
  m_pos.y = context != nullptr ? context->GetStandHeight(m_pos) : source.m_pos.y;
  m_tint = battleillusion::kClear;
  m_visible = m_sprName.empty() || m_actName.empty() ? 0 : 1;
  SetAction(kActIdle);
  source.m_decoy = this;
}

bool CBattleIllusion::OnProcess() {
  if (m_visible == 0) return true;
  if (m_tickCount < kFadeInTicks) {
    AddTint(2, 0, 0, 0);
  } else if (m_actionCode == kActRemoved) {
    if (AddTint(-2, 0, 0, 0) <= battleillusion::kClear) Vanish();
  } else {
    m_tint = kStandingTint;
  }
  PostProcess();
  ++m_tickCount;
  return true;
}

// Beaten, it is no longer seen, but the participant still names it as its
// decoy until the battle is torn down.
void CBattleIllusion::Vanish() { m_visible = 0; }

void CBattleIllusion::PostProcess() {
  if (m_source != nullptr) {
    m_sprName = m_source->m_sprName;
    m_actName = m_source->m_actName;
    m_action = m_source->m_action;
    m_motion = m_source->m_motion;
  }
  if (const CSelvarinContext* context = GetFieldContext()) m_pos.y = context->GetStandHeight(m_pos);
}

void CBattleIllusion::OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) {
  if (code == battleillusion::kForgetEffect) {
    CBattleObject::OnMessage(sender, code, value0, value1, value2);
    return;
  }
  if (code != kMsgHit) return;
  const auto damage = static_cast<int32_t>(value0);
  if (auto* hitter = dynamic_cast<CActor*>(sender)) hitter->OnMessage(this, kMsgHitConfirmed, damage, 0, 0);
  m_decoyHp -= damage;
  // The fade starts where the count stands.
  if (m_decoyHp < 0) m_actionCode = kActRemoved;
}
