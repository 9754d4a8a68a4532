#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "battle/ActionCode.h"
#include "battle/BattleMagicSpike.h"
#include "battle/HitCarrier.h"
#include "battle/SpawnedBattleObjects.h"
#include "effect/SelvarinEffect.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "platform/DebugLog.h"
#include "platform/Random.h"
#include "session/MagicMgr.h"
#include "session/Session.h"

namespace {
namespace battlemagic {

constexpr int kHitSignal = 60;
constexpr int kSpikeGone = 62;
constexpr int32_t kQuakeOverlay = 4;
constexpr float kRadiansPerDegree = 3.14159265f / 180.0f;

// Who a sweep reaches.
enum class Side : uint8_t { kOpponents, kTargetSide, kBoth };

// What a type does each tick, apart from the types coded on their own.
enum class Tick : uint8_t {
  kIdle,          // hits come from its effects' hit signals
  kApplyFollow,   // apply at 0, follow every tick
  kApplyLater,    // follow every tick, apply and show the second effect at 120
  kFollowOnce,    // follow at 0
  kApplyOnce,     // apply and follow at 0
  kFollow,        // follow every tick
  kSweep,         // hit sweeps, see the row
  kSpecial,       // coded below
};

struct TickRow {
  Tick kind = Tick::kIdle;
  int16_t period = 0;    // a sweep every this many ticks; 0: once at t = 0
  float radius = 0.0f;
  Side side = Side::kOpponents;
  int16_t lastTick = 0;  // ends once t passes it; 0: no such end
  bool endOnHit = false;
  bool skipBosses = false;
  bool counts = false;   // a sweep reaching someone adds to m_hitCount
};

constexpr TickRow Row(Tick kind) { return TickRow{kind}; }
constexpr TickRow Sweep(int16_t period, float radius, Side side, int16_t lastTick, bool endOnHit, bool skipBosses,
                        bool counts) {
  return TickRow{Tick::kSweep, period, radius, side, lastTick, endOnHit, skipBosses, counts};
}

TickRow TickRowOf(int type) {
  switch (type) {
    case 0: case 1: case 2: case 3: case 4: case 5: case 6: case 7: case 14: case 17: case 18: case 19:
      return Row(Tick::kApplyFollow);
    case 8: case 9: case 10:
      return Row(Tick::kApplyLater);
    case 11: case 34: case 48:
      return Row(Tick::kFollowOnce);
    case 16:
      return Row(Tick::kFollow);
    case 33: case 54: case 55: case 56:
      return Row(Tick::kApplyOnce);
    case 23:
      return Sweep(0, 1000.0f, Side::kOpponents, 0, false, false, true);
    case 25:
      return Sweep(30, 15.0f, Side::kBoth, 1000, true, false, false);
    case 26: case 27:
      return Sweep(30, 15.0f, Side::kBoth, 1000, false, false, false);
    case 28:
      return Sweep(30, 15.0f, Side::kBoth, 1000, false, true, false);
    case 30:
      return Sweep(0, 25.0f, Side::kBoth, 0, false, false, false);
    case 15: case 20: case 21: case 22: case 24: case 29: case 31: case 32: case 35: case 36: case 38: case 39:
    case 41: case 42: case 43: case 44: case 45: case 46: case 47: case 57: case 59:
      return Row(Tick::kSpecial);
    default:
      return Row(Tick::kIdle);
  }
}

// What a hit signal does.
enum class Signal : uint8_t {
  kNothing,
  kCountApplyNear,  // count, and apply when the target is within 10
  kSweep,           // around the magic
  kSweepAtTarget,   // around the target
  kSweepAtRandom,   // around a random point of the battle grid
  kByRecord,        // by the magic record's target type
};

struct SignalRow {
  Signal kind = Signal::kByRecord;
  float radius = 0.0f;
  Side side = Side::kOpponents;
  bool onlyBeforeHits = false;
};

SignalRow SignalRowOf(int type) {
  switch (type) {
    case 11: case 34: return {Signal::kCountApplyNear};
    case 12: case 13: case 53: case 60: return {Signal::kSweep, 1000.0f};
    case 35: case 37: case 41: return {Signal::kSweep, 25.0f};
    case 36: case 38: case 39: return {Signal::kSweep, 15.0f, Side::kTargetSide};
    case 40: return {Signal::kSweep, 120.0f};
    case 42: return {Signal::kSweep, 60.0f};
    case 43: return {Signal::kSweep, 20.0f};
    case 44: case 46: return {Signal::kSweep, 15.0f};
    case 45: case 52: return {Signal::kSweep, 30.0f};
    case 47: return {Signal::kSweep, 30.0f, Side::kOpponents, true};
    case 49: case 51: return {Signal::kSweepAtTarget, 20.0f, Side::kTargetSide};
    case 50: return {Signal::kSweepAtTarget, 25.0f};
    case 58: return {Signal::kSweepAtRandom, 30.0f};
    case 59: return {Signal::kSweep, 15.0f};
    case 23: case 24: case 25: case 26: case 27: case 28: case 29: case 57: return {Signal::kNothing};
    default: return {Signal::kByRecord};
  }
}

bool SpawnsNothingAtInit(int type) {
  return (type >= 31 && type <= 33) || type == 35 || type == 39 || type == 41 || (type >= 43 && type <= 47);
}

// A random grid point of 58: 20 apart, 80 either way of the centre.
float RandomGridOffset() { return static_cast<float>(20 * (platform::Rand() % 9) - 80); }

}  // namespace battlemagic
}  // namespace

const std::array<std::array<int16_t, 2>, CBattleMagic::kTypeCount> CBattleMagic::kEffects{{
    {245, 209}, {246, 209}, {247, 209}, {253, 209}, {254, 209}, {255, 209}, {256, 209},     // 0-6
    {257, 209}, {242, 245}, {243, 246}, {244, 247}, {248, 241}, {250, 209}, {251, 209},     // 7-13
    {252, 209}, {209, 209}, {209, 249}, {211, 209}, {212, 209}, {211, 209}, {209, 209},     // 14-20
    {209, 209}, {209, 209}, {213, 209}, {214, 209}, {215, 216}, {217, 218}, {219, 209},     // 21-27
    {220, 209}, {222, 209}, {223, 209}, {224, 209}, {225, 209}, {226, 209}, {228, 209},     // 28-34
    {229, 209}, {230, 209}, {231, 209}, {230, 209}, {232, 209}, {233, 209}, {234, 209},     // 35-41
    {235, 1069}, {1003, 1004}, {237, 230}, {1005, 1006}, {239, 230}, {230, 216}, {259, 209}, // 42-48
    {260, 209}, {261, 209}, {262, 209}, {263, 209}, {264, 209}, {209, 209}, {266, 209},     // 49-55
    {266, 209}, {267, 209}, {268, 209}, {269, 209}, {270, 209},                             // 56-60
}};

void CBattleMagic::Init(CSelvarinActor* caster, CSelvarinActor* target, int32_t type) {
  Bind(caster, target, type);
  m_type = type;
  if (const auto* from = dynamic_cast<const CBattleActor*>(caster)) {
    m_casterId = from->m_battleId[0];
    m_casterIsParty = from->m_battleId[1];
    // A kill by the spell counts for the member who cast it.
    if (m_casterIsParty == 1) m_ownerPosition = m_casterId;
  }
  if (const auto* to = dynamic_cast<const CBattleActor*>(target)) {
    m_targetId = to->m_battleId[0];
    m_targetIsParty = to->m_battleId[1];
    m_viaDecoy = to->m_isDecoy;
  }
  if (type < 0 || type >= kTypeCount || battlemagic::SpawnsNothingAtInit(type)) return;
  const auto& row = kEffects[static_cast<size_t>(type)];
  const bool onItself = m_casterId == m_targetId && m_casterIsParty == m_targetIsParty;
  if (type >= 8 && type <= 10 && !onItself) return;
  if (type == 37) m_life = -1;
  if (type == 16) {
    SpawnEffect(onItself ? row[0] : row[1]);
    return;
  }
  SpawnEffect(row[0]);
  if (type == 11 && caster != nullptr) caster->SpawnEffect(row[1]);
  if (type >= 49 && type <= 51 && target != nullptr && !m_effects.empty()) {
    m_effects.back()->m_startPoint = target->m_pos;
    if (caster != nullptr) m_pos = caster->m_pos;
  }
}

CBattleMagic::CBattleMagic() {
  m_screenX = 320;
  m_screenY = 240;
}

void CBattleMagic::Render(CRC& rc, const Matrix& view) { RenderCarrier(*this, rc, view); }

CBattleMagic::~CBattleMagic() {
  // A battle torn down mid-flood or mid-quake leaves the field as it was.
  EndFieldEffects();
  if (m_spike != nullptr) m_spike->OnMessage(this, 63, 0, 0, 0);
}

bool CBattleMagic::HitInRadius(float radius, bool party, const CSelvarinActor* leftOut, bool skipBosses) {
  return HitAroundPoint(radius, party, m_pos, leftOut, skipBosses);
}

bool CBattleMagic::HitAroundPoint(float radius, bool party, const Vec3& point, const CSelvarinActor* leftOut,
                                  bool skipBosses) {
  CSession& session = CSession::GetInstance();
  const int count = party ? CSession::kMaxParty : CSession::kMaxEnemies;
  bool reached = false;
  for (int i = 0; i < count; ++i) {
    const CSelvarinActor* actor = session.GetBattleActor(i, party);
    if (actor == nullptr || actor == leftOut) continue;
    if (skipBosses && !party && session.IsBossEnemy(i)) continue;
    if (!(actor->Distance3d(point.x, point.y, point.z) < radius)) continue;
    session.ApplyMagicEffect(m_casterId, m_casterIsParty == 1, i, party, m_type, this, m_viaDecoy);
    reached = true;
  }
  return reached;
}

namespace {
namespace battlemagic {

// The sides a sweep of the row covers, one sweep each; true when any reached.
template <typename SweepOne>
bool SweepSides(Side side, bool casterIsParty, bool targetIsParty, SweepOne sweep) {
  switch (side) {
    case Side::kOpponents: return sweep(!casterIsParty);
    case Side::kTargetSide: return sweep(targetIsParty);
    case Side::kBoth: {
      const bool party = sweep(true);
      const bool enemies = sweep(false);
      return party || enemies;
    }
  }
  return false;
}

}  // namespace battlemagic
}  // namespace

bool CBattleMagic::OnProcess() {
  CSession& session = CSession::GetInstance();
  CSelvarinActor* caster = session.GetBattleActor(m_casterId, m_casterIsParty == 1);
  CSelvarinActor* target = session.GetBattleActor(m_targetId, m_targetIsParty == 1);
  if (caster == nullptr || target == nullptr) {
    EndFieldEffects();
    return false;
  }
  if (m_viaDecoy != 0) {
    const auto* aimed = dynamic_cast<const CBattleActor*>(target);
    target = aimed != nullptr ? aimed->m_decoy : nullptr;
    if (target == nullptr) return false;
  }
  if (m_type > 60) {
    DebugLog("Invalid Magic In CBattleMagic::OnProcess()");
  } else if (!StepType(*target)) {
    return false;
  }
  if (m_life != -1 && m_tickCount > m_life) return false;
  ++m_tickCount;
  return true;
}

void CBattleMagic::Apply() {
  CSession::GetInstance().ApplyMagicEffect(m_casterId, m_casterIsParty == 1, m_targetId, m_targetIsParty == 1, m_type,
                                           this, m_viaDecoy);
}

bool CBattleMagic::Sweep(float radius, int side, bool skipBosses, const Vec3* point) {
  return battlemagic::SweepSides(static_cast<battlemagic::Side>(side), m_casterIsParty == 1, m_targetIsParty == 1, [&](bool party) {
    return point != nullptr ? HitAroundPoint(radius, party, *point, nullptr, skipBosses)
                            : HitInRadius(radius, party, nullptr, skipBosses);
  });
}

bool CBattleMagic::StepType(const CSelvarinActor& target) {
  const int t = m_tickCount;
  const battlemagic::TickRow row = battlemagic::TickRowOf(m_type);
  switch (row.kind) {
    case battlemagic::Tick::kIdle:
      return true;
    case battlemagic::Tick::kApplyFollow:
      if (t == 0) Apply();
      m_pos = target.m_pos;
      return true;
    case battlemagic::Tick::kApplyLater:
      m_pos = target.m_pos;
      if (t == 120) {
        Apply();
        SpawnEffect(kEffects[static_cast<size_t>(m_type)][1]);
      }
      return true;
    case battlemagic::Tick::kFollowOnce:
      if (t == 0) m_pos = target.m_pos;
      return true;
    case battlemagic::Tick::kApplyOnce:
      if (t == 0) {
        Apply();
        m_pos = target.m_pos;
      }
      return true;
    case battlemagic::Tick::kFollow:
      m_pos = target.m_pos;
      return true;
    case battlemagic::Tick::kSweep:
      return StepSweep(row.period, row.radius, static_cast<int>(row.side), row.lastTick, row.endOnHit, row.skipBosses,
                       row.counts);
    case battlemagic::Tick::kSpecial:
      return StepSpecial(target);
  }
  return true;
}

bool CBattleMagic::StepSweep(int period, float radius, int side, int lastTick, bool endOnHit, bool skipBosses,
                             bool counts) {
  const int t = m_tickCount;
  if (lastTick > 0 && t > lastTick) return false;
  const bool due = period > 0 ? t % period == 0 : t == 0;
  if (!due) return true;
  const bool reached = Sweep(radius, side, skipBosses, nullptr);
  if (reached && counts) ++m_hitCount;
  return !(reached && endOnHit);
}

float CBattleMagic::Ground(float x, float z) const {
  const CSelvarinContext* context = GetFieldContext();
  return context != nullptr ? context->GroundAt(x, z) : 0.0f;
}

bool CBattleMagic::StepSpecial(const CSelvarinActor& target) {
  const int t = m_tickCount;
  switch (m_type) {
    case 15: return StepFlood();
    case 20: case 21: case 22:
      if (t == m_delay) RaiseSpike();
      return true;
    case 24: return StepQuake(target);
    case 29: {
      m_angle = std::fmod(m_angle + 10.0f, 360.0f);
      const float h = m_angle * battlemagic::kRadiansPerDegree;
      m_pos = {target.m_pos.x + 10.0f * std::cos(h), target.m_pos.y - 5.0f, target.m_pos.z + 10.0f * std::sin(h)};
      return !(t % 30 == 0 && Sweep(15.0f, static_cast<int>(battlemagic::Side::kOpponents), false, nullptr));
    }
    case 31: case 32: return StepFall();
    case 35:
      if (t == m_delay) SpawnEffect(229);
      return true;
    case 36: case 39: return StepMover(target);
    case 38: return m_hitCount < 3;
    case 47:
      if (t == m_delay) {
        m_countdown = 50;
        Sweep(25.0f, static_cast<int>(battlemagic::Side::kOpponents), false, nullptr);
        SpawnEffect(216);
      }
      if (t >= m_delay) --m_countdown;
      return m_countdown > 0;
    case 41: return StepSpiral();
    case 42:
      SetSpeed(2.75f);
      m_pos = m_pos + m_velocity;
      if (t % 6 == 0) SpawnEffect(1069);
      return true;
    case 43: case 45: return StepSwing();
    case 44: return m_variant == 0 ? StepSwing() : StepShard(target);
    case 46: return m_variant == 0 ? StepBurst() : StepShard(target);
    case 57: return StepWaterBall(target);
    case 59:
      Whirl();
      m_pos.y = Ground(m_pos.x, m_pos.z);
      return true;
    default:
      return true;
  }
}

void CBattleMagic::Whirl() {
  m_growSpeed += 0.008f;
  m_angle += 3.0f;
  m_pos.x += m_growSpeed * std::sin(m_angle * battlemagic::kRadiansPerDegree);
  m_pos.z -= m_growSpeed * std::cos(m_angle * battlemagic::kRadiansPerDegree);
}

// 43-45 from their delay: the opening effect by variant, a trail every few
// ticks, and a swing (43, 44) or a widening whirl (45).
bool CBattleMagic::StepSwing() {
  const int t = m_tickCount;
  if (t < m_delay) return true;
  const auto& row = kEffects[static_cast<size_t>(m_type)];
  const int since = t - m_delay;
  if (m_type == 44) {
    if (since == 0) SpawnEffect(row[0]);
    if (since % 10 == 0 && since < 430) MakeShard(40.0f);
  } else if (since == 0) {
    SpawnEffect(row[m_variant == 0 ? 0 : 1]);
  } else if (since % 6 == 0) {
    SpawnEffect((m_type == 43 ? 1070 : 1072) + (m_variant == 0 ? 0 : 1));
  }
  if (m_type == 45) {
    Whirl();
    return since < 500;
  }
  const float most = m_type == 43 ? 89.0f : 80.0f;
  m_swing += m_swingStep;
  m_angle = m_swing + m_baseHeading;
  m_pos.x += 0.6f * std::sin(m_angle * battlemagic::kRadiansPerDegree);
  m_pos.z -= 0.6f * std::cos(m_angle * battlemagic::kRadiansPerDegree);
  if (m_swing <= -most || m_swing >= most) m_swingStep = -m_swingStep;
  return since < (m_type == 43 ? 300 : 500);
}

CBattleMagic* CBattleMagic::MakeShard(float ahead) {
  CSelvarinContext* context = GetFieldContext();
  CSelvarinActor* caster = CSession::GetInstance().GetBattleActor(m_casterId, m_casterIsParty == 1);
  if (context == nullptr || caster == nullptr) return nullptr;
  CBattleMagic* shard = context->MakeBattleMagic(caster, caster, m_type);
  shard->m_variant = 1;
  shard->m_angle = m_angle;
  shard->m_pos = {m_pos.x + ahead * std::sin(m_angle * battlemagic::kRadiansPerDegree), m_pos.y,
                  m_pos.z - ahead * std::cos(m_angle * battlemagic::kRadiansPerDegree)};
  return shard;
}

bool CBattleMagic::StepBurst() {
  const int t = m_tickCount;
  if (t == m_delay) {
    SpawnEffect(239);
    for (int i = 0; i < 3; ++i) {
      CBattleMagic* shard = MakeShard(0.0f);
      if (shard == nullptr) break;
      shard->m_velocity.y = -(2.0f + static_cast<float>(platform::Rand() % 100) * 0.01f);
      shard->m_velocity.x = static_cast<float>(platform::Rand() % 100 - 50) * 0.01f;
      shard->m_velocity.z = static_cast<float>(platform::Rand() % 100 - 50) * 0.01f;
    }
  }
  return t < m_delay + 150;
}

// The children of 44 and 46.
bool CBattleMagic::StepShard(const CSelvarinActor& /*target*/) {
  const int t = m_tickCount;
  if (t == 0) SpawnEffect(230);
  if (m_type == 44) {
    const float vy = m_velocity.y;
    SetSpeed(1.0f);
    m_velocity.y = vy;
    m_pos = m_pos + m_velocity;
    return m_hitCount == 0 && t <= 400;
  }
  m_velocity.y += 0.05f;
  m_pos = m_pos + m_velocity;
  if (m_pos.y >= Ground(m_pos.x, m_pos.z)) m_velocity.y = -m_velocity.y;
  return t <= 119;
}

bool CBattleMagic::StepSpiral() {
  const int t = m_tickCount;
  if (t == m_delay) SpawnEffect(234);
  if (t <= m_delay) return true;
  m_swing += (platform::Rand() % 2 == 0) ? 0.6f : 0.7f;
  m_spiralAngle += m_swing != 0.0f ? m_angularStep / m_swing : m_angularStep;
  const float a = m_spiralAngle * battlemagic::kRadiansPerDegree;
  m_pos.x = m_goal.x - m_swing * std::sin(a);
  m_pos.z = m_goal.z + m_swing * std::cos(a);
  m_pos.y = Ground(m_pos.x, m_pos.z) - 12.0f;
  FaceToward(m_goal.x, m_goal.z);
  m_angle = std::fmod(m_angle + 180.0f, 360.0f);
  return true;
}

bool CBattleMagic::StepWaterBall(const CSelvarinActor& target) {
  constexpr float kSpeed = 1.2f;
  switch (m_variant) {
    case 0:
      m_pos.y -= 1.0f;
      if (m_pos.y < m_goal.y) {
        if (const CSelvarinContext* context = GetFieldContext()) context->GetStationPoint(&m_goal.x, &m_goal.z);
        m_goal.y = Ground(m_goal.x, m_goal.z) - 85.0f;
        m_tickCount = -1;  // counts from 0 again after this tick
        m_variant = 1;
      }
      return true;
    case 1:
      FaceToward(m_goal.x, m_goal.z);
      SetSpeed(kSpeed);
      m_pos.x += m_velocity.x;
      m_pos.z += m_velocity.z;
      m_pos.y = Ground(m_pos.x, m_pos.z) - 85.0f;
      if (DistanceXZ(m_goal.x, m_goal.z) < 3.4f && m_tickCount > 60) m_variant = 2;
      return true;
    case 2:
      FaceToward(target.m_pos.x, target.m_pos.z);
      SetSpeed(kSpeed);
      m_velocity.y += 0.12f;
      m_pos.x += m_velocity.x;
      m_pos.z += m_velocity.z;
      m_pos.y += m_velocity.y;
      Sweep(12.0f, static_cast<int>(battlemagic::Side::kTargetSide), false, nullptr);
      return !(m_pos.y > Ground(m_pos.x, m_pos.z));
    default:
      DebugLog("Invalid m_type 워터볼");
      return true;
  }
}

void CBattleMagic::RaiseSpike() {
  CSelvarinContext* context = GetFieldContext();
  auto* spike = new CBattleMagicSpike;
  if (context != nullptr && spike->Bind(this)) {
    context->m_battleObjects.push_back(spike);
  } else {
    delete spike;
  }
}

bool CBattleMagic::StepFlood() {
  CSelvarinContext* context = GetFieldContext();
  if (context == nullptr) return false;
  const int t = m_tickCount;
  if (t == 0) {
    float x = 0.0f, z = 0.0f;
    context->GetStationPoint(&x, &z);
    m_floodBottom = context->GroundAt(x, z);
    m_restWater = context->m_mapWaterLevel;
    m_floodStarted = true;
  }
  const float step = (m_restWater - m_floodBottom) * 0.0016666667f + 0.01f;
  if (t <= 600) {
    context->m_waterLevel = m_restWater - step * static_cast<float>(t);
  } else if (t <= 1200) {
    context->m_waterLevel = m_floodBottom - 6.0f;
  } else {
    context->m_waterLevel = m_restWater - step * static_cast<float>(1800 - t);
  }
  if (t < 1800) return true;
  EndFieldEffects();
  return false;
}

bool CBattleMagic::StepQuake(const CSelvarinActor& target) {
  CSelvarinFrame* frame = GetGameFrame();
  if (m_tickCount == 0) {
    if (Sweep(1000.0f, static_cast<int>(battlemagic::Side::kOpponents), false, nullptr)) ++m_hitCount;
    m_pos = target.m_pos;
    if (frame != nullptr) {
      frame->m_overlayState = battlemagic::kQuakeOverlay;
      frame->m_overlayTick = 0;
      frame->m_shakeAxis = 0;
      frame->m_shakeAmplitude = 1.0f;
      frame->m_shakeLimit = 450;
      m_floodStarted = true;
    }
  }
  if (m_tickCount < 180) return true;
  EndFieldEffects();
  return false;
}

void CBattleMagic::EndFieldEffects() {
  if (!m_floodStarted) return;
  m_floodStarted = false;
  if (m_type == 15) {
    if (CSelvarinContext* context = GetFieldContext()) context->m_waterLevel = m_restWater;
  } else if (m_type == 24) {
    if (CSelvarinFrame* frame = GetGameFrame()) frame->m_shakeLimit = 0;
  }
}

bool CBattleMagic::StepFall() {
  const int t = m_tickCount;
  if (t < m_delay) return true;
  if (t == m_delay) SpawnEffect(kEffects[static_cast<size_t>(m_type)][0]);
  if (m_countdown >= 51) {
    m_pos.y += m_velocity.y;
    m_velocity.y = std::min(m_velocity.y + 0.2f, 2.3f);
    if (m_pos.y > Ground(m_pos.x, m_pos.z) - 2.0f) {
      Sweep(50.0f, static_cast<int>(battlemagic::Side::kOpponents), false, nullptr);
      SpawnEffect(216);
      if (!m_effects.empty()) m_effects.back()->m_scale = m_type == 31 ? 1.0f : 2.5f;
      m_countdown = 20;
    }
  }
  --m_countdown;
  return m_countdown > 0;
}

bool CBattleMagic::StepMover(const CSelvarinActor& target) {
  const int t = m_tickCount;
  if (t == 0) {
    if (const CSelvarinActor* caster =
            CSession::GetInstance().GetBattleActor(m_casterId, m_casterIsParty == 1)) {
      m_pos = caster->m_pos;
    }
    m_goal = target.m_pos;
  }
  if (m_type == 39) {
    if (t % 15 == 0) SpawnEffect(232);
    if (!(DistanceXZ(m_goal.x, m_goal.z) >= 0.7f)) return false;
  }
  FaceToward(m_goal.x, m_goal.z);
  SetSpeed(m_type == 39 ? 0.45f : 0.3f);
  m_pos.x += m_velocity.x;
  m_pos.z += m_velocity.z;
  m_pos.y = Ground(m_pos.x, m_pos.z);
  return m_type == 39 || m_hitCount <= 2;
}

void CBattleMagic::OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) {
  if (code == battlemagic::kHitSignal) {
    OnHitSignal();
  } else if (code == battlemagic::kSpikeGone) {
    m_spike = nullptr;
  } else {
    AnswerCarrierMessage(*this, sender, code, value0, value1, value2);
  }
}

void CBattleMagic::OnHitSignal() {
  CSession& session = CSession::GetInstance();
  const CSelvarinActor* caster = session.GetBattleActor(m_casterId, m_casterIsParty == 1);
  const CSelvarinActor* target = session.GetBattleActor(m_targetId, m_targetIsParty == 1);
  if (caster == nullptr || target == nullptr) return;
  const battlemagic::SignalRow row = battlemagic::SignalRowOf(m_type);
  bool reached = false;
  switch (row.kind) {
    case battlemagic::Signal::kNothing:
      return;
    case battlemagic::Signal::kCountApplyNear:
      ++m_hitCount;
      if (target->Distance3d(m_pos.x, m_pos.y, m_pos.z) <= 10.0f) Apply();
      return;
    case battlemagic::Signal::kSweep:
      if (row.onlyBeforeHits && m_hitCount != 0) return;
      reached = Sweep(row.radius, static_cast<int>(row.side), false, nullptr);
      break;
    case battlemagic::Signal::kSweepAtTarget:
      reached = Sweep(row.radius, static_cast<int>(row.side), false, &target->m_pos);
      break;
    case battlemagic::Signal::kSweepAtRandom: {
      const CSelvarinContext* context = GetFieldContext();
      float x = 0.0f, z = 0.0f;
      if (context != nullptr) context->GetStationPoint(&x, &z);
      x += battlemagic::RandomGridOffset();
      z += battlemagic::RandomGridOffset();
      const Vec3 point{x, context != nullptr ? context->GroundAt(x, z) : 0.0f, z};
      reached = Sweep(row.radius, static_cast<int>(row.side), false, &point);
      break;
    }
    case battlemagic::Signal::kByRecord: {
      // A missing record is taken as not reaching both sides.
      const MagicTypeInfo* record = CMagicMgr::GetInstance().GetMagicTypeInfo(m_type);
      if (record != nullptr && record->targetType == 4) {
        reached = Sweep(20.0f, static_cast<int>(battlemagic::Side::kBoth), false, nullptr);
        break;
      }
      ++m_hitCount;
      Apply();
      return;
    }
  }
  if (reached) ++m_hitCount;
}
