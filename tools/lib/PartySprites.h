#pragma once
// The party's field sprites of the sample data, drawn by program: one
// simple figure per member, each in its own colours. 40 actions: the eight
// directions times the action bases 0 (five turning poses), 8, 16 and 24
// (eight walking frames: straight, turning one way, turning the other) and
// 32 (three falling frames: rising, at the top, coming down).
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tools/lib/GroundSource.h"

namespace slvtools {

struct PartyColours {
  int tunic[3];
  int hair[3];
};
// The sprite-source text of one member's figure.
std::string PartySpriteSource(const PartyColours& colours);
// The member's battle sheet: 20 groups of four facings (80 actions), the
// strike's third frame the hit frame.
std::string PartyBattleSpriteSource(const PartyColours& colours);
// A sheet of groups of four facings, each group's frames as letters (S
// standing, T head turned, W walking, U arms up, M mid-air, D coming down,
// L lying; "!" after a frame makes it a hit frame).
std::string PartySheetSource(const PartyColours& colours, std::span<const std::string_view> groups);

// The member's victory pose: one action of four frames, variant 1 or 2.
std::string PartyVictorySpriteSource(const PartyColours& colours, int variant);

// "sprite\<name>.spr" and ".act" of each sample party member, the same
// under "주연급\필드\" for entering a battle, and its battle sheets under
// "주연급\전투\기본형\", its special move's under "주연급\전투\특수동작\" and
// its victory poses under "주연급\승리포즈\".
bool BuildPartySprites(std::vector<DataFile>* out, std::string* error);

}  // namespace slvtools
