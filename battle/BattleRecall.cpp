#include "battle/BattleRecall.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

#include "engine/ResMgr.h"
#include "engine/RmaRes.h"
#include "field/ModelDraw.h"
#include "field/SelvarinContext.h"
#include "platform/DebugLog.h"
#include "platform/Random.h"
#include "render/3dAnimModelRes.h"
#include "session/Session.h"

namespace {
namespace battlerecall {

// An action's animation: base index, frame delay, play mode; a negative base
// keeps the animation the creature had.
struct Animation {
  int32_t base, delay, mode;
};
constexpr Animation kKeep{-1, 0, 0};
constexpr Animation kLoop5{0, 5, CBattleObject::kPlayLoop};

struct RecallRow {
  const char* sheet;  // without ".spr" or ".act"; null for the model
  // 10000, 10001, 10002, 10003, 10004, 10008
  std::array<Animation, 6> animations;
};

constexpr std::array<int32_t, 6> kAnimatedActions = {kActIdle,     kActApproach,    kActAttack,
                                                     kActWalkBack, kActDamageLight, kActDying};

const std::array<RecallRow, CBattleRecall::kRecallCount> kRecalls = {{
    {"몬스터\\괴물형\\전투\\저글링_기본", {{kLoop5, {4, 5, 2}, {8, 5, 0}, kKeep, {12, 5, 0}, kKeep}}},
    {"몬스터\\괴물형\\전투\\이프리트_기본", {{kLoop5, kLoop5, {4, 5, 0}, kLoop5, {8, 5, 0}, kKeep}}},
    {nullptr, {{{0, 3, 2}, {0, 3, 2}, {2, 3, 0}, {0, 3, 2}, {3, 3, 0}, {4, 3, 0}}}},
    {"몬스터\\괴물형\\전투\\스콜쥐_기본", {{kLoop5, {4, 5, 2}, {8, 5, 0}, {4, 5, 2}, {12, 5, 0}, kKeep}}},
    {"몬스터\\괴물형\\전투\\크스루_기본", {{kLoop5, {4, 5, 2}, {8, 5, 0}, {4, 5, 2}, {12, 5, 0}, kKeep}}},
    {"몬스터\\괴물형\\전투\\윌오브위스퍼_기본", {{kLoop5, kLoop5, kLoop5, kLoop5, kLoop5, kKeep}}},
    {"effect\\EF_바제랄드", {{kLoop5, kLoop5, kLoop5, kLoop5, kLoop5, kKeep}}},
}};

constexpr char kModelFile[] = "캐릭터\\티아마스.rma";
constexpr float kGaugeFull = 100.0f;
constexpr float kGaugeStep = 0.35f;
constexpr float kHoverHeight = 12.0f;  // above the ground: y grows downward
constexpr float kKnockBack = -1.2f;
constexpr int32_t kDyingTicks = 181;
constexpr int32_t kWalkBackTicks = 121;
constexpr int32_t kRecoilTicks = 121;
constexpr int32_t kSwarmApproachTicks = 201;
constexpr int32_t kSwarmAttackTicks = 61;
constexpr int32_t kHealEvery = 23;
constexpr int32_t kHealAmount = 5;
constexpr int32_t kSwarmHitEvery = 5;
constexpr float kHitRadius = 25.0f;
constexpr int32_t kDeathEffect = 216;
constexpr int kForgetEffect = 46;

const Animation* AnimationFor(int32_t recall, int32_t code) {
  const auto it = std::find(kAnimatedActions.begin(), kAnimatedActions.end(), code);
  if (it == kAnimatedActions.end()) return nullptr;
  const Animation& a = kRecalls[static_cast<size_t>(recall)].animations[static_cast<size_t>(it - kAnimatedActions.begin())];
  return a.base >= 0 ? &a : nullptr;
}

void Hold(CRes* res) {
  if (res != nullptr) CResMgr::GetInstance().Lock(res);
}
void Release(CRes* res) {
  if (res != nullptr) CResMgr::GetInstance().UnLock(res);
}

}  // namespace battlerecall
}  // namespace

CBattleRecall::~CBattleRecall() {
  battlerecall::Release(m_modelAnimation);
  battlerecall::Release(m_model);
}

void CBattleRecall::Init(CSelvarinActor* summoner, CSelvarinActor* target, int32_t recall) {
  if (summoner != nullptr) {
    m_pos = summoner->m_pos;
    if (const auto* actor = dynamic_cast<const CBattleActor*>(summoner)) {
      m_battleId = actor->m_battleId;
      m_summonerId = actor->m_battleId[0];
      m_summonerIsParty = actor->m_battleId[1];
      if (m_summonerIsParty == 1) m_ownerPosition = m_summonerId;
    }
  }
  if (const auto* actor = dynamic_cast<const CBattleActor*>(target)) {
    m_targetId = actor->m_battleId[0];
    m_targetIsParty = actor->m_battleId[1];
    m_viaDecoy = actor->m_isDecoy;
  }
  m_recallId = recall;
  m_hp = 100;
  m_timeGauge = battlerecall::kGaugeFull;
  m_target = nullptr;
  if (!ValidRecall()) {
    DebugLog("Invalid Recall Id");
    return;
  }
  const battlerecall::RecallRow& row = battlerecall::kRecalls[static_cast<size_t>(recall)];
  if (row.sheet != nullptr) {
    m_sprName = std::string(row.sheet) + ".spr";
    m_actName = std::string(row.sheet) + ".act";
    GetSprite();
  } else {
    m_model = dynamic_cast<CRmaRes*>(CResMgr::GetInstance().GetResStr(battlerecall::kModelFile));
    battlerecall::Hold(m_model);
  }
  SetAction(kActIdle);
  if (recall == 5 || recall == 6) m_drawShadow = 0;
}

void CBattleRecall::SetAction(int32_t code) {
  if (!ValidRecall()) {
    DebugLog("Invalid Recall Id");
    return;
  }
  if (const battlerecall::Animation* a = battlerecall::AnimationFor(m_recallId, code)) {
    SetAnimation(a->base, a->delay, a->mode);
    if (m_recallId == kModelRecall) SetModelAnimation(a->base);
  }
  CBattleObject::SetAction(code);
  if (code == kActRemoved) m_visible = 0;
}

void CBattleRecall::SetModelAnimation(int32_t action) {
  C3dAnimModelRes* model = nullptr;
  if (m_model != nullptr && m_model->HasAction(action)) {
    model = dynamic_cast<C3dAnimModelRes*>(CResMgr::GetInstance().GetResStr(m_model->GetActionModelName(action)));
  }
  battlerecall::Hold(model);
  battlerecall::Release(m_modelAnimation);
  m_modelAnimation = model;
  m_modelFrame = m_model != nullptr ? std::max(m_model->GetActionStartFrame(action), 0) : 0;
}

bool CBattleRecall::HasModelFrames() const {
  return m_model != nullptr && m_modelAnimation != nullptr && !m_modelAnimation->m_nodes.empty() &&
         m_modelAnimation->m_numFrames > 0 && m_model->HasAction(m_actionBase) &&
         m_model->GetActionEndFrame(m_actionBase) >= m_model->GetActionStartFrame(m_actionBase);
}

int32_t CBattleRecall::FrameCount() const {
  if (m_recallId != kModelRecall) return CBattleObject::FrameCount();
  if (!HasModelFrames()) return 0;
  return m_model->GetActionEndFrame(m_actionBase) - m_model->GetActionStartFrame(m_actionBase) + 1;
}

void CBattleRecall::UpdateFrame() {
  if (m_recallId != kModelRecall) {
    CBattleActor::UpdateFrame();
    return;
  }
  if (!HasModelFrames()) return;
  StepAnimation();
  m_modelFrame = m_model->GetActionStartFrame(m_actionBase) + m_motion;
}

void CBattleRecall::PostProcess() {
  if (m_recallId != kModelRecall) CBattleActor::PostProcess();
}

void CBattleRecall::Render(CRC& rc, const Matrix& view) {
  if (m_recallId != kModelRecall) {
    CBattleActor::Render(rc, view);
    return;
  }
  if (m_visible == 0 || !HasModelFrames()) return;
  const int32_t frame = std::clamp(m_modelFrame, 0, m_modelAnimation->m_numFrames - 1);
  DrawPlacedModel(rc, view, *m_modelAnimation, frame, m_pos, Vec3{m_angleX, m_angle, m_angleZ},
                  m_modelAnimation->m_alpha != 255 ? 1 : 0, 0xFFFFFFFFu, 0);
}

int32_t CBattleRecall::CheckHitFrame() {
  if (m_recallId == 5 || m_recallId == 6) return m_tickCount % battlerecall::kSwarmHitEvery == 0 ? 1 : 0;
  if (m_recallId != kModelRecall) return CBattleActor::CheckHitFrame();
  if (!HasModelFrames()) return 0;
  if (m_hitDelay > 0) {
    --m_hitDelay;
    if (m_hitDelay > 0) return 0;
  }
  if (!m_model->IsActionEventFrame(m_actionBase, m_modelFrame)) return 0;
  m_hitDelay = m_frameDuration;
  return 1;
}

void CBattleRecall::OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) {
  if (code == battlerecall::kForgetEffect) {
    CBattleObject::OnMessage(sender, code, value0, value1, value2);
    return;
  }
  // A creature that has ended takes no more hits: it would come back unseen.
  if ((code != kMsgHit && code != kMsgMagicHit) || m_actionCode == kActRemoved) return;
  SetAction(kActDamageLight);
  m_knockBack = battlerecall::kKnockBack;
  // A negative hit adds to the hit points.
  const int64_t left = int64_t{m_hp} - value0;
  m_hp = static_cast<int32_t>(std::clamp<int64_t>(left, 0, std::numeric_limits<int32_t>::max()));
  if (m_hp == 0) SetAction(kActDying);
}

bool CBattleRecall::HitInRadius(float radius, bool party, const CSelvarinActor* leftOut) {
  const CSession& session = CSession::GetInstance();
  const int count = party ? CSession::kMaxParty : CSession::kMaxEnemies;
  const int32_t amount = m_recallId == 0 ? 3 : 10;
  bool reached = false;
  for (int i = 0; i < count; ++i) {
    auto* actor = dynamic_cast<CBattleObject*>(session.GetBattleActor(i, party));
    if (actor == nullptr || actor == leftOut) continue;
    if (!(actor->Distance3d(m_pos.x, m_pos.y, m_pos.z) < radius)) continue;
    const bool guarding = actor->m_actionCode == kActDefend || actor->m_actionCode == kActGuard;
    actor->OnMessage(this, kMsgMagicHit, amount, 0, 0);
    if (!guarding) actor->SpawnDamageNumber(amount, party ? 1 : 0, 0.0f, 0.0f, 0.0f, 0, 0);
    reached = true;
  }
  return reached;
}

bool CBattleRecall::OnProcess() {
  if (m_actionCode == kActRemoved) return true;
  if (m_hitStopTicks > 0) {
    --m_hitStopTicks;
    return true;
  }
  CSession& session = CSession::GetInstance();
  if (m_actionCode == kActIdle) {
    m_timeGauge = std::min(m_timeGauge + session.ScaleByBonus(battlerecall::kGaugeStep, m_battleId[0], m_battleId[1] == 1), battlerecall::kGaugeFull);
  }
  const CSelvarinContext* context = GetFieldContext();
  const float ground = context != nullptr ? context->GroundAt(m_pos.x, m_pos.z) : m_pos.y;
  // The frame step counts no tick of its own: the tick ends the pass.
  const int32_t tick = m_tickCount;
  UpdateFrame();
  m_tickCount = tick;
  ApplyVelocity();
  if (Hovers()) {
    m_groundHeight = ground;
    m_pos.y = ground - battlerecall::kHoverHeight;
  } else {
    ApplyGravity(1.0f);
  }
  Act();
  if (m_actionCode == kActDying && m_tickCount >= battlerecall::kDyingTicks) {
    SetAction(kActRemoved);
    return false;
  }
  ++m_tickCount;
  return true;
}

// A creature of an unknown id has no row: it stands, unseen.
void CBattleRecall::Act() {
  if (!ValidRecall()) return;
  if (m_actionCode == kActDamageLight) {
    SetSpeed(m_knockBack);
    if (m_tickCount >= battlerecall::kRecoilTicks) SetAction(kActIdle);
    return;
  }
  if (m_actionCode == kActWalkBack && m_recallId != 5) {
    ActWander();
    return;
  }
  switch (m_recallId) {
    case 5: ActHealer(); break;
    case 6: ActSwarm(); break;
    default: ActFighter(); break;
  }
}

bool CBattleRecall::KeepTarget() {
  if (m_target == nullptr || m_target->m_actionCode == kActRemoved) m_target = CSession::GetInstance().FindStrongestEnemy();
  return m_target != nullptr;
}

void CBattleRecall::SetOut() {
  if (!KeepTarget()) return;
  FaceToward(m_target->m_pos.x, m_target->m_pos.z);
  if (m_timeGauge < battlerecall::kGaugeFull) return;
  SetAction(kActApproach);
  // The scorpion keeps its gauge: it only ever attacks once.
  if (m_recallId != 3) m_timeGauge = 0.0f;
}

void CBattleRecall::Walk(float speed) { SetSpeed(CSession::GetInstance().ScaleByBonus(speed, m_battleId[0], m_battleId[1] == 1)); }

void CBattleRecall::HitOpponents() {
  if (CheckHitFrame() != 0) HitInRadius(battlerecall::kHitRadius, m_summonerIsParty == 0, nullptr);
}

void CBattleRecall::StartWander() {
  SetAction(kActWalkBack);
  const int dx = platform::Rand() % 80 - 40;
  const int dz = platform::Rand() % 80 - 40;
  m_returnPoint.x = m_pos.x + static_cast<float>(dx);
  m_returnPoint.z = m_pos.z + static_cast<float>(dz);
}

bool CBattleRecall::Approach(float speed, float within) {
  if (m_target == nullptr) {
    SetAction(kActIdle);
    return false;
  }
  FaceToward(m_target->m_pos.x, m_target->m_pos.z);
  Walk(speed);
  return m_target->DistanceXZ(m_pos.x, m_pos.z) < within;
}

void CBattleRecall::ActWander() {
  FaceToward(m_returnPoint.x, m_returnPoint.z);
  Walk(1.0f);
  if (m_tickCount >= battlerecall::kWalkBackTicks || DistanceXZ(m_returnPoint.x, m_returnPoint.z) < 10.0f) SetAction(kActIdle);
}

void CBattleRecall::ActFighter() {
  switch (m_actionCode) {
    case kActIdle:
      SetOut();
      break;
    case kActApproach:
      if (Approach(0.75f, 15.0f)) SetAction(kActAttack);
      break;
    case kActAttack:
      if (m_target != nullptr) FaceToward(m_target->m_pos.x, m_target->m_pos.z);
      HitOpponents();
      if (m_holdLast == 0) break;
      if (m_recallId == 3) {
        SpawnEffect(battlerecall::kDeathEffect);
        SetAction(kActDying);
      } else {
        StartWander();
      }
      break;
    default:
      break;
  }
}

void CBattleRecall::ActHealer() {
  switch (m_actionCode) {
    case kActIdle:
      m_target = CSession::GetInstance().FindWeakestPartyMember();
      if (m_target == nullptr) break;
      FaceToward(m_target->m_pos.x, m_target->m_pos.z);
      if (m_tickCount % battlerecall::kHealEvery == 0) m_target->OnMessage(this, kMsgHealHp, battlerecall::kHealAmount, 0, 0);
      if (m_target->DistanceXZ(m_pos.x, m_pos.z) > 12.0f) SetAction(kActApproach);
      break;
    case kActApproach:
      if (Approach(0.6f, 6.0f)) SetAction(kActIdle);
      break;
    default:
      break;
  }
}

void CBattleRecall::ActSwarm() {
  switch (m_actionCode) {
    case kActIdle:
      SetOut();
      break;
    case kActApproach:
      // It stings on its way in as well, target or not.
      HitOpponents();
      if (Approach(0.75f, 2.0f) || (m_actionCode == kActApproach && m_tickCount >= battlerecall::kSwarmApproachTicks)) {
        SetAction(kActAttack);
      }
      break;
    case kActAttack:
      if (m_target != nullptr) FaceToward(m_target->m_pos.x, m_target->m_pos.z);
      HitOpponents();
      if (m_tickCount >= battlerecall::kSwarmAttackTicks) StartWander();
      break;
    default:
      break;
  }
}
