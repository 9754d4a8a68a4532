#pragma once
// One side of a blow, as the weapon rules read it: a party member's record or
// an enemy slot, and the named items a member wears.
#include <cstdint>
#include <string>

class CBattleActor;
class CSession;
struct EnemySlot;
struct PlayerData;

struct Fighter {
  PlayerData* player = nullptr;
  EnemySlot* enemy = nullptr;

  bool IsParty() const { return player != nullptr; }
  bool Exists() const { return player != nullptr || enemy != nullptr; }
  int32_t Conditions() const;
  int Level() const;
  // An enemy's kind number; -1 for a member.
  int Kind() const;
  // A member's weapon attribute 9, an enemy's attack attribute.
  int AttackAttribute() const;
  // A member's identifier or an enemy's name.
  const std::string& Name() const;
  // The battle actor, when it is one.
  CBattleActor* Actor() const;
  // Only for a fighter that exists.
  int32_t& Hp() const;
  int32_t MaxHp() const;
};

// Sets or clears conditions through the session, so worn protection and the
// hooks apply; nothing for an empty fighter.
void SetConditions(CSession& session, const Fighter& f, uint32_t bits, bool set);
// Sets each bit of `inflict`, then clears each bit of `cure`.
void ChangeConditions(CSession& session, const Fighter& f, uint32_t inflict, uint32_t cure);

// The fighter at (position, is-party); an empty one, logged, when nobody
// stands there.
Fighter FighterAt(CSession& session, int position, bool isParty);
Fighter FighterAt(const CSession& session, int position, bool isParty);

// An item's name and attribute; empty and 0 for an index the table lacks.
const std::string& ItemName(int item);
int ItemAttr(int item, int attr);

// Where a named item is worn. `kAcc2` stands for each of the two last slots.
enum class WornSlot : uint8_t { kWeapon, kArmor, kShield, kHelmet, kShoes, kAcc1, kAcc2 };

// How many of the slot's places hold the named item (0-2 for kAcc2).
int CountWorn(const PlayerData& player, WornSlot slot, const char* name);
inline bool Wears(const PlayerData& player, WornSlot slot, const char* name) {
  return CountWorn(player, slot, name) > 0;
}
// The item in a slot (the first of the two for kAcc2).
int32_t WornIndex(const PlayerData& player, WornSlot slot);
