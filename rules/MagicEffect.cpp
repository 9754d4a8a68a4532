// One magic object reaching one participant: conditions, damage, the
// magic's own effect by number, and the answers of the undead.
#include <cstdint>

#include "battle/ActionCode.h"
#include "battle/enemy/BattleEnemy.h"
#include "field/SelvarinContext.h"
#include "platform/DebugLog.h"
#include "rules/Condition.h"
#include "rules/Fighter.h"
#include "session/MagicMgr.h"
#include "session/MonsterMgr.h"
#include "session/Session.h"

namespace {
namespace magiceffect {

enum class Effect : uint8_t {
  kRestore,      // the diary's restoratives
  kStatRate,     // a rate of a member, a table value of an enemy
  kHitIfAttr3,   // a hit on an enemy of attack attribute 3 only
  kMessage,      // the code with `amount` as its value
  kNothing,
  kHitSide,      // a hit whose style tells party from enemy
  kHitStunDigits,
  kMessageDamage,  // the code with f, then the effect `amount`
  kMessageEffect,  // the code, then the effect `amount`
  kRestoreBoth,
  kHalveBarrier,
  kStoneAtHalf,
  kIllusion,
  kHitFreeze,
  kHit,
};

enum class Stat : uint8_t { kNone, kAttack, kDefence, kSpeed };

struct EffectRow {
  int first, last;
  Effect effect;
  int code;    // the message, or the stat's percent
  int amount;  // the message's value or the effect number
  Stat stat;
  bool sparesFlyers;
};

constexpr EffectRow kEffects[] = {
    {0, 2, Effect::kRestore, 0, 0, Stat::kNone, false},
    {3, 3, Effect::kStatRate, 115, 0, Stat::kAttack, false},
    {4, 4, Effect::kStatRate, 85, 0, Stat::kAttack, false},
    {5, 10, Effect::kRestore, 0, 0, Stat::kNone, false},
    {12, 12, Effect::kHitIfAttr3, 0, 0, Stat::kNone, false},
    {13, 13, Effect::kMessage, kMsgFreeze, 0, Stat::kNone, false},
    {14, 14, Effect::kStatRate, 120, 0, Stat::kDefence, false},
    {15, 15, Effect::kNothing, 0, 0, Stat::kNone, false},
    {17, 17, Effect::kStatRate, 85, 0, Stat::kSpeed, false},
    {18, 18, Effect::kStatRate, 115, 0, Stat::kSpeed, false},
    {19, 19, Effect::kStatRate, 85, 0, Stat::kSpeed, false},
    {20, 22, Effect::kHitSide, 0, 0, Stat::kNone, false},
    {23, 23, Effect::kMessage, kMsgStun, 0, Stat::kNone, true},
    {24, 24, Effect::kHitStunDigits, 0, 0, Stat::kNone, true},
    {25, 25, Effect::kMessageDamage, kMsgHitWithNumber, 216, Stat::kNone, true},
    {26, 26, Effect::kMessageEffect, kMsgHold, 218, Stat::kNone, true},
    {27, 27, Effect::kRestoreBoth, 0, 0, Stat::kNone, true},
    {28, 28, Effect::kMessage, kMsgVanishLight, 0, Stat::kNone, true},
    {30, 30, Effect::kHalveBarrier, 0, 0, Stat::kNone, false},
    {33, 33, Effect::kStoneAtHalf, 0, 0, Stat::kNone, false},
    {54, 54, Effect::kIllusion, 0, 0, Stat::kNone, false},
    {55, 55, Effect::kMessage, kMsgNullify, 1, Stat::kNone, false},
    {56, 56, Effect::kMessage, kMsgReflect, 1, Stat::kNone, false},
    {59, 59, Effect::kMessage, kMsgFreeze, 0, Stat::kNone, false},
    {60, 60, Effect::kHitFreeze, 0, 0, Stat::kNone, false},
};

constexpr EffectRow kPlainHit{0, 0, Effect::kHit, 0, 0, Stat::kNone, false};

const EffectRow& EffectOf(int magic) {
  for (const EffectRow& row : kEffects) {
    if (magic >= row.first && magic <= row.last) return row;
  }
  return kPlainHit;
}

// The party's rate of the stat, in the order PlayerData::Recalc applies
// rates (strength, vitality, intelligence, agility, luck).
int32_t& MemberRate(PlayerData& player, Stat stat) {
  return player.rates[stat == Stat::kAttack ? 0 : stat == Stat::kDefence ? 1 : 3];
}

int32_t& EnemyValue(EnemySlot& enemy, Stat stat) {
  return stat == Stat::kAttack ? enemy.phyAtk : stat == Stat::kDefence ? enemy.phyDef : enemy.spd;
}

int TableValue(const MonsterTypeInfo& record, Stat stat) {
  return stat == Stat::kAttack ? record.phyAtk : stat == Stat::kDefence ? record.phyDef : record.spd;
}

// What one effect works on.
struct Reach {
  CSession& session;
  const Fighter& target;
  int slot;
  CBattleActor& actor;
  CBattleObject* object;
  int f;
};

void Hit(const Reach& r, int amount, int style) {
  r.actor.OnMessage(r.object, kMsgMagicHit, amount, 0, style);
}

// A member's rate is recalculated in; an enemy's value is the monster
// table's scaled, and stays as it is when its kind is not in the table.
// Lowering spares the bosses.
void ApplyStatRate(const Reach& r, const EffectRow& row) {
  if (r.target.player != nullptr) {
    MemberRate(*r.target.player, row.stat) = row.code;
    r.target.player->Recalc();
  } else if (row.code >= 100 || !r.session.IsBossEnemy(r.slot)) {
    const int kind = CMonsterMgr::GetInstance().Find(r.target.enemy->name);
    if (kind >= 0) {
      const MonsterTypeInfo record = CMonsterMgr::GetInstance().GetMonsterTypeInfo(kind);
      EnemyValue(*r.target.enemy, row.stat) = static_cast<int32_t>(int64_t{TableValue(record, row.stat)} * row.code / 100);
    }
  }
  if (row.stat == Stat::kSpeed) r.session.UpdateLevelRange();
}

void RaiseCapped(int32_t& value, int32_t most) {
  value = static_cast<int32_t>(std::min<int64_t>(int64_t{value} + most / 100 + 1, most));
}

void RestoreBoth(const Fighter& t) {
  if (t.player != nullptr) {
    RaiseCapped(t.player->hp, t.player->maxhp);
    RaiseCapped(t.player->shp, t.player->maxshp);
  } else {
    RaiseCapped(t.enemy->hp, t.enemy->maxhp);
    RaiseCapped(t.enemy->shp, t.enemy->maxshp);
  }
}

int32_t& Barrier(const Fighter& t) { return t.player != nullptr ? t.player->shp : t.enemy->shp; }

void StoneAtHalf(const Reach& r) {
  const int64_t hp = r.target.player != nullptr ? r.target.player->hp : r.target.enemy->hp;
  const int64_t most = r.target.player != nullptr ? r.target.player->maxhp : r.target.enemy->maxhp;
  if (hp <= most / 2) SetConditions(r.session, r.target, kStone, true);
}

// The armour 앰버브래스트 sends a fifth of a hit back at a caster still there.
void ReturnHit(const Reach& r, int caster, bool casterIsParty) {
  if (r.target.player == nullptr || !Wears(*r.target.player, WornSlot::kArmor, "앰버브래스트")) return;
  if (CSelvarinActor* back = r.session.GetBattleActor(caster, casterIsParty)) {
    back->OnMessage(&r.actor, kMsgMagicHit, static_cast<intptr_t>(int64_t{r.f} * 20 / 100), 0, 0);
  }
}

void ApplyRow(const Reach& r, const EffectRow& row, int magic, int caster, bool casterIsParty) {
  switch (row.effect) {
    case Effect::kRestore:
      r.session.UseMagicOnParty(caster, casterIsParty, r.slot, r.target.IsParty(), magic);
      break;
    case Effect::kStatRate:
      ApplyStatRate(r, row);
      break;
    case Effect::kHitIfAttr3:
      if (r.target.enemy != nullptr && r.target.enemy->attr == 3) Hit(r, r.f, 0);
      break;
    case Effect::kMessage:
      r.actor.OnMessage(r.object, row.code, row.amount, 0, 0);
      break;
    case Effect::kNothing:
      break;
    case Effect::kHitSide:
      Hit(r, r.f, r.target.IsParty() ? 0 : 2);
      break;
    case Effect::kHitStunDigits:
      Hit(r, r.f, 0);
      r.actor.OnMessage(r.object, kMsgStun, 0, 0, 0);
      r.actor.SpawnDamageNumber(r.f, 0, 0.0f, 0.0f, 0.0f, 0, 0);
      break;
    case Effect::kMessageDamage:
      r.actor.OnMessage(r.object, row.code, r.f, 0, 0);
      r.actor.SpawnEffect(row.amount);
      break;
    case Effect::kMessageEffect:
      r.actor.OnMessage(r.object, row.code, 0, 0, 0);
      r.actor.SpawnEffect(row.amount);
      break;
    case Effect::kRestoreBoth:
      RestoreBoth(r.target);
      break;
    case Effect::kHalveBarrier:
      Barrier(r.target) /= 2;
      break;
    case Effect::kStoneAtHalf:
      StoneAtHalf(r);
      break;
    case Effect::kIllusion:
      if (CSelvarinContext* context = GetFieldContext()) context->MakeBattleIllusion(r.actor);
      break;
    case Effect::kHitFreeze:
      Hit(r, r.f, 0);
      r.actor.OnMessage(r.object, kMsgFreeze, 0, 0, 0);
      break;
    case Effect::kHit:
      Hit(r, r.f, 0);
      ReturnHit(r, caster, casterIsParty);
      break;
  }
}

bool Flies(const CBattleActor& actor) {
  const auto* enemy = dynamic_cast<const CBattleEnemy*>(&actor);
  return enemy != nullptr && enemy->m_flying != 0;
}

bool IsConditionFree(int magic) { return (magic >= 0 && magic <= 2) || (magic >= 5 && magic <= 10); }

}  // namespace magiceffect
}  // namespace

int CSession::ApplyMagicEffect(int caster, bool casterIsParty, int target, bool targetIsParty, int magic,
                               CBattleObject* object, int status) {
  if (status != 0) return status;
  auto* actor = dynamic_cast<CBattleActor*>(GetBattleActor(target, targetIsParty));
  const Fighter t = FighterAt(*this, target, targetIsParty);
  if (actor == nullptr || !t.Exists()) return 0;
  const CMagicMgr& table = CMagicMgr::GetInstance();
  const MagicTypeInfo* record = magic >= 0 && magic < table.GetCount() ? table.GetMagicTypeInfo(magic) : nullptr;
  if (actor->m_actionCode == kActRemoved) {
    const bool revives = casterIsParty && targetIsParty && record != nullptr && record->name == "리저렉션";
    if (!revives) return 0;
  }
  if (actor->m_outOfReach != 0) return 0;
  const bool wasUndead = (t.Conditions() & kUndead) != 0;
  if (record == nullptr) {
    DebugLogf("CSession::ApplyMagicEffect - no magic %d", magic);
  } else {
    if (!magiceffect::IsConditionFree(magic)) {
      ChangeConditions(*this, t, static_cast<uint32_t>(record->stateMask), static_cast<uint32_t>(record->restoreStateMask));
    }
    const int f = record->useType == 0 ? ComputeMagicDamage(caster, casterIsParty, target, targetIsParty, magic) : 0;
    RaiseMagicAttackHook(t.Name(), record->name);
    if (magic > 60) {
      DebugLog("Invalid Magic");
    } else {
      const magiceffect::EffectRow& row = magiceffect::EffectOf(magic);
      if (!(row.sparesFlyers && magiceffect::Flies(*actor))) magiceffect::ApplyRow({*this, t, target, *actor, object, f}, row, magic, caster, casterIsParty);
    }
    const bool healsUndead = magic == 0 || magic == 1 || magic == 2 || magic == 8 || magic == 9 || magic == 10 || magic == 27;
    if (healsUndead && wasUndead && (t.Conditions() & kDying) == 0) SetConditions(*this, t, kDying, true);
  }
  const Fighter c = FighterAt(*this, caster, casterIsParty);
  if (c.Exists() && c.AttackAttribute() == 5 && wasUndead) actor->OnMessage(object, kMsgKill, 0, 0, 0);
  return 0;
}
