#pragma once
// A battle set: the block of a map script that a field enemy's battle
// request names, read into the game frame by its message 0.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/Math.h"

struct BattleSet {
  static constexpr int kMaxEnemies = 6;
  static constexpr int kMaxRandomEnemies = 10;
  static constexpr int kMaxPositions = 10;
  static constexpr int kMaxItems = 10;

  struct NamedValue {
    std::string name;
    std::string label;
  };
  struct Weighted {
    std::string name;
    int32_t value = 0;  // a weight, or a chance in percent
  };

  int32_t battleType = -1;
  std::array<int32_t, 2> typeValues{};
  int32_t enemyCount = 0;
  std::array<NamedValue, kMaxEnemies> enemies;
  int32_t randomEnemyCount = 0;
  std::array<Weighted, kMaxRandomEnemies> randomEnemies;
  int32_t positionCount = 0;
  std::array<Vec3, kMaxPositions> positions{};
  int32_t itemCount = 0;
  std::array<Weighted, kMaxItems> items;
  float regionRadius = 120.0f;
  std::vector<std::string> fleeRefusals;
  int32_t music = -1;  // a CD track; 0 keeps the music that plays
  int32_t restoreDisc = 0;
  int32_t restoreTrack = -1;
  // Further enemies named to break in, kept apart from the enemies.
  int32_t intruderCount = 0;
  std::array<NamedValue, kMaxEnemies> intruders;

  // Back to what a new read starts from; the music playing now is the one
  // to restore.
  void Reset(int32_t disc, int32_t track);
};

class CTextRes;

// What reading a set found beside the set itself.
struct BattleSetRead {
  bool centerOnPlayer = false;  // a "battletype 2" line
  int32_t itemLines = 0;        // stored or not
};

// Reads the lines of a map script from `line` into the set (reset first by
// the caller), up to the first line of another word or the script's end.
// Every fault in the set is a text for the debug log.
BattleSetRead ReadBattleSet(const CTextRes& script, int line, BattleSet& set);
