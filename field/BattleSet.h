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
};
