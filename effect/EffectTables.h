#pragma once
// The effect catalogue's constant tables: item sprite names, the effect
// definition rows, the monster special rows, and what each number sets at
// creation (colour, shake strength, piece count, direction, wave).
#include <cstdint>

// An effect number: item effects 0-101, spells and field effects 202-270,
// battle effects 1000-1073, monster specials 2000-2004.
using EffectId = int32_t;

// One row of the definition or the monster special table.
struct EffectRow {
  const char* name = "";  // sprite base name, texture, shield or bow name
  int32_t lifetime = 0;   // frames
  float scale = 0.0f;
  int32_t copies = 0;     // copies of each particle a sprite primitive keeps
  float fade = 0.0f;      // frames of fade-out at the end; 0 none
};

struct EffectColour {
  int32_t red, green, blue;
};

namespace effect_tables {

inline constexpr int kItemCount = 102;
inline constexpr int kDefinitionRows = 200;
inline constexpr int kMonsterRows = 10;

// The item sprite name of numbers 0-101; null for any other number.
const char* ItemName(EffectId id);
// The row of the definition table (202-301 and 1000-1099) or of the monster
// special table (2000-2009); null for numbers that have none.
const EffectRow* FindRow(EffectId id);

// Per-number settings; false or null where the number sets nothing.
const EffectColour* FindColour(EffectId id);
bool FindStrength(EffectId id, int32_t* strength);
bool FindPieceCount(EffectId id, int32_t* count);
bool IsDirectional(EffectId id);
// Numbers whose sprites stay where they were made (sprite mode 0).
bool IsStillSprite(EffectId id);
// Numbers that start 40 to the side of and 120 above their owner.
bool HasRaisedStartPoint(EffectId id);
// Numbers whose scale is drawn at creation; the scale is
// (rand() % modulus + base) * 0.01.
bool FindRandomScale(EffectId id, int32_t* modulus, int32_t* base);
// Numbers that follow the owner's screen point.
bool IsScreenAnchored(EffectId id);

// The wave played at creation, or null. Numbers with two waves pick one by
// the parity of a random number, drawn only for them.
struct CreationWave {
  const char* even;
  const char* odd;  // null when the number has one wave
};
const CreationWave* FindCreationWave(EffectId id);

}  // namespace effect_tables
