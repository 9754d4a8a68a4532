#pragma once
// One of the six enemies of the running battle.
#include <array>
#include <cstdint>
#include <string>

class CSelvarinActor;

struct EnemySlot {
  int32_t hp = 0;
  int32_t maxhp = 0;
  int32_t shp = 0;
  int32_t maxshp = 0;
  CSelvarinActor* actor = nullptr;  // null: the slot is free; not owned
  std::string name;   // the monster's
  std::string label;  // the battle set's name for it
  std::string sprName;
  std::string actName;
  std::string rmaName;
  // From the monster record at battle set-up.
  int32_t level = 0;
  int32_t attr = 0;
  int32_t stateid = 0;  // condition bits
  int32_t phyAtk = 0;
  int32_t phyDef = 0;
  int32_t magDef = 0;
  int32_t spd = 0;
  int32_t luck = 0;
  std::array<int32_t, 4> tactics{};  // actions by HP band
  // The special entries: a magic (flag 1) or skill number, -1 when empty.
  std::array<int32_t, 5> ability{-1, -1, -1, -1, -1};
  std::array<int32_t, 5> abilityIsMagic{};
  int32_t bonusPercent = 0;
  int32_t exp = 0;    // what defeating it gives
  int32_t money = 0;
  int32_t reach = 0;  // tenths of a map unit
  int32_t type = 0;  // the record's kind number
};
