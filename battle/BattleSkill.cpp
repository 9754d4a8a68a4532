#include <array>
#include <string>

#include "battle/BattleSkillSchedule.h"
#include "battle/HitCarrier.h"
#include "battle/SpawnedBattleObjects.h"
#include "platform/DebugLog.h"
#include "session/Session.h"
#include "session/SkillMgr.h"

namespace {

constexpr int kScreenCentreX = 320, kScreenCentreY = 240;

// The start effects of one skill: where they show and how often.
struct StartEffect {
  int32_t skill;
  int32_t effect;
  bool onTarget;
  int32_t times;
};

constexpr std::array<StartEffect, 40> kStartEffects{{
    {3, 1020, true, 1},    {4, 1020, true, 1},    {32, 1020, true, 1},   {43, 1020, true, 1},
    {44, 1020, true, 1},   {45, 1020, true, 1},   {9, 1018, true, 1},    {56, 1018, true, 1},
    {10, 1018, true, 2},   {11, 1018, true, 3},   {18, 1055, false, 1},  {19, 1055, false, 1},
    {19, 1054, false, 1},  {143, 1054, false, 1}, {20, 1055, false, 1},  {20, 1054, false, 1},
    {20, 1017, true, 1},   {25, 1054, false, 1},  {25, 1017, true, 1},   {60, 214, false, 1},
    {73, 1023, false, 1},  {168, 1023, true, 1},  {89, 245, true, 1},    {90, 245, true, 1},
    {91, 245, true, 1},    {92, 242, true, 1},    {93, 257, true, 1},    {100, 1017, false, 1},
    {110, 1017, false, 1}, {106, 1013, false, 1}, {107, 1014, false, 1}, {108, 247, true, 1},
    {112, 1015, false, 1}, {114, 1015, false, 1}, {115, 1015, false, 1}, {113, 1016, false, 1},
    {136, 204, false, 1},  {138, 204, false, 1},  {138, 213, false, 1},  {145, 1020, false, 1},
}};

// Skills whose start shows an emotion on the target instead.
struct StartEmotion {
  int32_t skill;
  int32_t emotion;
};
constexpr std::array<StartEmotion, 2> kStartEmotions{{{41, 3}, {62, 6}}};

CSelvarinActor* Unmasked(CSelvarinActor* target, int32_t viaDecoy) {
  if (viaDecoy == 0 || target == nullptr) return target;
  auto* aimed = dynamic_cast<CBattleActor*>(target);
  return aimed != nullptr ? aimed->m_decoy : nullptr;
}

}  // namespace

CBattleSkill::CBattleSkill() {
  m_screenX = kScreenCentreX;
  m_screenY = kScreenCentreY;
}

void CBattleSkill::Init(CSelvarinActor* user, CSelvarinActor* target, int32_t skill) {
  Bind(user, target, skill);
  m_skillId = skill;
  BindCarrier(*this, user, target);
  for (const StartEffect& e : kStartEffects) {
    if (e.skill != skill) continue;
    CSelvarinActor* on = e.onTarget ? target : this;
    for (int i = 0; on != nullptr && i < e.times; ++i) on->SpawnEffect(e.effect);
  }
  for (const StartEmotion& e : kStartEmotions) {
    if (e.skill == skill && target != nullptr) target->OnMessage(this, kMsgEmotion, e.emotion, 0, 0);
  }
}

bool CBattleSkill::OnProcess() {
  CSession& session = CSession::GetInstance();
  CSelvarinActor* user = session.GetBattleActor(m_userId, m_userIsParty == 1);
  CSelvarinActor* target = Unmasked(session.GetBattleActor(m_targetId, m_targetIsParty == 1), m_viaDecoy);
  if (user == nullptr || target == nullptr) return false;
  m_screenX = user->m_screenX;
  m_screenY = user->m_screenY;
  const SkillTypeInfo* record = CSkillMgr::GetInstance().GetSkillTypeInfo(m_skillId);
  if (record == nullptr) {
    DebugLog("스킬 정보가 없습니다: " + std::to_string(m_skillId));
    return false;
  }
  m_reach = static_cast<float>(record->duration);
  m_splash = record->splash;
  m_tickUser = user;
  m_tickTarget = target;
  const bool lives = RunSkillSchedule(*this);
  m_tickUser = m_tickTarget = nullptr;
  if (!lives) return false;
  ++m_tickCount;
  return true;
}

void CBattleSkill::OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) {
  AnswerCarrierMessage(*this, sender, code, value0, value1, value2);
}

void CBattleSkill::Render(CRC& rc, const Matrix& view) { RenderCarrier(*this, rc, view); }

void CBattleSkill::ApplyTo(int32_t id, int32_t isParty) {
  CSession::GetInstance().ApplySkillEffect(m_userId, m_userIsParty == 1, id, isParty == 1, m_skillId, this, m_viaDecoy);
}

void CBattleSkill::ApplyTo(const CSelvarinActor& receiver) {
  const auto* actor = dynamic_cast<const CBattleActor*>(&receiver);
  if (actor != nullptr) ApplyTo(actor->m_battleId[0], actor->m_battleId[1]);
}

bool CBattleSkill::HitInRadius(float radius, bool party, const CSelvarinActor* leftOut) {
  const CSession& session = CSession::GetInstance();
  const int count = party ? CSession::kMaxParty : CSession::kMaxEnemies;
  bool reached = false;
  for (int n = 0; n < count; ++n) {
    const CSelvarinActor* actor = session.GetBattleActor(n, party);
    if (actor == nullptr || actor == leftOut) continue;
    const int32_t action = actor->m_actionCode;
    if (action == kActDying || action == kActRemoved || action == kActDefeated) continue;
    if (actor->Distance3d(m_pos.x, m_pos.y, m_pos.z) >= radius) continue;
    ApplyTo(*actor);
    reached = true;
  }
  return reached;
}
