#include "battle/BattleBullet.h"

#include <algorithm>

#include "battle/HitCarrier.h"
#include "engine/Wave.h"
#include "session/ItemMgr.h"
#include "session/Session.h"

namespace {
namespace battlebullet {

constexpr const char* kHitSound = "활맞기.wav";
constexpr float kLiftAboveShooter = 7.0f;
constexpr float kArrowGravity = 0.05f;
constexpr float kArrivalSteps = 5.0f;

// Enemies down, fading out or leaving are passed by.
bool Pierceable(const CSelvarinActor& enemy) {
  return enemy.m_actionCode != kActDying && enemy.m_actionCode != kActRemoved && enemy.m_actionCode != kActDefeated;
}

}  // namespace battlebullet
}  // namespace

const std::array<CBattleBullet::BowRow, CBattleBullet::kBowCount> CBattleBullet::kBows{{
    {"각궁", 1056},
    {"강노", 1057},
    {"고리토스", 1058},
    {"그레이트보우", 1059},
    {"대우전", 1060},
    {"롱보우", 1061},
    {"루드라의활", 1062},
    {"볼로그다", 1063},
    {"사지타", 1064},
    {"숏보우", 1065},
    {"유엽전", 1066},
    {"컴포지트보우", 1067},
    {"크레센트", 1068},
}};

int32_t CBattleBullet::EffectOfBow(const std::string& bow) {
  const auto found = std::find_if(kBows.begin(), kBows.end(), [&](const BowRow& row) { return bow == row.bow; });
  return found != kBows.end() ? found->effect : kOtherBowEffect;
}

CBattleBullet::CBattleBullet() {
  m_screenX = 320;
  m_screenY = 240;
}

void CBattleBullet::Init(CSelvarinActor* shooter, CSelvarinActor* target, int32_t attack) {
  if (const auto* from = dynamic_cast<const CBattleActor*>(shooter)) {
    m_pos = from->m_pos;
    m_shooterId = from->m_battleId;
    // What it fells counts for the member who shot it.
    if (m_shooterId[1] == 1) m_ownerPosition = m_shooterId[0];
  }
  if (const auto* to = dynamic_cast<const CBattleActor*>(target)) {
    m_targetId = to->m_battleId;
    m_viaDecoy = to->m_isDecoy;
  }
  m_attackValue = attack;
}

std::string CBattleBullet::ShooterName() const {
  const CSession& session = CSession::GetInstance();
  if (m_shooterId[1] == 1) {
    const PlayerData* member = session.GetPartyMember(m_shooterId[0]);
    return member != nullptr ? member->name : std::string();
  }
  const int slot = m_shooterId[0];
  return slot >= 0 && slot < CSession::kMaxEnemies ? session.enemies[static_cast<size_t>(slot)].name : std::string();
}

std::string CBattleBullet::ShooterBow() const {
  const PlayerData* member = m_shooterId[1] == 1 ? CSession::GetInstance().GetPartyMember(m_shooterId[0]) : nullptr;
  const CItemMgr& items = CItemMgr::GetInstance();
  if (member == nullptr || member->weapon < 0 || member->weapon >= items.GetCount()) return {};
  return items.GetItem(member->weapon)->name;
}

void CBattleBullet::TakeOff(const CSelvarinActor& shooter) {
  SpawnEffect(ShooterName() == kPiercingShooter ? EffectOfBow(ShooterBow()) : kPlainEffect);
  m_speed = kSpeed;
  m_pos.y = shooter.m_pos.y - battlebullet::kLiftAboveShooter;
}

void CBattleBullet::Strike(const std::array<int32_t, 2>& at) {
  CSession::GetInstance().ResolveBulletHit(m_shooterId[0], m_shooterId[1] == 1, at[0], at[1] == 1, m_attackValue,
                                           this, m_viaDecoy != 0);
}

void CBattleBullet::Pierce() {
  const CSession& session = CSession::GetInstance();
  for (int slot = 0; slot < CSession::kMaxEnemies; ++slot) {
    const std::array<int32_t, 2> id{slot, 0};
    const CSelvarinActor* enemy = session.enemies[static_cast<size_t>(slot)].actor;
    if (enemy == nullptr || id == m_targetId || !battlebullet::Pierceable(*enemy)) continue;
    if (enemy->Distance3d(m_pos.x, m_pos.y, m_pos.z) <= kPierceReach) Strike(id);
  }
}

bool CBattleBullet::OnProcess() {
  const CSelvarinActor* shooter = CSession::GetInstance().GetBattleActor(m_shooterId[0], m_shooterId[1] == 1);
  const CSelvarinActor* target = FindCarrierTarget(m_targetId[0], m_targetId[1], m_viaDecoy);
  if (shooter == nullptr || target == nullptr) return false;
  m_screenX = shooter->m_screenX;
  m_screenY = shooter->m_screenY;
  if (m_tickCount == 0) TakeOff(*shooter);
  StepCarrierToward(*this, *target);
  ApplyGravity(battlebullet::kArrowGravity);
  if (target->DistanceXZ(m_pos.x, m_pos.z) > battlebullet::kArrivalSteps * m_speed && m_tickCount <= kLastFlightTick) {
    if (m_tickCount % kPiercePeriod == 0 && ShooterName() == kPiercingShooter) Pierce();
    ++m_tickCount;
    return true;
  }
  Strike(m_targetId);
  PlayWave(battlebullet::kHitSound);
  return false;
}
