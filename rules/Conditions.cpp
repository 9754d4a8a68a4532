// Setting and clearing conditions on the session's records and their battle
// actors, and the hooks battle scripts wait on.
#include "battle/BattleObject.h"
#include "engine/Wave.h"
#include "field/SelvarinContext.h"
#include "rules/Condition.h"
#include "session/ItemMgr.h"
#include "session/Session.h"

const char* const kConditionNames[9] = {"NOTHING", "POISON1", "POISON2", "POISON3", "PANIC",
                                        "CURSE",   "STONE",   "UNDEAD",  "DYING"};

namespace {
namespace conditions {

// The sound of setting each condition; none for DYING. The first name holds
// its blank as the game's file does.
const char* const kConditionSounds[8] = {"상태이상 _독1.wav", "상태이상_독23.wav", "상태이상_독23.wav",
                                         "상태이상_암흑.wav",  "상태이상_저주.wav", "상태이상_석화.wav",
                                         "상태이상_언데드.wav", nullptr};

constexpr uint32_t kPoisons = kPoison1 | kPoison2 | kPoison3;
constexpr int kStoneEffect = 226;
// The attack attribute of enemies no poison takes.
constexpr int32_t kUnpoisonable = 8;
constexpr size_t kMostAlongsideRevived = 3;

void PlayConditionSound(uint32_t bit) {
  const int index = ConditionIndex(bit);
  if (index >= 1 && kConditionSounds[index - 1] != nullptr) PlayWave(kConditionSounds[index - 1]);
}

bool HelmetIs(const PlayerData& player, const char* name) {
  const CItemMgr& items = CItemMgr::GetInstance();
  return player.helmet >= 0 && player.helmet < items.GetCount() && items.GetItem(player.helmet)->name == name;
}

// Worn helmets that keep a condition away.
bool Blocks(const PlayerData& player, uint32_t bit) {
  if ((bit & kPoisons) != 0 && HelmetIs(player, "방독면")) return true;
  return bit == kPanic && (HelmetIs(player, "헤드폰") || HelmetIs(player, "안정의서클릿"));
}

// Clearing a stronger poison clears the weaker ones with it.
uint32_t ClearedWith(uint32_t bit) {
  if (bit == kPoison2) return kPoison1 | kPoison2;
  if (bit == kPoison3) return kPoisons;
  return bit;
}

void Petrify(CBattleObject& actor) {
  actor.OnMessage(nullptr, kMsgPetrify, 0, 0, 0);
  actor.SpawnEffect(kStoneEffect);
}

// A removed member gets up again, unless the battle already fields
// the most it takes back.
bool Revive(PlayerData& player, CBattleObject& actor) {
  CSelvarinContext* context = GetFieldContext();
  if (context == nullptr || context->m_battleParty.size() > kMostAlongsideRevived) return false;
  player.hp = 1;
  actor.SetAction(kActLying);
  context->m_battleParty.push_back(&actor);
  return true;
}

}  // namespace conditions
}  // namespace

int ConditionIndex(uint32_t bit) {
  for (int b = 0; b < 8; ++b) {
    if (bit == (1u << b)) return b + 1;
  }
  return 0;
}

void CSession::SetCondition(PlayerData& player, uint32_t bit, bool set) {
  if (set && conditions::Blocks(player, bit)) return;
  auto* actor = dynamic_cast<CBattleObject*>(player.battlePtr);
  uint32_t bits = static_cast<uint32_t>(player.stateid);
  if (set) {
    if (actor != nullptr) {
      if (bit == kStone) conditions::Petrify(*actor);
      if (bit == kDying && actor->m_actionCode != kActDying) {
        actor->OnMessage(nullptr, kMsgKill, 0, 0, 0);
        player.hp = 0;
      }
    } else if (bit == kDying) {
      player.hp = player.shp = 0;
    }
    bits |= bit;
  } else {
    if (bit == kDying && actor == nullptr) {
      bits = 0;
      if (player.hp < 1) player.hp = 1;
    } else if (bit == kDying && actor->m_actionCode == kActRemoved && conditions::Revive(player, *actor)) {
      bits = 0;
    }
    bits &= ~conditions::ClearedWith(bit);
  }
  player.stateid = static_cast<int32_t>(bits);
  if (set) conditions::PlayConditionSound(bit);
  RaisePlayerConditionHooks(player, ConditionIndex(bit));
}

void CSession::SetEnemyCondition(EnemySlot& enemy, uint32_t bit, bool set) {
  auto* actor = dynamic_cast<CBattleObject*>(enemy.actor);
  if (set && actor != nullptr) {
    const bool dying = actor->m_actionCode == kActDying;
    if (bit == kStone) {
      if (!dying) actor->OnMessage(nullptr, kMsgPetrify, 0, 0, 0);
      actor->SpawnEffect(conditions::kStoneEffect);
    }
    if (bit == kDying && !dying) {
      actor->OnMessage(nullptr, kMsgKill, 0, 0, 0);
      enemy.hp = 0;
    }
  }
  if (set && (bit & conditions::kPoisons) != 0 && enemy.attr == conditions::kUnpoisonable) return;
  uint32_t bits = static_cast<uint32_t>(enemy.stateid);
  bits = set ? bits | bit : bits & ~bit;
  enemy.stateid = static_cast<int32_t>(bits);
  if (set) conditions::PlayConditionSound(bit);
  RaiseEnemyConditionHooks(enemy, ConditionIndex(bit));
}

void CSession::RaiseConditionHooks(const std::string& name, uint32_t bits, int index) {
  bool raised = false;
  for (int b = index == 0 ? 0 : index - 1; b < 8 && !(raised && index != 0); ++b) {
    if ((bits & (1u << b)) == 0) continue;
    hooks.Set("__condition" + name + kConditionNames[b + 1], 1);
    raised = true;
  }
  if (!raised) hooks.Set("__condition" + name + "NOTHING", 1);
}

void CSession::RaisePlayerConditionHooks(const PlayerData& player, int index) {
  RaiseConditionHooks(player.engname, static_cast<uint32_t>(player.stateid), index);
}

void CSession::RaiseEnemyConditionHooks(const EnemySlot& enemy, int index) {
  RaiseConditionHooks(enemy.name, static_cast<uint32_t>(enemy.stateid), index);
}

bool CSession::HasWeaponEquipped(int position) const {
  const PlayerData* member = GetPartyMember(position);
  return member != nullptr && member->weapon != kEmptyWeapon;
}
