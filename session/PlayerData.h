#pragma once
// One of the 32 characters of the game session, addressed by player id.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

class CSelvarinActor;

constexpr int kMaxMagicFlags = 200;

struct PlayerData {
  static constexpr int kStatCount = 5;
  static constexpr int kMaxStat = 999;

  // The final stats, the barrier maximum and the barrier points from the
  // level stats, the worn items and the battle modifiers.
  void Recalc();
  // Level, hit-point maximum, level stats and capacity from the experience;
  // then what the level teaches, and Recalc.
  void UpdateLevel();
  // The level stats of the present level and the stat bonuses.
  void UpdateLevelStats();
  // The carrying capacity of the present level.
  void UpdateCapacity();
  // Back to rest after a battle: rates 100, no battle actor, no battle
  // modifiers, no stone.
  void ResetBattleState();
  // A character's progress taken over from another record; the worn pieces
  // go back to the inventory, one of each.
  void CopyFrom(const PlayerData& other);
  // Experience stops at kMaxExperience; the level follows only from
  // UpdateLevel.
  void SetExperience(int32_t value);
  static constexpr int32_t kMaxExperience = 999999;
  int32_t GetBonusPercent() const { return bonusPercent; }
  // The final stat k: strength, vitality, intelligence, agility, luck.
  int32_t& Stat(int k);
  int32_t Stat(int k) const { return const_cast<PlayerData*>(this)->Stat(k); }

  std::string name;     // shown to the player
  std::string engname;  // the character's identifier in scripts and rules
  int32_t lvl = 0;
  int32_t capacity = 0;  // base capacity + lvl - 1
  int32_t baseCapacity = 0;
  int32_t hp = 0;
  int32_t maxhp = 0;
  int32_t shp = 0;
  int32_t maxshp = 0;
  int32_t mp1 = 0;
  int32_t maxmp1 = 0;
  int32_t mp2 = 0;
  int32_t maxmp2 = 0;
  int32_t mp3 = 0;
  int32_t maxmp3 = 0;
  int32_t cp = 0;  // combat points; full, the next attack is the special move
  static constexpr int32_t kFullCombatPoints = 100;
  std::array<int32_t, kMaxMagicFlags> magicFlags{};  // learned flag per magic or skill index
  std::array<int32_t, kMaxMagicFlags> learnList{};   // what the character can learn
  int32_t ismagicman = 0;                            // 1 magic user, 0 skill user
  int32_t stateid = 0;                               // condition bits 0-7
  int32_t resetMark = 0;                             // 1 after a reset
  int32_t tacticsId = 0;     // 0 manual, 1-4 a preset, 5 custom
  int32_t customTactic = 0;  // four action bytes, row 0 in the top byte
  std::string sprname;       // field sprite and animation file names
  std::string actname;
  std::string battlesprname;
  std::string battleactname;
  int32_t playerId = 0;                // own index 0-31
  CSelvarinActor* battlePtr = nullptr;  // the battle actor while a battle runs; not owned
  std::array<int32_t, 2> battleValues{};  // counters of the battle code
  int32_t bonusPercent = 0;  // level above the battle's average, -50..150
  std::array<int32_t, 5> statBonus{};
  std::array<int32_t, 5> statMax{};       // at level 99
  std::array<int32_t, 5> statBase{};      // at the start level
  std::array<int32_t, 5> statStart{};     // the level growth starts from
  std::array<int32_t, 5> statInterval{};  // levels a step; below 1 counts as 1
  std::array<float, 5> statGrowth{};      // growth a step
  int32_t exp = 0;
  int32_t strength = 0;
  int32_t vitality = 0;
  int32_t intelligence = 0;
  int32_t agility = 0;
  int32_t luck = 0;
  std::array<int32_t, 5> levelStats{};   // from the level and the bonuses
  std::array<int32_t, 5> extraStats{};   // battle-time additions, 0 at rest
  std::array<int32_t, 5> battleStats{};  // likewise
  std::array<int32_t, 5> rates{100, 100, 100, 100, 100};  // battle rates in percent, 100 at rest
  // Equipment slots: item indexes; 0-6 are the empty items.
  int32_t weapon = 2;
  int32_t armor = 0;
  int32_t shield = 3;
  int32_t helmet = 1;
  int32_t shoes = 4;
  int32_t acc1 = 6;
  int32_t acc2 = 5;
  int32_t acc3 = 5;
};

// The items a character wears, each piece once: a two-handed weapon fills
// the weapon and the shield slot, a double accessory both last accessory
// slots. The empty items are included.
std::vector<int32_t> WornItems(const PlayerData& player);
// The items of all eight slots in the record's order, the weapon first: a
// piece in two slots appears twice.
std::array<int32_t, 8> WornSlotItems(const PlayerData& player);

// The empty item of each equipment slot.
enum EmptyItem : int32_t {
  kEmptyArmor = 0,
  kEmptyHelmet = 1,
  kEmptyWeapon = 2,
  kEmptyShield = 3,
  kEmptyShoes = 4,
  kEmptyAcc23 = 5,
  kEmptyAcc1 = 6,
  kEmptyItemCount = 7
};
