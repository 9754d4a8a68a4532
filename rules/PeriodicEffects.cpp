// The effects of conditions and worn items that run on a participant's
// battle ticks: poison, STONE wearing off, the tint of the worst condition,
// the slow regeneration and the worn items that heal, feed or drain.
#include <algorithm>
#include <cstdint>
#include <string>

#include "battle/BattleObject.h"
#include "field/SelvarinContext.h"
#include "platform/DebugLog.h"
#include "rules/Condition.h"
#include "rules/DamageSteps.h"
#include "rules/Fighter.h"
#include "session/Session.h"

namespace {
namespace periodiceffects {

constexpr uint32_t kAlphaMask = 0xFF000000u;
constexpr uint32_t kColourMask = 0x00FFFFFFu;
constexpr uint32_t kWhite = 0x00FFFFFFu;
constexpr uint32_t kFullAlpha = 0xFF000000u;
constexpr uint32_t kVeiledAlpha = 0x77000000u;
constexpr int32_t kAngerEffect = 1010;
constexpr int32_t kRingDrainFrom = 10;

// The tint of the first condition held, worst first.
struct ConditionTint {
  uint32_t bit;
  uint32_t colour;
};
constexpr ConditionTint kTints[] = {{kStone, 0x777777}, {kUndead, 0x0000FF},  {kPanic, 0xFF0000},  {kCurse, 0xFF00FF},
                                    {kPoison3, 0x00FF00}, {kPoison2, 0x00AA00}, {kPoison1, 0x007700}};

// What a worn item does on the member's 240th ticks (or the row's longer
// period).
enum class Gain : uint8_t { kMp1, kMp2, kMp3, kAllMp, kHp, kBarrier, kFillMp2, kFillAllMp, kAngerEffect, kVeil, kKeepBarrier };
enum class Who : uint8_t { kAnyone, kSkillUser, kSizz, kAi, kAiOrSizz, kVeiledPeach };
// Amounts below 0 are read from the member: a hundredth of a maximum.
constexpr int32_t kHpHundredthPlusOne = -1;
constexpr int32_t kBarrierHundredth = -2;

struct WornRow {
  WornSlot slot;
  const char* name;
  Who who;
  Gain gain;
  int32_t amount;
  int32_t period;
  bool needsChapterEnd = false;
};

// In the order they run: weapon, armour, shoes, the first accessory.
const WornRow kWornRows[] = {
    {WornSlot::kWeapon, "앵거바델", Who::kAnyone, Gain::kAngerEffect, 0, 1200, true},
    {WornSlot::kWeapon, "쥬프라가", Who::kSkillUser, Gain::kMp2, 7, 240},
    {WornSlot::kWeapon, "다마스커스", Who::kAnyone, Gain::kHp, 1, 240},
    {WornSlot::kArmor, "페더슈츠", Who::kSizz, Gain::kMp2, 7, 240},
    {WornSlot::kArmor, "타브리셔츠", Who::kSkillUser, Gain::kMp2, 7, 240},
    {WornSlot::kArmor, "힐링메일", Who::kAnyone, Gain::kHp, kHpHundredthPlusOne, 240},
    {WornSlot::kArmor, "웨딩드레스", Who::kVeiledPeach, Gain::kFillAllMp, 0, 240},
    {WornSlot::kArmor, "펠류시드가브", Who::kAnyone, Gain::kVeil, 0, 240},
    {WornSlot::kArmor, "물의로브", Who::kAi, Gain::kMp2, 1, 240},
    {WornSlot::kArmor, "땅의로브", Who::kAiOrSizz, Gain::kMp3, 1, 240},
    {WornSlot::kArmor, "불의로브", Who::kAiOrSizz, Gain::kMp1, 1, 240},
    {WornSlot::kArmor, "바람의로브", Who::kSizz, Gain::kMp2, 1, 240},
    {WornSlot::kArmor, "미라쥬로브", Who::kAnyone, Gain::kBarrier, 7, 240},
    {WornSlot::kShoes, "지압구두", Who::kAnyone, Gain::kBarrier, kBarrierHundredth, 480},
    {WornSlot::kShoes, "건강구두", Who::kAnyone, Gain::kHp, kBarrierHundredth, 480},
    {WornSlot::kShoes, "본레그플레이트", Who::kAnyone, Gain::kKeepBarrier, 0, 240},
    {WornSlot::kAcc1, "펄네클리스", Who::kSkillUser, Gain::kAllMp, 1, 240},
    {WornSlot::kAcc1, "펄이어링", Who::kSkillUser, Gain::kFillMp2, 0, 240},
    {WornSlot::kAcc1, "힐링이어링", Who::kAnyone, Gain::kHp, kBarrierHundredth, 480},
};

bool IsSizz(const std::string& name) { return name == "sizz" || name == "sizz2"; }

bool Fits(Who who, const PlayerData& member) {
  switch (who) {
    case Who::kAnyone: return true;
    case Who::kSkillUser: return member.ismagicman == 0;
    case Who::kSizz: return IsSizz(member.engname);
    case Who::kAi: return member.engname == "ai";
    case Who::kAiOrSizz: return member.engname == "ai" || IsSizz(member.engname);
    case Who::kVeiledPeach: return member.engname == "peach" && Wears(member, WornSlot::kHelmet, "면사포");
  }
  return false;
}

using damage_steps::RaiseCapped;

void Kill(int32_t& hp, CSelvarinActor* actor) {
  hp = 0;
  if (actor != nullptr) actor->OnMessage(nullptr, kMsgKill, 0, 0, 0);
}

// One hit point lost; from 1 or less, none left.
void PoisonStep(int32_t& hp, CSelvarinActor* actor) {
  if (hp <= 1) {
    Kill(hp, actor);
  } else {
    --hp;
  }
}

// The colour part only: the alpha belongs to whatever fades the actor.
void TintByCondition(CBattleObject& actor, uint32_t bits) {
  uint32_t colour = kWhite;
  const auto held = std::find_if(std::begin(kTints), std::end(kTints), [bits](const ConditionTint& t) { return (bits & t.bit) != 0; });
  if (held != std::end(kTints)) {
    colour = held->colour;
  } else if (actor.m_actionCode == kActDying || actor.m_actionCode == kActFrozen || actor.m_actionCode == kActPetrified) {
    return;
  }
  actor.m_tint = (actor.m_tint & kAlphaMask) | (colour & kColourMask);
}

void SetAlpha(CSelvarinActor* actor, uint32_t alpha) {
  if (auto* object = dynamic_cast<CBattleObject*>(actor)) object->m_tint = (object->m_tint & kColourMask) | alpha;
}

int32_t Amount(int32_t amount, const PlayerData& member) {
  if (amount == kHpHundredthPlusOne) return member.maxhp / 100 + 1;
  if (amount == kBarrierHundredth) return std::max(member.maxshp / 100, 1);
  return amount;
}

// The steps both sides share: poison, STONE wearing off, the tint, the
// barrier's slow return.
struct Sufferer {
  int32_t& hp;
  int32_t& shp;
  int32_t maxshp;
  int32_t& stateid;
  CSelvarinActor* actor;
};

}  // namespace periodiceffects
}  // namespace

void CSession::ProcessException(int position, bool isParty) {
  if (!NamesParticipant(position, isParty)) return;
  const CSelvarinContext* context = GetFieldContext();
  // Before the battle's first world tick no period has passed.
  if (context == nullptr || context->m_battleTickCount <= 0) return;
  const int32_t tick = context->m_battleTickCount;
  if (isParty) {
    PlayerData& member = *GetPartyMember(position);
    if (member.battlePtr == nullptr) {
      DebugLog("playerData->battlePtr == NULL In CSession :: ProcessException()");
      return;
    }
    const int32_t barrierBefore = member.shp;
    RunSharedPeriods(tick, &member, nullptr);
    if (tick % 240 == 0) RunWornPeriods(tick, member, barrierBefore);
    return;
  }
  EnemySlot& enemy = enemies[static_cast<size_t>(position)];
  if (enemy.actor == nullptr) {
    DebugLog("enemyData->battlePtr == NULL In CSession :: ProcessException()");
    return;
  }
  RunSharedPeriods(tick, nullptr, &enemy);
  if (tick % 120 == 0 && enemy.hp <= 0) periodiceffects::Kill(enemy.hp, enemy.actor);
}

void CSession::RunSharedPeriods(int32_t tick, PlayerData* member, EnemySlot* enemy) {
  periodiceffects::Sufferer s = member != nullptr ? periodiceffects::Sufferer{member->hp, member->shp, member->maxshp, member->stateid, member->battlePtr}
                                 : periodiceffects::Sufferer{enemy->hp, enemy->shp, enemy->maxshp, enemy->stateid, enemy->actor};
  const auto holds = [&s](uint32_t bit) { return (static_cast<uint32_t>(s.stateid) & bit) != 0; };
  if (tick % 30 == 0 && holds(kPoison3)) periodiceffects::PoisonStep(s.hp, s.actor);
  if (tick % 60 == 0) {
    if (s.actor->m_actionCode != kActPetrified) {
      if (member != nullptr) {
        SetCondition(*member, kStone, false);
      } else {
        SetEnemyCondition(*enemy, kStone, false);
      }
    }
    if (holds(kPoison2)) periodiceffects::PoisonStep(s.hp, s.actor);
    if (auto* object = dynamic_cast<CBattleObject*>(s.actor)) periodiceffects::TintByCondition(*object, static_cast<uint32_t>(s.stateid));
  }
  if (tick % 120 == 0) {
    periodiceffects::RaiseCapped(s.shp, 1, s.maxshp);
    if (holds(kPoison1)) periodiceffects::PoisonStep(s.hp, s.actor);
  }
}

void CSession::RunWornPeriods(int32_t tick, PlayerData& member, int32_t barrierBefore) {
  periodiceffects::RaiseCapped(member.mp1, 7, member.maxmp1);
  periodiceffects::RaiseCapped(member.mp2, 7, member.maxmp2);
  periodiceffects::RaiseCapped(member.mp3, 7, member.maxmp3);
  periodiceffects::SetAlpha(member.battlePtr, periodiceffects::kFullAlpha);
  for (const periodiceffects::WornRow& row : periodiceffects::kWornRows) {
    if (tick % row.period != 0 || !Wears(member, row.slot, row.name) || !periodiceffects::Fits(row.who, member)) continue;
    if (row.needsChapterEnd && scriptVariables.Get("제1장끝") == 0) continue;
    const int32_t n = periodiceffects::Amount(row.amount, member);
    switch (row.gain) {
      case periodiceffects::Gain::kMp1: periodiceffects::RaiseCapped(member.mp1, n, member.maxmp1); break;
      case periodiceffects::Gain::kMp2: periodiceffects::RaiseCapped(member.mp2, n, member.maxmp2); break;
      case periodiceffects::Gain::kMp3: periodiceffects::RaiseCapped(member.mp3, n, member.maxmp3); break;
      case periodiceffects::Gain::kAllMp:
        periodiceffects::RaiseCapped(member.mp1, n, member.maxmp1);
        periodiceffects::RaiseCapped(member.mp2, n, member.maxmp2);
        periodiceffects::RaiseCapped(member.mp3, n, member.maxmp3);
        break;
      case periodiceffects::Gain::kHp: periodiceffects::RaiseCapped(member.hp, n, member.maxhp); break;
      case periodiceffects::Gain::kBarrier: periodiceffects::RaiseCapped(member.shp, n, member.maxshp); break;
      case periodiceffects::Gain::kFillMp2: periodiceffects::RaiseCapped(member.mp2, member.maxmp2, member.maxmp2); break;
      case periodiceffects::Gain::kFillAllMp:
        periodiceffects::RaiseCapped(member.mp1, member.maxmp1, member.maxmp1);
        periodiceffects::RaiseCapped(member.mp2, member.maxmp2, member.maxmp2);
        periodiceffects::RaiseCapped(member.mp3, member.maxmp3, member.maxmp3);
        break;
      case periodiceffects::Gain::kAngerEffect: member.battlePtr->SpawnEffect(periodiceffects::kAngerEffect); break;
      case periodiceffects::Gain::kVeil: periodiceffects::SetAlpha(member.battlePtr, periodiceffects::kVeiledAlpha); break;
      case periodiceffects::Gain::kKeepBarrier: member.shp = barrierBefore; break;
    }
  }
  for (int32_t slot : {member.acc2, member.acc3}) {
    if (ItemName(slot) == "사자의반지" && member.hp <= periodiceffects::kRingDrainFrom) periodiceffects::PoisonStep(member.hp, member.battlePtr);
  }
  if (member.hp <= 0) periodiceffects::Kill(member.hp, member.battlePtr);
}
